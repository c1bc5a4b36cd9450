#include "platform/data/CDS_Lookup_item.h"
#include "platform/data/CDS_Head.h"
#include "platform/data/CDS_Lookup_root.h"
#include "platform/rtos/Bugger.h"

#include <cstring>

namespace CDS {

Lookup_item::Lookup_item(Lookup_struct& parent)
    : parent_(&parent)
{
}

Lookup_root* Lookup_item::root()
{
    Lookup_item* node = this;
    while (node->parent_)
        node = node->parent_;
    return node->as_root();
}

Lookup_item* Lookup_item::find_item(const char* path, char separator)
{
    if (!path)
        return nullptr;
    Lookup_item* node = this;
    while (*path) {
        Lookup_struct* record = node->as_struct();
        if (!record)
            return nullptr;
        const char* end = std::strchr(path, separator);
        size_t length = end ? size_t(end - path) : std::strlen(path);
        Lookup_item* match = nullptr;
        for (Lookup_item& child : record->children()) {
            const char* name = child.get_name();
            if (name && std::strlen(name) == length && std::strncmp(name, path, length) == 0) {
                match = &child;
                break;
            }
        }
        if (!match)
            return nullptr;
        node = match;
        if (!end)
            break;
        path = end + 1;
        // "a." names nothing: the name after the separator is empty.
        if (!*path)
            return nullptr;
    }
    return node;
}

void Lookup_item::set_event_handler(Event_handler* handler)
{
    Lookup_root* top = root();
    if (!top)
        Bugger::report_bug("CDS::Lookup_item::set_event_handler on a node outside a tree");
    Data_item::set_event_handler(handler);
    Head& head = top->get_head();
    head.set_event_handler(head.offset_of(get_item_ptr()), get_item_size(), handler);
}

void Lookup_item::notify_cds(void* item, unsigned size)
{
    Lookup_root* top = root();
    if (!top)
        Bugger::report_bug("CDS::Lookup_item::notify_cds on a node outside a tree");
    Head& head = top->get_head();
    head.lock();
    head.event_signal(item, item, head.offset_of(item), size, nullptr);
    head.unlock();
}

}
