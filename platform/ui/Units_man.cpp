#include "platform/ui/Units_man.h"

namespace {

struct Unit_texts {
    Units_man::units_type type;
    const char* metric;
    const char* imperial;
};

// The units of the types the screens give a units string. A type whose two
// formats share the step shows the same unit in both systems.
constexpr Unit_texts unit_texts[] = {
    {2, "m", "ft"},             // width
    {5, "km", "mi"},            // distance
    {6, "km/h", "mph"},         // speed
    {10, "ha", "ac"},           // area
    {12, "L", "L"},             // liquid
    {15, "kg", "lb"},           // granular product
    {16, "kg", "lb"},           // NH3
    {18, "kg/ha", "lb/ac"},     // granular rate
    {19, "kg/ha", "lb/ac"},     // NH3 rate
    {20, "L/ha", "L/ha"},       // liquid rate
    {23, "ha/h", "ac/h"},       // area rate
    {25, "kg/rev", "lb/rev"},   // product per shaft revolution
    {26, "pulses/L", "pulses/L"}, // flow meter, liquid
    {27, "pulses/L", "pulses/L"}, // flow meter, NH3
};

}

const char* Units_man::get_text(units_type type, System system)
{
    for (const Unit_texts& unit : unit_texts)
        if (unit.type == type)
            return system == imperial ? unit.imperial : unit.metric;
    return nullptr;
}
