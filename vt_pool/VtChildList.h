#pragma once

class VtObject;
class VtObjectRefList;

// The positioned children of a working set, data mask, alarm mask,
// container, key or button; null for the other types.
VtObjectRefList* childListOf(VtObject& object);
