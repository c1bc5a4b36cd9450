#include "platform/iso/VT_Working_set_obj.h"
#include "platform/iso/VT_Record_writer.h"

namespace VT {

Working_set_obj::Working_set_obj(uint16_t id, const char* name, uint8_t background_colour, uint8_t selectable,
                                 uint16_t active_mask, uint8_t n_objects, uint8_t n_macros, uint8_t n_languages,
                                 Attribute_object_placement* objects, const Attribute_event_macro* macros,
                                 const Attribute_lang* languages)
    : VT_obj(id, working_set, name), background_colour_(background_colour), selectable_(selectable),
      active_mask_(active_mask), n_objects_(n_objects), n_macros_(n_macros), n_languages_(n_languages),
      objects_(objects), macros_(macros), languages_(languages)
{
}

void Working_set_obj::serialise_body(Record_writer& out) const
{
    out.u8(background_colour_);
    out.u8(selectable_);
    out.u16(active_mask_);
    out.u8(n_objects_);
    out.u8(n_macros_);
    out.u8(n_languages_);
    out.placements(*this, n_objects_, objects_);
    out.macros(n_macros_, macros_);
    out.languages(n_languages_, languages_);
}

}
