#pragma once
#include "platform/data/CDS_Virt_listener.h"
#include "platform/rtos/Timeout.h"
#include "platform/ui/Data_screen.h"
#include "platform/ui/Stat_indicator.h"
#include "platform/ui/Stat_num.h"
#include "platform/ui/Stat_string.h"
#include "platform/ui/Window_Activator.h"
#include "ui/screens/Screen_objects.h"

#include <array>
#include <cstdint>
#include <memory>

namespace VT {
class Container_obj;
class Object_pointer_obj;
}

// The area test: standing still, the granular tanks meter as if the
// implement drove at the manual speed until the area covered, added up
// ten times a second from that speed and the machine width, reaches the
// required area; each tank shows what it applied meanwhile.
//
// The step lives in the store (0 ready, 1 running, 2 paused, 3 completed)
// and the screen redraws on its change. While shown, the manual speed is
// in use and the switch boxes leave the master and the tank switches to
// the screen. Only Start and Reset change a run's figures: shown again
// after an interruption (an alarm mask), the run is where it was left,
// and a running test does not meter while the screen is not shown.
class AreaTestMask : public Data_screen {
public:
    static constexpr int period_ms = 100;
    enum Step : uint32_t { ready = 0, running = 1, paused = 2, completed = 3 };

    AreaTestMask(const char* key, Screen_man* man, const Screen_objects& objects);

    bool init(VT::vtui_pool* pool, NV_quvel::parameters_t* params) override;
    void post_snapshot_init() override;
    bool activate() override;
    bool deactivate() override;
    bool send_timeout(Timeout& t) override;
    bool handle_stat_update(Stat* stat) override;
    bool handle_activator_event(Window::Activator& activator, Window::Activator_event& event) override;

    void handle_virt_listener_event(CDS::Virt_access* listener, waiter_event& event);

    // Square metres.
    float get_area_covered() const { return area_covered_; }

    Stat_num required_area, area_covered;
    std::array<Stat_num, 4> applied;
    Stat_string instruction;

private:
    // Tank t takes part: granular, in use, with a product (of the table)
    // that has a calibration factor.
    bool eligible(int tank);
    uint32_t step();
    void set_step(uint32_t step);
    void reset();
    void start_run();
    void redraw();
    void show_values();
    void show_indicators();
    void push_updates();
    void set_master(bool on);

    const Screen_objects objects_;
    Timeout timer_{true, period_ms};
    float required_ha_ = 0.2f;
    float area_covered_ = 0.0f;
    Window::Activator settings_menu_, main_screen_, start_, pause_, resume_, reset_;
    std::unique_ptr<CDS::Virt_listener<AreaTestMask>> internal_listener_;
    std::array<Stat_indicator, 4> indicators_;
    std::array<Stat_indicator::Client, 4> indicator_clients_;
    std::array<uint16_t, 2> on_off_fills_{};
    std::array<VT::Object_pointer_obj*, 4> key_slots_{};
    uint16_t settings_key_ = NULL_ID, main_key_ = NULL_ID, start_key_ = NULL_ID, pause_key_ = NULL_ID,
             resume_key_ = NULL_ID, reset_key_ = NULL_ID;
    std::array<VT::Container_obj*, 4> tank_groups_{};
    bool manual_speed_forced_ = false;
    uint8_t saved_remote_master_mode_ = 0;
    uint8_t saved_cal_swbox_type_ = 0;
};
