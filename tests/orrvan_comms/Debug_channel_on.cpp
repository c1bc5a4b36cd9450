// Before any Qt header, which takes the word "slots" for itself.
#include "platform/rtos/Debug_filter.h"

#include "orrvan_comms/private/include/Ecu_common.h"
#include "tests/orrvan_comms/Debug_channel_on.h"

Debug_channel_on::Debug_channel_on() { Debug_filter::add(Next_gen::DEBUG_MODULE); }
Debug_channel_on::~Debug_channel_on() { Debug_filter::remove(Next_gen::DEBUG_MODULE); }
