#pragma once
#include "platform/iso/VT_Named_colour_entry.h"
#include "platform/iso/VT_VT_obj.h"

namespace VT {

// The object attributes that a colour scheme leaves alone. Like a named
// colour it stays in the pool's table and is never sent.
class Named_colour_mask_obj : public VT_obj {
public:
    Named_colour_mask_obj(uint16_t id, const char* name, uint8_t n_entries, const Named_colour_entry* entries);

    uint8_t get_entry_count() const { return n_entries_; }
    const Named_colour_entry* get_entries() const { return entries_; }
    bool is_uploaded() const override { return false; }

private:
    void serialise_body(Record_writer&) const override {}

    uint8_t n_entries_;
    const Named_colour_entry* entries_;
};

}
