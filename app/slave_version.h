#pragma once
#include "data_store/ds_channel_records.h"

// The slave ECU's firmware version from its text, three decimal numbers
// separated by '.': a missing or non-numeric part gives 0, a number above
// 255 gives 255, and text after the third part is ignored. Never throws (it
// runs on the ECU manager's thread).
ds_version parse_slave_version(const char* text);
