#include "platform/iso/VT_Alarm_mask_obj.h"
#include "platform/iso/VT_Record_writer.h"

namespace VT {

Alarm_mask_obj::Alarm_mask_obj(uint16_t id, const char* name, uint8_t background_colour, uint16_t soft_key_mask,
                               uint8_t priority, uint8_t acoustic_signal, uint8_t n_objects, uint8_t n_macros,
                               Attribute_object_placement* objects, const Attribute_event_macro* macros)
    : VT_obj(id, alarm_mask, name), background_colour_(background_colour), soft_key_mask_(soft_key_mask),
      priority_(priority), acoustic_signal_(acoustic_signal), n_objects_(n_objects), n_macros_(n_macros),
      objects_(objects), macros_(macros)
{
}

void Alarm_mask_obj::serialise_body(Record_writer& out) const
{
    out.u8(background_colour_);
    out.u16(soft_key_mask_);
    out.u8(priority_);
    out.u8(acoustic_signal_);
    out.u8(n_objects_);
    out.u8(n_macros_);
    out.placements(*this, n_objects_, objects_);
    out.macros(n_macros_, macros_);
}

}
