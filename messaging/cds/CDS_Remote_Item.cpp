#include "messaging/cds/CDS_Remote_Item.h"
#include "platform/rtos/Debug_base.h"

namespace CDS {
namespace Remote {

Item::Item(const char* name, uint16_t id)
    : name_(name)
{
    // The id comes from the description: numbering an item that has no
    // children yet gives it exactly that id.
    number_remote_ids(id);
}

void Item::print(int depth, const char* suffix) const
{
    Debug_print::dprint("%*s%s(%d) = ", depth * 2, "", get_name(), int(get_remote_id()));
    if (update_count_) {
        char text[33];
        text[0] = '\0';
        _to_string(text, sizeof text);
        Debug_print::dprint("%s", text);
    }
    Debug_print::dprint("%s", suffix);
}

void Item::set_minmax(uint16_t& lowest, uint16_t& highest)
{
    if (get_remote_id() < lowest)
        lowest = get_remote_id();
    if (get_remote_id() > highest)
        highest = get_remote_id();
}

Item* Item::find_by_path(const char* path)
{
    if (!*path)
        return this;
    Debug_print::dprint("Base find item, why? %s,%d,%s\n", path, int(get_remote_id()), get_name());
    return nullptr;
}

Item* Item::find_by_id(uint16_t id)
{
    return id == get_remote_id() ? this : nullptr;
}

}
}
