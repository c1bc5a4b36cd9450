#pragma once

// The unit system the VT shows numbers in. Each number field carries a
// format per system; the units type of a format names the unit the field
// shows, and with the system gives the text of the field's units string.
class Units_man {
public:
    using units_type = unsigned int;
    enum System { metric = 0, imperial = 1 };

    explicit Units_man(System system = metric)
        : system_(system)
    {
    }
    System get_system() const { return system_; }
    void set_system(System system) { system_ = system; }

    // The unit a units type shows in the system, as its units string says
    // it; null for a type with no unit of its own (a plain number), whose
    // units string keeps the pool's text.
    static const char* get_text(units_type type, System system);

private:
    System system_;
};
