#pragma once
#include "platform/data/CDS_Virt_listener.h"
#include "platform/data/NV_Virt_listener.h"
#include "platform/iso/VT_vtui_pool.h"
#include "platform/rtos/Timeout.h"
#include "platform/ui/Data_screen.h"
#include "platform/ui/Stat_indicator.h"
#include "platform/ui/Stat_list.h"
#include "platform/ui/Stat_num.h"
#include "platform/ui/Stat_string.h"
#include "platform/ui/Window_Activator.h"
#include "ui/screens/Screen_objects.h"

#include <array>
#include <cstdint>
#include <memory>

struct ds_channel;
struct Seeder_tank_record;
class TAlarmManager;

namespace NV_quvel {
class channel_t;
}
namespace VT {
class Container_obj;
class Input_list_obj;
class Object_pointer_obj;
}

// The operating screen: up to four tanks side by side, the master switch,
// ground speed, two fans and the area and volume counters. Its keys change
// the selected tanks' requested rates, switch tanks and the master switch and
// reset the counters, all through store writes the control task acts on.
// It also owns the alarm manager: once a second, and at once when an alarm
// appears with none shown, it scans the store's alarm records and brings
// their alarm screens up until they are acknowledged.
class Main_screen : public Data_screen {
public:
    static constexpr int tank_count = 4;
    // The tank selection list's item that selects every tank.
    static constexpr uint16_t all_tanks = 4;
    static constexpr int alarm_period_ms = 1000, hold_period_ms = 200, blink_period_ms = 1000;

    // One tank's panel: name, switch and selection marks, rates, contents,
    // liquid pressure, preset and control-mode marks, the rate alarm flash.
    class Channel {
    public:
        Channel() = default;
        Channel(const Channel&) = delete;
        Channel& operator=(const Channel&) = delete;

        // Binds the tank's objects of its record in the ID table.
        void init(int tank, Main_screen* owner);
        // Hides every mark and panel, follows the store and the tank's
        // parameters, and shows both once.
        void post_snapshot_init();

        void handle_virt_listener_event(CDS::Virt_access* listener, waiter_event& event);
        void handle_nv_listener_event(NV_store::Virt_access* listener);

        // The store's values of the tank onto the panel.
        void show_store();
        // The tank's parameters onto the panel and the lists.
        void show_parameters();
        // Shows the rate alarm flash or not.
        void show_flash(bool shown);

        Stat_num requested_rate;
        Stat_num actual_rate;
        Stat_num remaining;
        Stat_num liquid_pressure;
        Stat_indicator tank_on;
        Stat_indicator selected;
        Stat_string name;

    private:
        ds_channel& record() const;
        // The tank's objects in the ID table.
        const Seeder_tank_record& objects() const;
        // Binds the rates and the contents in the formats of the product mode.
        void init_rates(int mode);
        NV_quvel::channel_t& parameters() const;
        // The rate and contents formats of the product mode, when it changed.
        void apply_mode(int mode);
        void show_control_mode(bool enabled, int mode, int rate_control_mode);

        int tank_ = 0;
        Main_screen* owner_ = nullptr;
        CDS::Virt_listener<Channel> store_listener_{this};
        NV_store::Virt_listener<Channel> parameter_listener_{this};
        Stat_indicator::Client tank_on_client_;
        Stat_indicator::Client selected_client_;
        VT::Container_obj* preset_1_mark_ = nullptr;
        VT::Container_obj* preset_2_mark_ = nullptr;
        VT::Container_obj* panel_ = nullptr;
        VT::Container_obj* flash_mark_ = nullptr;
        VT::Container_obj* pressure_panel_ = nullptr;
        VT::Container_obj* manual_mode_ = nullptr;
        VT::Container_obj* automatic_mode_ = nullptr;
        int mode_ = -1;
    };

    Main_screen(const char* key, Screen_man* man, const Screen_objects& objects);
    ~Main_screen() override;

    bool init(VT::vtui_pool* pool, NV_quvel::parameters_t* params) override;
    void post_snapshot_init() override;
    bool activate() override;
    bool deactivate() override;
    bool send_timeout(Timeout& t) override;
    bool handle_stat_update(Stat* stat) override;
    bool handle_activator_event(Window::Activator& activator, Window::Activator_event& event) override;

    void handle_virt_listener_event(CDS::Virt_access* listener, waiter_event& event);
    void handle_nv_listener_event(NV_store::Virt_access* listener);

    // Queues the alarm screen of that mask while the alarm is active and not
    // acknowledged; otherwise un-queues it and takes it off the display.
    void process_alarms(bool active, bool acknowledged, const char* mask_name);

