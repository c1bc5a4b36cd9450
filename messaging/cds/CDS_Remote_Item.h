#pragma once
#include "platform/data/Data_item.h"

#include <QVariant>

#include <cstdint>
#include <string>

namespace CDS {
namespace Remote {

class Struct;

// One item of a remote data store's tree as a peer mirrors it: the name and
// id the description gave, and the item's last value. Values travel through
// Data_item's remote face, so a mirror encodes and decodes exactly as the
// served item does, resume points included.
class Item : public Data_item {
public:
    Item(const char* name, uint16_t id);

    const char* get_name() const override { return name_.c_str(); }
    // How many values were received for the item; 0: none yet.
    uint32_t get_update_count() const { return update_count_; }
    Struct* get_parent() const { return parent_; }

    Data_item* find_data_item(uint16_t id) override { return find_by_id(id); }
    Item* find_data_item(const char* path) { return find_by_path(path); }
    void _print(Debug::Dumper&) const override {}

    // On the debug output, indented by depth.
    virtual void print(int depth, const char* suffix) const;
    // Takes a value; false when it does not fit the item (nothing changes).
    virtual bool set_value(const QVariant& value) = 0;
    // The item's value; false (value invalid or incomplete) without one.
    virtual bool get_value(QVariant& value) const = 0;
    // Folds the ids of the item's sub-tree into the range.
    virtual void set_minmax(uint16_t& lowest, uint16_t& highest);
    // The item at the dotted path below this one; this one for an empty path.
    virtual Item* find_by_path(const char* path);
    virtual Item* find_by_id(uint16_t id);

protected:
    friend class Struct;
    uint32_t update_count_ = 0;

private:
    std::string name_;
    Struct* parent_ = nullptr;
};

}
}
