#include "ui/screens/TotalsHistoryMask.h"

#include "params/parameters_t.h"
#include "platform/iso/VT_Output_number_obj.h"
#include "platform/iso/VT_Output_string_obj.h"
#include "platform/ui/Bind_object.h"
#include "ui/screens/Screen_vt.h"
#include "ui/screens/Seeder_tanks.h"
#include "vt_pool/Seeder_pool_ids.h"

namespace {

constexpr double square_metres_per_hectare = 10000;

// A tank total's metric and imperial formats, by the tank's product type.
struct Total_formats {
    Stat_num_format metric;
    Stat_num_format imperial;
};

Total_formats total_formats(int mode)
{
    switch (mode) {
    case Seeder_tanks::liquid:
        return {Stat_num_format(12, 0.1, 1), Stat_num_format(12, 0.1, 1)};
    case Seeder_tanks::nh3:
        return {Stat_num_format(16, 0.1, 1), Stat_num_format(16, 0.045359237, 1)};
    default:
        return {Stat_num_format(15, 0.1, 1), Stat_num_format(15, 0.045359237, 1)};
    }
}

}

bool TotalsHistoryMask::init(VT::vtui_pool* pool, NV_quvel::parameters_t* params)
{
    const Totals_history_ids& own = objects_.ids.totals_history;
    if (!init_page(pool, params, own.mask, own.keys))
        return false;
    const auto output = [pool](const Output_number_id& id) { return UI::bind_object<VT::Output_number_obj>(pool, id); };
    area.init(this, output(own.area), Stat_num_format(10, 1000.0, 1), Stat_num_format(10, 404.68564224, 1), 1000, pool);
    distance.init(this, output(own.distance), Stat_num_format(5, 1.0, 3), Stat_num_format(5, 1.609344, 3), 1000, pool,
                  UI::bind_object<VT::Output_string_obj>(pool, objects_.ids.totals_history_more.distance_units));
    time.init(this, output(own.time), Stat_num_format(0, 0.1, 1), Stat_num_format(0, 0.1, 1), 1000, pool);
    max_speed.init(this, output(own.max_speed), Stat_num_format(6, 0.1 / 3.6, 1), Stat_num_format(6, 0.044704, 1),
                   1000, pool);
    for (int t = 0; t < tanks; ++t) {
        tank_total_objects_[t] = output(own.tank_totals[t]);
        const Total_formats formats = total_formats(-1);
        tank_totals[t].init(this, tank_total_objects_[t], formats.metric, formats.imperial, 1000, pool);
    }
    return true;
}

bool TotalsHistoryMask::activate()
{
    const bool shown = History_page::activate();
    for (int t = 0; t < tanks; ++t) {
        const uint8_t mode = Seeder_tanks::channel(objects_.parameters, t).mode.get();
        if (mode == tank_modes_[t])
            continue;
        tank_modes_[t] = mode;
        const Total_formats formats = total_formats(mode);
        tank_totals[t].init(this, tank_total_objects_[t], formats.metric, formats.imperial, 1000, get_pool());
        Screen_vt::apply_units(*this, tank_totals[t]);
        tank_totals[t].set_val(read(history().output[t]));
    }
    return shown;
}

void TotalsHistoryMask::refresh()
{
    area.set_val(read(history().machine_operating_area) * square_metres_per_hectare);
    distance.set_val(read(history().machine_operating_distance));
    time.set_val(read(history().machine_operating_time));
    max_speed.set_val(read(history().max_speed));
    for (int t = 0; t < tanks; ++t)
        tank_totals[t].set_val(read(history().output[t]));
    send_val_updates(false);
}
