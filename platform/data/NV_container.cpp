#include "platform/data/NV_container.h"
#include "platform/data/Dumper.h"
#include "platform/data/NV_iterator.h"
#include "platform/data/NV_root.h"
#include "platform/rtos/Bugger.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace NV_store {

NV_container::NV_container(NV_container* parent, NV_root* root, unsigned short id, const char* name)
    : NV_item(parent, id, name), root_(root)
{
}

NV_container::NV_container(unsigned short id, const char* name)
    : NV_container(nullptr, nullptr, id, name)
{
}

void NV_container::append_child(NV_item& child)
{
    // The file keys children by id, so an id may serve one child only.
    if (last_child_ && child.get_id() <= last_child_->get_id())
        Bugger::report_bug("NV_container: child ids must ascend");
    (last_child_ ? last_child_->next_sibling_ : first_child_) = &child;
    last_child_ = &child;
}

void NV_container::_set_root(NV_root* root)
{
    root_ = root;
    for (NV_item* child = first_child_; child; child = child->next_sibling_)
        child->_set_root(root);
}

void NV_container::for_each_child(const std::function<bool(Data_item&)>& visit) const
{
    for (NV_item* child = first_child_; child; child = child->next_sibling_)
        if (!visit(*child))
            return;
}

NV_item* NV_container::find_child(unsigned short id) const
{
    for (NV_item* child = first_child_; child && child->get_id() <= id; child = child->next_sibling_)
        if (child->get_id() == id)
            return child;
    return nullptr;
}

NV_item* NV_container::find_child(const char* name) const
{
    if (!children_have_unique_names()) {
        char* end = nullptr;
        unsigned long id = std::strtoul(name, &end, 10);
        bool decimal = *name >= '0' && *name <= '9' && *end == '\0';
        return decimal && id <= 0xffff ? find_child((unsigned short)id) : nullptr;
    }
    for (NV_item* child = first_child_; child; child = child->next_sibling_)
        if (std::strcmp(child->get_name(), name) == 0)
            return child;
    return nullptr;
}

NV_item* NV_container::_search(const char* path, char separator) const
{
    NV_item* item = const_cast<NV_container*>(this);
    const char* p = path;
    while (*p) {
        const char* end = std::strchr(p, separator);
        size_t length = end ? size_t(end - p) : std::strlen(p);
        if (length > 0) {
            auto container = dynamic_cast<NV_container*>(item);
            item = container ? container->find_child(std::string(p, length).c_str()) : nullptr;
            if (!item)
                return nullptr;
        }
        p += length;
        if (*p)
            ++p;
    }
    return item;
}

bool NV_container::set_default(bool flag)
{
    for (NV_item* child = first_child_; child; child = child->next_sibling_)
        child->set_default(flag);
    return true;
}

bool NV_container::serialise(NV_iterator* it) const
{
    if (!it->push_header(get_type_byte(), form_container, get_id()))
        return false;
    for (const NV_item* child = first_child_; child; child = child->next_sibling_)
        if (!child->serialise(it))
            return false;
    return it->close_container();
}

bool NV_container::deserialise(NV_iterator* it)
{
    uint8_t type_byte, form;
    uint16_t id;
    size_t end;
    if (!it->pop_header_of(*this) || !it->pop_container(end))
        return false;
    while (!it->at_end_of(end)) {
        if (!it->peek_header(type_byte, form, id))
            return false;
        NV_item* child = find_child(id);
        bool known = child && type_byte == child->get_type_byte() && form == child->get_form();
        if (!(known ? child->deserialise(it) : it->skip_item()))
            return false;
    }
    return true;
}

void NV_container::_print(Debug::Dumper& dumper, const char* name) const
{
    if (!dumper.open_list(name))
        return;
    for (const NV_item* child = first_child_; child; child = child->next_sibling_) {
        if (children_have_unique_names()) {
            child->_print(dumper);
        } else {
            char index[8];
            std::snprintf(index, sizeof index, "%u", unsigned(child->get_id()));
            child->_print(dumper, index);
        }
    }
    dumper.close_list(name);
}

bool NV_container::assign_children(const NV_container& other, notify_t mode)
{
    bool changed = false;
    const NV_item* from = other.first_child_;
    for (NV_item* to = first_child_; to; to = to->next_sibling_, from = from->next_sibling_) {
        // Records of one class have the same children; anything else is a bug.
        if (!from || from->get_id() != to->get_id() || from->get_type_byte() != to->get_type_byte())
            Bugger::report_bug("NV_container: copy between records of different shapes");
        changed |= to->assign_from(*from, mode);
    }
    if (from)
        Bugger::report_bug("NV_container: copy between records of different shapes");
    return changed;
}

bool NV_container::assign_record(const NV_container& other, notify_t mode)
{
    bool changed = assign_children(other, mode);
    // Also when nothing changed: a copy is news to those who save or refresh on it.
    if (mode != notify_none)
        announce(mode);
    return changed;
}

bool NV_container::assign_record_locked(const NV_container& other)
{
    std::lock_guard<NV_container> guard(*this);
    return assign_record(other, notify_locked);
}

bool NV_container::assign_from(const NV_item& other, notify_t mode)
{
    return assign_record(static_cast<const NV_container&>(other), mode);
}

void NV_container::post_to_all_listeners(int module) const
{
    post_to_listeners(*this, module, notify_set);
    for (const NV_item* child = first_child_; child; child = child->next_sibling_) {
        if (auto container = dynamic_cast<const NV_container*>(child))
            container->post_to_all_listeners(module);
        else
            child->post_to_listeners(*child, module, notify_set);
    }
}

}
