#include "platform/iso/VT_Data_mask_obj.h"
#include "platform/iso/VT_Command.h"
#include "platform/iso/VT_Record_writer.h"

namespace VT {

Data_mask_obj::Data_mask_obj(uint16_t id, const char* name, uint8_t background_colour, uint16_t soft_key_mask,
                             uint8_t n_objects, uint8_t n_macros, Attribute_object_placement* objects,
                             const Attribute_event_macro* macros)
    : VT_obj(id, data_mask, name), background_colour_(background_colour), soft_key_mask_(soft_key_mask),
      n_objects_(n_objects), n_macros_(n_macros), objects_(objects), macros_(macros)
{
}

void Data_mask_obj::serialise_body(Record_writer& out) const
{
    out.u8(background_colour_);
    out.u16(soft_key_mask_);
    out.u8(n_objects_);
    out.u8(n_macros_);
    out.placements(*this, n_objects_, objects_);
    out.macros(n_macros_, macros_);
}

uint16_t Data_mask_obj::get_soft_key_mask() const
{
    check_pool_locked();
    return soft_key_mask_;
}

void Data_mask_obj::set_soft_key_mask(uint16_t id)
{
    check_pool_locked();
    if (soft_key_mask_ == id)
        return;
    soft_key_mask_ = id;
    send_command(Command::soft_key_mask(Command::data_mask_type, get_id(), id));
}

}
