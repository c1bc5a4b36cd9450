#pragma once
#include "platform/ui/Data_screen.h"
#include "platform/ui/Stat_list.h"
#include "platform/ui/Stat_num.h"
#include "platform/ui/Stat_num_format.h"
#include "ui/screens/Screen_links.h"
#include "ui/screens/Screen_objects.h"
#include "vt_pool/Seeder_pool_ids.h"

#include <array>
#include <memory>
#include <vector>

namespace NV_quvel {
class alarm_t;
}
namespace VT {
class Container_obj;
}

// What an alarm-point input enters: its formats (metric, imperial) and range.
struct Alarm_point_kind {
    Stat_num_format metric, imperial;
    double max;
};

// One row of an alarm settings screen: an on/off list writing `enabled` of
// its records together, and maybe an alarm point writing their `threshold`.
struct Alarm_row {
    // What the list shows of several records: the first one's `enabled`, or
    // whether any is enabled.
    enum class Shows { first, any };
    // What the alarm point shows of several records: the largest threshold
    // (low alarms: the first to trip) or the smallest (high alarms).
    enum class Point { largest, smallest };

    Input_list_id list;
    std::vector<NV_quvel::alarm_t*> records;
    Shows shows = Shows::first;
    Input_number_id point{}; // left unrecorded when the row has none
    const Alarm_point_kind* point_kind = nullptr;
    Point point_shows = Point::largest;
};

// A screen's whole table: its mask and keys, its rows, and for the per-tank
// screens the two cells of each tank's row, hidden while the tank's channel
// is disabled.
struct Alarm_table {
    Mask_id mask;
    Alarm_screen_keys keys;
    std::vector<Alarm_row> rows;
    std::array<Container_id, 4> left_cells, right_cells;
    bool per_tank = false;
    bool editable_lists = false;
    // Printed on the debug channel at every edit, when set.
    const char* edit_trace = nullptr;
};

// The alarm settings screens: each switches its alarms on and off and sets
// their alarm points from one table. The records are read at the snapshot
// only; later changes elsewhere are not shown until the next one.
class Alarm_settings_screen : public Data_screen {
public:
    static const Alarm_point_kind fan_pressure, fan_speed, tank_pressure;

    Alarm_settings_screen(const char* key, Screen_man* man, const Screen_objects& objects);
    ~Alarm_settings_screen() override;

    bool init(VT::vtui_pool* pool, NV_quvel::parameters_t* params) override;
    void post_snapshot_init() override;
    bool activate() override;
    bool handle_stat_update(Stat* s) override;
    bool handle_activator_event(Window::Activator& a, Window::Activator_event& e) override;

    // The row's list and alarm point, in the table's order.
    Stat_list& list(size_t row) { return rows_[row]->list; }
    Stat_num& point(size_t row) { return rows_[row]->point; }

protected:
    virtual Alarm_table table() const = 0;

    const Screen_objects objects_;

private:
    struct Row {
        Alarm_row spec;
        Stat_list list;
        Stat_num point;
    };

    Alarm_table table_;
    Screen_links<3> keys_;
    std::vector<std::unique_ptr<Row>> rows_;
    std::array<VT::Container_obj*, 4> left_cells_{}, right_cells_{};
};
