#pragma once
#include "platform/iso/VT_vtui_pool.h"
#include "platform/rtos/Bugger.h"
#include "vt_pool/seeder_ecu_pool/Pool_table.h"

namespace VT {

// An application's object pool: the common user-interface objects, then the
// application's fixed objects, a member of type Fixed made after them in its
// declaration order. Fixed gives
//   count            how many fixed objects it holds, in table slots after the common ones;
//   each(f)          calls f with every fixed object;
//   fill()           writes what the objects were made pointing at (children,
//                    references, values, picture data), once all exist.
// Every fixed object goes in table slot ID - 256. With a table of its own the
// pool indexes every object by name and by ID (of two, the later slot wins);
// a supplied table is filled alike and leaves both indexes empty. The pool is
// large and holds pointers into itself: it lives on the heap and never moves.
template <class Fixed>
class Application_pool : private Pool_table, public vtui_pool {
public:
    static constexpr unsigned short table_size = vtui_pool::common_count + Fixed::count;
    static constexpr uint16_t first_slot_id = Common_builder::first_id;

    Application_pool(module_man* man, VT_obj** table, unsigned short size)
        : Pool_table(table, size, table_size), vtui_pool(man, get_slots(), get_slot_count())
    {
        fixed_.each([this](VT_obj& object) { enter_fixed(object); });
        fixed_.fill();
        if (is_own_table())
            index_table();
    }
    Application_pool(const Application_pool&) = delete;
    Application_pool& operator=(const Application_pool&) = delete;

protected:
    Fixed& get_fixed() { return fixed_; }

private:
    void enter_fixed(VT_obj& object)
    {
        const int slot = int(object.get_id()) - first_slot_id;
        if (slot < vtui_pool::common_count || slot >= table_size)
            Bugger::report_bug("fixed VT object outside the pool's own slots");
        enter(static_cast<unsigned short>(slot), object);
    }

    Fixed fixed_;
};

}
