#include "messaging/cds/CDS_Remote_Struct.h"
#include "platform/rtos/Debug_base.h"

#include <cstdio>
#include <cstring>

namespace CDS {
namespace Remote {

void Struct::append(std::unique_ptr<Item> child)
{
    child->parent_ = this;
    children_.push_back(std::move(child));
}

void Struct::for_each_child(const std::function<bool(Data_item&)>& visit) const
{
    for (const auto& child : children_)
        if (!visit(*child))
            return;
}

int Struct::_to_string(char* text, int room) const
{
    if (room < 1)
        return 0;
    int written = std::snprintf(text, size_t(room), " {\n");
    for (const auto& child : children_) {
        if (written >= room - 1)
            return room - 1;
        written += child->_to_string(text + written, room - written);
    }
    const int n = std::snprintf(text + written, size_t(room - written), "};\n");
    return n < room - written ? written + n : room - 1;
}

Data_item::Serial_ret Struct::deserialise(Receive_buffer& buffer, uint16_t& pos)
{
    const Serial_ret result = Item::deserialise(buffer, pos);
    if (result.ok)
        ++update_count_;
    return result;
}

void Struct::print(int depth, const char*) const
{
    Debug_print::dprint("%*s%s(%d)%s", depth * 2, "", get_name(), int(get_remote_id()), " {\n");
    for (const auto& child : children_)
        child->print(depth + 1, "\n");
    Debug_print::dprint("%*s};\n", depth * 2, "");
}

bool Struct::set_value(const QVariant& value)
{
    if (!value.canConvert<QVariantList>())
        return false;
    const QVariantList list = value.toList();
    if (size_t(list.size()) != children_.size())
        return false;
    for (size_t i = 0; i < children_.size(); ++i)
        if (!children_[i]->set_value(list[int(i)]))
            return false;
    return true;
}

bool Struct::get_value(QVariant& value) const
{
    QVariantList list;
    for (const auto& child : children_) {
        QVariant element;
        if (!child->get_value(element)) {
            value = QVariant();
            return false;
        }
        list.append(element);
    }
    value = list;
    return true;
}

void Struct::set_minmax(uint16_t& lowest, uint16_t& highest)
{
    lowest_ = highest_ = get_remote_id();
    for (const auto& child : children_)
        child->set_minmax(lowest_, highest_);
    if (lowest_ < lowest)
        lowest = lowest_;
    if (highest_ > highest)
        highest = highest_;
}

Item* Struct::find_by_path(const char* path)
{
    if (!*path)
        return this;
    const char* dot = std::strchr(path, '.');
    const size_t length = dot ? size_t(dot - path) : std::strlen(path);
    for (const auto& child : children_) {
        const char* name = child->get_name();
        if (std::strlen(name) == length && std::strncmp(name, path, length) == 0)
            return dot ? child->find_by_path(dot + 1) : child.get();
    }
    return nullptr;
}

Item* Struct::find_by_id(uint16_t id)
{
    if (id == get_remote_id())
        return this;
    if (id < lowest_ || id > highest_)
        return nullptr;
    for (const auto& child : children_)
        if (Item* found = child->find_by_id(id))
            return found;
    return nullptr;
}

}
}
