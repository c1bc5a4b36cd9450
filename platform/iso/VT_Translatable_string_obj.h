#pragma once
#include "platform/iso/VT_VT_obj.h"

namespace VT {

// A string whose text comes from a table of per-language texts. A Virtual
// Terminal knows no such object: it receives a String Variable of the
// string's length holding the text of slot 0, the one language the pool has.
class Translatable_string_obj : public VT_obj {
public:
    // The value buffer and its size are the owner's room for the shown text;
    // the stand-in writes the text from the table instead and keeps neither.
    Translatable_string_obj(uint16_t id, const char* name, uint16_t length, char* buffer, int32_t buffer_size,
                            const char* const* table, int32_t table_size);

    uint16_t get_length() const { return length_; }
    const char* const* get_table() const { return table_; }
    int32_t get_table_size() const { return table_size_; }

private:
    void serialise_body(Record_writer& out) const override;

    uint16_t length_;
    const char* const* table_;
    int32_t table_size_;
};

}
