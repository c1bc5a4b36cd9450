#pragma once
#include "platform/iso/VT_Container_obj.h"
#include "platform/iso/VT_Input_list_obj.h"
#include "platform/iso/VT_Object_pointer_obj.h"
#include "platform/iso/VT_vtui_pool.h"
#include "platform/ui/Screen.h"
#include "platform/ui/Screen_man.h"
#include "platform/ui/Stat_num.h"

#include <cstdint>

// The changes the screens make to their pool's objects beyond the Stats,
// each under the pool lock the objects ask for; a null object is skipped.
namespace Screen_vt {

inline void set_hidden(const Screen& screen, VT::Container_obj* container, bool hidden)
{
    VT::vtui_pool* pool = screen.get_pool();
    if (!container || !pool)
        return;
    pool->lock_pool();
    container->set_hidden(hidden);
    pool->unlock_pool();
}

// Shows the object in the list's entry; Screen::NULL_ID blanks the entry.
inline void set_list_entry(const Screen& screen, VT::Input_list_obj* list, uint8_t index, uint16_t object)
{
    VT::vtui_pool* pool = screen.get_pool();
    if (!list || !pool)
        return;
    pool->lock_pool();
    list->set_child_objects_val(index, object, false);
    pool->unlock_pool();
}

// Points the pointer (a soft-key place, say) at the object; Screen::NULL_ID
// empties it.
inline void set_pointer(const Screen& screen, VT::Object_pointer_obj* pointer, uint16_t object)
{
    VT::vtui_pool* pool = screen.get_pool();
    if (!pointer || !pool)
        return;
    pool->lock_pool();
    pointer->set_value(object);
    pool->unlock_pool();
}

// Gives the number the manager's unit system, when the manager has one.
inline void apply_units(const Screen& screen, Stat_num& number)
{
    if (Units_man* units = screen.get_man()->get_units_man())
        number.set_units(*units);
}

}
