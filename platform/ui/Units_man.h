#pragma once

// The unit system the VT shows numbers in. Each number field carries a
// format per system; the units type of a format is an opaque number the
// screens pass through.
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

private:
    System system_;
};
