#pragma once

namespace NV_quvel {
class parameters_t;
}

// The factory settings that differ from the parameter tree's own defaults:
// tank names, fan 0, no booms, the connector offset and the alarm table.
// Applied to the fresh tree before the parameter file is loaded, so that the
// file's values win, and by the reset to factory defaults.
void apply_start_up_overrides(NV_quvel::parameters_t& parameters);
