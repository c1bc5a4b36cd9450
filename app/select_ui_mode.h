#pragma once

struct App_objects;

// Chooses how the operator reaches the controller: 1, the VT, when the
// non-VT display is not configured, or when it does not come before the
// terminal time-out (the parameters are then reset to factory defaults with
// that display off); 0 when the display connects, or when a shutdown or a
// stop signal comes first. In VT mode the switch-box mapping becomes the
// identity. Waits without a time limit.
int select_ui_mode(const App_objects& objects);
