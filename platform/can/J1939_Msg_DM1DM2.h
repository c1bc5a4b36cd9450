#pragma once
#include "platform/can/J1939_J1939_message.h"
#include "platform/io/Binary_message.h"

#include <algorithm>
#include <cstdint>

namespace J1939 {

// The diagnostic trouble code list of DM1 (active) and DM2 (previously
// active), as SAE J1939-73 lays it out: the lamp bytes, then four bytes per
// code (SPN bits 0-15, SPN bits 16-18 over the FMI, the occurrence count),
// never shorter than 8 bytes.
template <uint32_t PGN>
class Msg_DM1DM2 : public J1939_message<PGN, 6> {
public:
    static constexpr size_t capacity = 1026;
    static constexpr int max_codes = 250;
    // The count has 7 bits; the conversion-method bit above stays 0.
    static constexpr uint16_t max_count = 126;

    Msg_DM1DM2() : J1939_message<PGN, 6>(capacity) { setup(); }

    // An empty list: every byte 0xFF (lamps off and not flashing).
    void setup()
    {
        this->resize(capacity);
        this->fill(0xFF);
        codes_ = 0;
    }

    // Lists one more code; false when max_codes are listed.
    bool add(uint32_t spn, uint32_t fmi, uint16_t oc)
    {
        if (codes_ == max_codes)
            return false;
        uint8_t* code = this->data() + 2 + 4 * codes_;
        Binary_message::set_uint16_le(code, uint16_t(spn));
        code[2] = uint8_t((spn >> 16 & 0x7) << 5 | (fmi & 0x1F));
        code[3] = uint8_t(std::min(oc, max_count));
        ++codes_;
        return true;
    }

    // Ends the list: 2 + 4 bytes per code, at least 8; an empty list reads
    // as one code of SPN 0, FMI 0 and count 0.
    void finish()
    {
        if (codes_ == 0)
            std::fill_n(this->data() + 2, 4, uint8_t(0));
        this->resize(std::max<size_t>(8, 2 + 4 * size_t(codes_)));
    }

    int get_count() const { return codes_; }
    // The four bytes of code i as one little-endian number.
    uint32_t get_code(int i) const { return Binary_message::get_uint32_le(this->data() + 2 + 4 * i); }

private:
    int codes_ = 0;
};

}
