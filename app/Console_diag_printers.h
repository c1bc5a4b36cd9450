#pragma once
#include "app/Console_printers.h"

// The diagnostics printers.
void print_diag_shafts(Console_view& view, int index);
void print_diag_ground_speed(Console_view& view, int index);
void print_diag_fans(Console_view& view, int index);
void print_diag_actuators(Console_view& view, int index);
void print_diag_motor_currents(Console_view& view, int index);
void print_diag_level_sensors(Console_view& view, int index);
void print_diag_pressure_sensors(Console_view& view, int index);
void print_diag_spray_ecus(Console_view& view, int index);

// The monitor ECU printers.
void print_monitor_status(Console_view& view, int index);
void print_monitor_inputs(Console_view& view, int index);
