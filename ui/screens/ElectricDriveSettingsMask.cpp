#include "ui/screens/ElectricDriveSettingsMask.h"

#include "platform/iso/VT_Container_obj.h"
#include "platform/iso/VT_Output_number_obj.h"
#include "platform/ui/Bind_object.h"
#include "ui/screens/Screen_vt.h"

namespace {

// The fixed motors' pulses/rev, max rpm and min rpm, by list item.
constexpr double fixed_motors[2][3] = {{2, 1500, 30}, {4, 2000, 30}};

}

bool ElectricDriveSettingsMask::init(VT::vtui_pool* pool, NV_quvel::parameters_t* params)
{
    const Electric_drive_ids& own = objects_.ids.electric_drive;
    if (!init_navigation(pool, params, {own.mask, own.keys, own.tank_number, {}, nullptr}))
        return false;
    bind(pool, shaft_sensor, own.shaft_sensor);
    bind(pool, soft_start, own.soft_start);
    bind(pool, gear_ratio, own.gear_ratio, 0.01, 2, 1000);
    bind(pool, shaft_pulses_per_rev, own.shaft_pulses_per_rev, 1.0, 0, 1000);
    const Motor_value_ids* values[] = {&own.pulses_per_rev, &own.max_rpm, &own.min_rpm};
    const Motor_value_containers* containers[] = {&own.pulses_per_rev_containers, &own.max_rpm_containers,
                                                  &own.min_rpm_containers};
    Float_field* custom[] = {&pulses_per_rev, &max_rpm, &min_rpm};
    const double max[] = {1000, 10000, 10000};
    const Stat_num_format whole(0, 1.0, 0);
    for (int i = 0; i < 3; ++i) {
        bind(pool, *custom[i], values[i]->custom, 1.0, 0, max[i]);
        custom_containers_[i] = UI::bind_object<VT::Container_obj>(pool, containers[i]->custom);
        fixed[i].init(this, UI::bind_object<VT::Output_number_obj>(pool, values[i]->fixed), whole, whole, 1000, pool);
        fixed_containers_[i] = UI::bind_object<VT::Container_obj>(pool, containers[i]->fixed);
    }
    bind(pool, motor_selection, own.motor_selection);
    return true;
}

bool ElectricDriveSettingsMask::activate()
{
    for (int i = 0; i < 3; ++i) {
        Screen_vt::set_hidden(*this, custom_containers_[i], true);
        Screen_vt::set_hidden(*this, fixed_containers_[i], true);
    }
    update_from_cds();
    return Data_screen::activate();
}

void ElectricDriveSettingsMask::refresh_fields()
{
    load({&shaft_sensor, &soft_start}, {&motor_selection},
         {&gear_ratio, &shaft_pulses_per_rev, &pulses_per_rev, &max_rpm, &min_rpm});
    show_motor_selection(channel().motor_pulse_encoder.get());
}

void ElectricDriveSettingsMask::show_motor_selection(unsigned item)
{
    const bool is_fixed = item < 2;
    if (is_fixed)
        for (int i = 0; i < 3; ++i)
            fixed[i].set_val(fixed_motors[item][i]);
    for (int i = 0; i < 3; ++i) {
        Screen_vt::set_hidden(*this, fixed_containers_[i], !is_fixed);
        Screen_vt::set_hidden(*this, custom_containers_[i], is_fixed);
    }
}

void ElectricDriveSettingsMask::edit(Stat* s)
{
    write(s, {&shaft_sensor, &soft_start}, {&motor_selection},
          {&gear_ratio, &shaft_pulses_per_rev, &pulses_per_rev, &max_rpm, &min_rpm});
    if (s == &motor_selection.stat)
        show_motor_selection(motor_selection.stat.get_item());
}
