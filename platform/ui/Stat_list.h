#pragma once
#include "platform/ui/Stat.h"

#include <cstddef>
#include <cstdint>

namespace VT {
class Input_list_obj;
}

// A choice field on an input list: the item chosen, by number.
class Stat_list : public Stat {
public:
    Stat_list() = default;

    // The third object and the flag are accepted for the callers' sake only.
    void init(Stat_collector* collector, VT::Input_list_obj* list, std::nullptr_t, VT::vtui_pool* pool, bool flag);

    // An item beyond the list's entries changes nothing.
    void set_item(uint16_t item);
    uint16_t get_item() const { return item_; }

    bool takes(uint16_t object) const override;
    void take_vt_number(uint32_t value) override;
    void send_update(bool all) override;

private:
    void apply_editable() override;
    // The list's entries, under the pool lock; 0 without a list.
    unsigned item_count() const;

    VT::Input_list_obj* list_ = nullptr;
    uint16_t item_ = 0;
    bool sent_ = false;
    uint16_t sent_item_ = 0;
};
