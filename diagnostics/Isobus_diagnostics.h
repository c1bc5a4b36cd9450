#pragma once
#include "diagnostics/Diagnostics.h"

// The ISO 11783 layer of the diagnostics, between the J1939 service and this
// controller's own class. It adds nothing yet: every request and
// registration goes on to the J1939 service.
class Isobus_diagnostics : public Diagnostics {
public:
    using Diagnostics::Diagnostics;
};
