#pragma once
#include "platform/ui/Units_man.h"

// How a number shows in one unit system: its units type, the value of one
// shown step in the stored (metric) unit, and the decimals shown.
class Stat_num_format {
public:
    Stat_num_format(Units_man::units_type units_type = 0, double step = 1.0, unsigned int decimals = 0)
        : units_type_(units_type), step_(step), decimals_(decimals)
    {
    }
    Units_man::units_type get_units_type() const { return units_type_; }
    double get_step() const { return step_; }
    unsigned int get_decimals() const { return decimals_; }

private:
    Units_man::units_type units_type_;
    double step_;
    unsigned int decimals_;
};
