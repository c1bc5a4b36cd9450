#pragma once
#include "platform/data/CDS_Virt_listener.h"
#include "platform/ui/Data_screen.h"
#include "platform/ui/Window_Activator.h"
#include "ui/screens/Screen_objects.h"

#include <memory>

// The warning before the calibration of several tanks, on the first step's
// mask. Continue leads to the first step, back to the product settings menu.
// The pool builds no keys of its own for it and no screen leads to it.
class MultiTankCalWarningMask : public Data_screen {
public:
    MultiTankCalWarningMask(const char* key, Screen_man* man, const Screen_objects& objects);

    bool init(VT::vtui_pool* pool, NV_quvel::parameters_t* params) override;
    void post_snapshot_init() override;
    bool activate() override;
    bool handle_activator_event(Window::Activator& activator, Window::Activator_event& event) override;

    void handle_virt_listener_event(CDS::Virt_access* listener, waiter_event& event);

private:
    const Screen_objects objects_;
    std::unique_ptr<CDS::Virt_listener<MultiTankCalWarningMask>> internal_listener_;
    Window::Activator continue_, back_;
};
