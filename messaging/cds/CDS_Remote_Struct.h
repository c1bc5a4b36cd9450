#pragma once
#include "messaging/cds/CDS_Remote_Item.h"

#include <memory>
#include <vector>

namespace CDS {
namespace Remote {

// A mirrored structure: its children in the order of the description, and
// the range of ids below it, so that a search by id passes over the
// sub-trees that cannot hold it.
class Struct : public Item {
public:
    using Item::Item;

    item_type_t get_type() const override { return type_struct; }
    // The item becomes the last child.
    void append(std::unique_ptr<Item> child);

    // " {\n", each child's text, "};\n".
    int _to_string(char* text, int room) const override;
    Serial_ret deserialise(Receive_buffer& buffer, uint16_t& pos) override;
    void print(int depth, const char* suffix) const override;
    // A list with one value per child, set in order up to the first refusal.
    bool set_value(const QVariant& value) override;
    bool get_value(QVariant& value) const override;
    // Keeps the range of its sub-tree before folding it in.
    void set_minmax(uint16_t& lowest, uint16_t& highest) override;
    // The first part of the path names a child exactly; the rest, after
    // ".", is looked for below that child.
    Item* find_by_path(const char* path) override;
    Item* find_by_id(uint16_t id) override;

protected:
    bool is_structure() const override { return true; }
    void for_each_child(const std::function<bool(Data_item&)>& visit) const override;

private:
    std::vector<std::unique_ptr<Item>> children_;
    uint16_t lowest_ = 0;
    uint16_t highest_ = 0;
};

}
}
