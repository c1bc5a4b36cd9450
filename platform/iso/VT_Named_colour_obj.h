#pragma once
#include "platform/iso/VT_Named_colour_entry.h"
#include "platform/iso/VT_VT_obj.h"

namespace VT {

// A colour of the user-interface library's colour scheme, by name, with the
// object attributes that take it. It lives in the pool's table and is never
// sent to a Virtual Terminal.
class Named_colour_obj : public VT_obj {
public:
    Named_colour_obj(uint16_t id, const char* name, uint8_t colour, uint8_t n_entries, const Named_colour_entry* entries);

    uint8_t get_colour() const { return colour_; }
    uint8_t get_entry_count() const { return n_entries_; }
    const Named_colour_entry* get_entries() const { return entries_; }
    bool is_uploaded() const override { return false; }

private:
    void serialise_body(Record_writer&) const override {}

    uint8_t colour_;
    uint8_t n_entries_;
    const Named_colour_entry* entries_;
};

}
