#pragma once

namespace NV_store {

class NV_item;

// The parameter item a listener follows: one value or a whole record.
class Access_base {
public:
    void init(NV_item* item) { item_ = item; }
    NV_item* get_item() const { return item_; }

private:
    NV_item* item_ = nullptr;
};

}
