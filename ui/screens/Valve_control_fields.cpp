#include "ui/screens/Valve_control_fields.h"

#include "platform/iso/VT_Input_list_obj.h"
#include "platform/ui/Bind_object.h"
#include "ui/screens/Valve_mode_bits.h"
#include "vt_pool/Seeder_pool_ids.h"

using namespace Valve_mode_bits;

void Valve_control_fields::bind(Stat_collector* collector, VT::vtui_pool* pool, const Valve_control_lists& ids)
{
    const std::pair<Stat_list*, const Input_list_id*> lists[] = {
        {&soft_start, &ids.soft_start}, {&soft_stop, &ids.soft_stop}, {&add_dither, &ids.add_dither},
        {&dump_valve, &ids.dump_valve}, {&min_pwm, &ids.min_pwm},     {&max_pwm, &ids.max_pwm},
        {&response, &ids.response},
    };
    for (const auto& [stat, id] : lists) {
        stat->init(collector, UI::bind_object<VT::Input_list_obj>(pool, *id), nullptr, pool, false);
        stat->set_editable(true);
    }
}

void Valve_control_fields::refresh(NV_quvel::channel_t& channel)
{
    const uint8_t mode = (channel.*members_.mode).get();
    soft_start.set_item(flag_item(mode, Valve_mode_bits::soft_start));
    soft_stop.set_item(flag_item(mode, Valve_mode_bits::soft_stop));
    add_dither.set_item(flag_item(mode, dither));
    dump_valve.set_item(dump_item(mode));
    min_pwm.set_item((channel.*members_.min_pwm).get());
    max_pwm.set_item((channel.*members_.max_pwm).get());
    response.set_item((channel.*members_.response).get());
}

void Valve_control_fields::edit(NV_quvel::channel_t& channel, Stat* s)
{
    NV_quvel::nv_u8& mode = channel.*members_.mode;
    const std::pair<Stat_list*, uint8_t> flags[] = {
        {&soft_start, Valve_mode_bits::soft_start}, {&soft_stop, Valve_mode_bits::soft_stop}, {&add_dither, dither}};
    for (const auto& [stat, bit] : flags)
        if (s == stat)
            mode.set(with_flag(mode.get(), bit, stat->get_item() != 0));
    if (s == &dump_valve)
        mode.set(with_dump(mode.get(), dump_valve.get_item()));
    const std::pair<Stat_list*, NV_quvel::nv_u8 NV_quvel::channel_t::*> items[] = {
        {&min_pwm, members_.min_pwm}, {&max_pwm, members_.max_pwm}, {&response, members_.response}};
    for (const auto& [stat, member] : items)
        if (s == stat)
            (channel.*member).set(uint8_t(stat->get_item()));
}
