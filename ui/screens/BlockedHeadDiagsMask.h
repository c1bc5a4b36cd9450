#pragma once
#include "platform/rtos/Timeout.h"
#include "platform/ui/Data_screen.h"
#include "platform/ui/Stat_string.h"
#include "ui/screens/Screen_links.h"
#include "ui/screens/Screen_objects.h"

#include <array>

// The raw state of the first 32 blocked-head inputs, eight binary digits a
// row with the row's highest input leftmost, read once a second while shown.
class BlockedHeadDiagsMask : public Data_screen {
public:
    static constexpr int rows = 4, period_ms = 1000;

    BlockedHeadDiagsMask(const char* key, Screen_man* man, const Screen_objects& objects);

    bool init(VT::vtui_pool* pool, NV_quvel::parameters_t* params) override;
    void post_snapshot_init() override;
    bool activate() override;
    bool deactivate() override;
    bool send_timeout(Timeout& t) override;
    bool handle_activator_event(Window::Activator& a, Window::Activator_event& e) override;

    std::array<Stat_string, rows> inputs;

private:
    void refresh();

    const Screen_objects objects_;
    Screen_links<3> links_;
    Timeout timer_{true};
};
