#pragma once
#include "platform/data/Data_item.h"

#include <vector>

namespace CDS {
namespace Remote {

// A named node of the served tree above the trees it serves: it lists them
// (it does not own them) and has no value of its own.
class NV_list : public Data_item {
public:
    explicit NV_list(const char* name)
        : name_(name)
    {
    }

    const char* get_name() const override { return name_; }
    item_type_t get_type() const override { return type_struct; }
    void _print(Debug::Dumper& dumper) const override;

    void add(Data_item& item) { children_.push_back(&item); }

protected:
    bool is_structure() const override { return true; }
    void for_each_child(const std::function<bool(Data_item&)>& visit) const override;

private:
    const char* const name_;
    std::vector<Data_item*> children_;
};

}
}
