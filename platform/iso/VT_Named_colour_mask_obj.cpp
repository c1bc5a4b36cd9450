#include "platform/iso/VT_Named_colour_mask_obj.h"

namespace VT {

Named_colour_mask_obj::Named_colour_mask_obj(uint16_t id, const char* name, uint8_t n_entries,
                                             const Named_colour_entry* entries)
    : VT_obj(id, named_colour_mask, name), n_entries_(n_entries), entries_(entries)
{
}

}
