#include "ui/screens/Alarm_settings_screen.h"

#include "params/parameters_t.h"
#include "platform/iso/VT_Container_obj.h"
#include "platform/iso/VT_Data_mask_obj.h"
#include "platform/iso/VT_Input_list_obj.h"
#include "platform/iso/VT_Input_number_obj.h"
#include "platform/rtos/Debug_base.h"
#include "platform/ui/Bind_object.h"
#include "ui/screens/Screen_vt.h"
#include "ui/screens/Seeder_tanks.h"

#include <algorithm>

namespace {

constexpr Units_man::units_type pressure_units = 17, plain_units = 0;

}

const Alarm_point_kind Alarm_settings_screen::fan_pressure{
    Stat_num_format(pressure_units, 0.1, 1), Stat_num_format(pressure_units, 0.01, 2), 100};
const Alarm_point_kind Alarm_settings_screen::fan_speed{Stat_num_format(plain_units, 0.1, 1),
                                                        Stat_num_format(plain_units, 0.1, 1), 20000};
const Alarm_point_kind Alarm_settings_screen::tank_pressure{
    Stat_num_format(pressure_units, 0.1, 1), Stat_num_format(pressure_units, 0.01, 2), 10000};

Alarm_settings_screen::Alarm_settings_screen(const char* key, Screen_man* man, const Screen_objects& objects)
    : Data_screen(key, man), objects_(objects)
{
}

Alarm_settings_screen::~Alarm_settings_screen() = default;

bool Alarm_settings_screen::init(VT::vtui_pool* pool, NV_quvel::parameters_t* params)
{
    table_ = table();
    if (!Data_screen::init(pool, UI::bind_object<VT::Data_mask_obj>(pool, table_.mask), params, nullptr, 0))
        return false;
    keys_.init(this, {{table_.keys.main_key, NULL_ID, "main"},
                      {table_.keys.settings_key, NULL_ID, "settings_menu"},
                      {table_.keys.alarms_menu_key, NULL_ID, "alarm_settings_menu"}});
    rows_.clear();
    for (const Alarm_row& spec : table_.rows) {
        auto row = std::make_unique<Row>();
        row->spec = spec;
        row->list.init(this, UI::bind_object<VT::Input_list_obj>(pool, spec.list), nullptr, pool, false);
        if (table_.editable_lists)
            row->list.set_editable(true);
        if (spec.point_kind) {
            row->point.init(this, UI::bind_object<VT::Input_number_obj>(pool, spec.point), spec.point_kind->metric,
                            spec.point_kind->imperial, 1000, pool);
            row->point.set_range(0, spec.point_kind->max);
            row->point.set_editable(true);
        }
        rows_.push_back(std::move(row));
    }
    if (table_.per_tank) {
        for (int t = 0; t < Seeder_tanks::count; ++t) {
            left_cells_[t] = UI::bind_object<VT::Container_obj>(pool, table_.left_cells[t]);
            right_cells_[t] = UI::bind_object<VT::Container_obj>(pool, table_.right_cells[t]);
        }
    }
    return true;
}

void Alarm_settings_screen::post_snapshot_init()
{
    for (const auto& row : rows_) {
        const std::vector<NV_quvel::alarm_t*>& records = row->spec.records;
        bool on = records.front()->enabled.get();
        if (row->spec.shows == Alarm_row::Shows::any)
            on = std::any_of(records.begin(), records.end(), [](NV_quvel::alarm_t* r) { return r->enabled.get(); });
        row->list.set_item(on ? 1 : 0);
        if (!row->spec.point_kind)
            continue;
        Screen_vt::apply_units(*this, row->point);
        float shown = records.front()->threshold.get();
        for (NV_quvel::alarm_t* r : records)
            shown = row->spec.point_shows == Alarm_row::Point::largest ? std::max(shown, r->threshold.get())
                                                                      : std::min(shown, r->threshold.get());
        row->point.set_val(shown);
    }
}

bool Alarm_settings_screen::activate()
{
    const bool shown = Data_screen::activate();
    if (table_.per_tank) {
        for (int t = 0; t < Seeder_tanks::count; ++t) {
            const bool enabled = Seeder_tanks::channel(objects_.parameters, t).enabled.get();
            Screen_vt::set_hidden(*this, left_cells_[t], !enabled);
            Screen_vt::set_hidden(*this, right_cells_[t], !enabled);
        }
    }
    return shown;
}

bool Alarm_settings_screen::handle_stat_update(Stat* s)
{
    if (table_.edit_trace)
        Debug_print::dprint("%s", table_.edit_trace);
    for (const auto& row : rows_) {
        if (s == &row->list) {
            for (NV_quvel::alarm_t* r : row->spec.records)
                r->enabled.set(row->list.get_item() != 0);
        } else if (s == &row->point) {
            for (NV_quvel::alarm_t* r : row->spec.records)
                r->threshold.set(float(row->point.get_val()));
        }
    }
    return false;
}

bool Alarm_settings_screen::handle_activator_event(Window::Activator& a, Window::Activator_event& e)
{
    keys_.handle(*this, a, e);
    return true;
}
