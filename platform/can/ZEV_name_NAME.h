#pragma once
#include "platform/can/ZEV_name_RAWNAME.h"

namespace ZEV_name {

// A NAME with the fields that count when it is matched against others, to
// look for a kind of node. Default: raw zero, matches every NAME. Made from a
// RAWNAME: matches exactly that NAME.
class NAME : public RAWNAME {
public:
    NAME() = default;
    NAME(const RAWNAME& raw) : RAWNAME(raw), match_mask_(~uint64_t(0)) {}
    NAME(const RAWNAME& raw, uint64_t match_mask) : RAWNAME(raw), match_mask_(match_mask) {}
    NAME(const NAME&) = default;
    NAME& operator=(const NAME&) = default;
    virtual ~NAME();

    // Writes the field and makes it count in matches.
    void set(Field field, uint32_t value);

    // True when other agrees with this NAME in every field that counts.
    bool match(const RAWNAME& other) const { return ((get_value() ^ other.get_value()) & match_mask_) == 0; }
    uint64_t get_match_mask() const { return match_mask_; }

private:
    uint64_t match_mask_ = 0;
};

}
