#pragma once

namespace Next_gen {

// The null pin of a kind: the pin of that kind, answering is_valid() with
// false, which makes its operations change nothing.
template <class Pin>
class Ecu_pin_invalid : public Pin {
public:
    using Pin::Pin;

    bool is_valid() const override { return false; }
};

}
