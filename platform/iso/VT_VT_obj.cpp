#include "platform/iso/VT_VT_obj.h"
#include "platform/iso/Object_pool_base.h"
#include "platform/iso/VT_Lifecycle_watch.h"
#include "platform/iso/VT_Record_writer.h"
#include "platform/rtos/Bugger.h"

#include <cstring>

namespace VT {

VT_obj::VT_obj(uint16_t id, Object_type type, const char* name) : id_(id), type_(type)
{
    const size_t length = name ? std::strlen(name) : 0;
    if (length > max_name)
        Bugger::report_bug("VT object name too long");
    if (length)
        std::memcpy(name_, name, length);
    Lifecycle_watch::tell_made(Lifecycle_watch::object, id, this);
}

VT_obj::~VT_obj()
{
    Lifecycle_watch::tell_gone(Lifecycle_watch::object, id_, this);
}

void VT_obj::serialise(Record_writer& out) const
{
    out.u16(id_);
    out.u8(type_);
    serialise_body(out);
}

bool VT_obj::get_displayed_size(int&, int&) const
{
    return false;
}

void VT_obj::send_command(std::vector<uint8_t> message) const
{
    if (pool_)
        pool_->send_command(std::move(message));
}

void VT_obj::check_pool_locked() const
{
    if (pool_)
        pool_->check_pool_locked();
}

}
