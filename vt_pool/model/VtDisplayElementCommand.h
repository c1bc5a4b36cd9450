#pragma once

class VtDisplayElement;

// One change brought to every display element of an object after the
// object itself changed: built for one walk over the object's elements
// (VtDisplayElementList::applyCommand) and dropped afterwards.
class VtDisplayElementCommand {
public:
    // A negative result stops the walk.
    virtual int apply(VtDisplayElement& element) = 0;
    int execute(VtDisplayElement& element) { return apply(element); }

protected:
    ~VtDisplayElementCommand() = default;
};