    const Channel& channel(int tank) const { return channels_[tank]; }
    // Null until the screen was first shown.
    const TAlarmManager* alarm_manager() const { return alarms_.get(); }

private:
    friend class Channel;
    const Seeder_pool_ids& ids() const { return objects_.ids; }
    Data_store& store() const { return objects_.store; }
    // Runs f with the pool locked: VT objects change only under it.
    template <class F>
    void with_pool(F f)
    {
        if (!get_pool())
            return;
        get_pool()->lock_pool();
        f();
        get_pool()->unlock_pool();
    }

    // Whether the tank's keys act on it: selected, with a product, enabled.
    bool eligible(int tank);
    void step_rate(bool increase);
    void toggle_presets();
    void toggle_tanks();
    void start_hold(bool increase);
    void hold_tick();
    void show_page(bool first);
    void reset_area();
    void reset_sub_area();
    // The tank selection list took item v: the tanks' selected marks follow.
    void select_tanks(uint16_t item);
    void select_sub_area(uint16_t item);
    // The "all tanks" item only with two enabled tanks, a disabled tank's
    // items away, and the selection off a tank that went.
    void update_tank_lists();
    void show_counters();
    void apply_sub_area_volume_format();
    void show_fans();
    void show_switch_box();
    void blink();

    // Alarm scanning.
    void scan_alarms();
    void alarm_tick();
    void alarms_changed();
    void take_off_display(Screen* screen);
    bool vt_uploaded();
    bool alarms_inhibited();

    const Screen_objects objects_;
    bool first_activation_ = true;
    std::unique_ptr<TAlarmManager> alarms_;
    Timeout alarm_timer_{true};
    Timeout hold_timer_{true};
    Timeout blink_timer_{true};
    bool increase_held_ = false;
    bool decrease_held_ = false;
    bool blink_phase_ = false;
    unsigned sub_area_volume_decimals_ = 1;

    VT::Container_obj* page_1_ = nullptr;
    VT::Container_obj* page_2_ = nullptr;
    uint16_t page_1_keys_ = NULL_ID;
    uint16_t page_2_keys_ = NULL_ID;
    std::array<uint16_t, tank_count + 1> tank_items_{};
    std::array<uint16_t, tank_count> viewed_items_{};
    std::array<Channel, tank_count> channels_;

    Stat_list tank_selection_;
    Stat_list sub_area_;
    Stat_list viewed_tank_;
    VT::Input_list_obj* tank_list_ = nullptr;
    VT::Input_list_obj* viewed_list_ = nullptr;
    std::array<VT::Container_obj*, 6> fan_containers_{};

    Stat_num ground_speed_;
    Stat_num area_rate_;
    std::array<Stat_num, 2> fan_speeds_;
    std::array<Stat_num, 2> fan_pressures_;
    Stat_num total_area_;
    Stat_num sub_area_area_;
    Stat_num sub_area_volume_;

    Window::Activator page_1_toggle_, tank_on_off_, preset_, increase_, decrease_, master_;
    Window::Activator page_2_toggle_, settings_, reset_sub_area_, reset_area_, manual_speed_, diagnostics_;
    struct Tank_keys {
        Window::Activator fill, automatic, manual, select;
    };
    std::array<Tank_keys, tank_count> tank_keys_;

    CDS::Virt_listener<Main_screen> areas_listener_{this};
    CDS::Virt_listener<Main_screen> vehicle_listener_{this};
    CDS::Virt_listener<Main_screen> fans_listener_{this};
    CDS::Virt_listener<Main_screen> operation_listener_{this};
    CDS::Virt_listener<Main_screen> volumes_listener_{this};
    CDS::Virt_listener<Main_screen> alarms_listener_{this};
    NV_store::Virt_listener<Main_screen> switch_box_listener_{this};
    std::array<std::unique_ptr<NV_store::Virt_listener<Main_screen>>, 2> fan_listeners_;
    std::array<std::unique_ptr<NV_store::Virt_listener<Main_screen>>, tank_count> tank_listeners_;

    Stat_indicator master_indicator_;
    Stat_indicator manual_speed_indicator_;
    Stat_indicator::Client master_client_;
    Stat_indicator::Client manual_speed_client_;
    VT::Container_obj* manual_speed_container_ = nullptr;
    VT::Object_pointer_obj* tank_on_off_slot_ = nullptr;
    uint16_t tank_on_off_target_ = NULL_ID;
    // The fills of the indicators' states: off red, on green; a tank's frame
    // white, yellow while selected.
    std::array<uint16_t, 2> on_off_fills_{};
    std::array<uint16_t, 2> selected_fills_{};
};
