#pragma once
#include "platform/iso/VT_VT_obj.h"

#include <cstdint>

namespace VT {

// An object name made of parts, held for the constructor that copies it.
class Seeder_object_name {
public:
    // "DYN_OBJ_" and ID - 973: the name of an object without one of its own.
    static Seeder_object_name generated(uint16_t id);
    // The prefix and a number: "rec_channel_on_" 3 is "rec_channel_on_3".
    Seeder_object_name(const char* prefix, unsigned number);
    // The prefix and a suffix: "alarm_mask_" "NO_COMMS".
    Seeder_object_name(const char* prefix, const char* suffix);

    operator const char*() const { return text_; }

private:
    Seeder_object_name() = default;

    char text_[VT_obj::max_name + 1] = {};
};

}
