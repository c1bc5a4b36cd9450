#include "platform/iso/Working_set_member.h"
#include "platform/can/ZEV_smart_stack.h"

uint8_t Working_set_member::get_address(ZEV_smart_stack& stack) const
{
    ZEV_name::Name_manager& names = stack.get_name_manager();
    if (names.get_claim_state(name_) != ZEV_name::Claim_state::claimed)
        return ZEV_trans::ADDRESS_NULL;
    return names.gethostbyname(ZEV_name::NAME(name_));
}

bool Working_set_member::announce(ZEV_smart_stack& stack) const
{
    const uint8_t source = get_address(stack);
    if (source == ZEV_trans::ADDRESS_NULL)
        return false;
    // One member: the master itself.
    const uint8_t data[8] = {1, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    ZEV_header header(source, ZEV_trans::ADDR_BROADCAST, working_set_master_pgn, 7, 0, sizeof data);
    return stack.write(header, data, sizeof data, nullptr, 0) == 0;
}
