#pragma once
#include "data_store/Data_store.h"
#include "platform/iso/VT_Data_mask_obj.h"
#include "platform/ui/Bind_object.h"
#include "platform/ui/Data_screen.h"
#include "platform/ui/Window_Activator.h"
#include "ui/screens/Screen_objects.h"
#include "vt_pool/Seeder_pool_ids.h"

// Asks before the factory reset: Confirm has the application end the process
// with the factory-reset code, Cancel goes back to the advanced settings.
class ConfirmFactoryResetMask : public Data_screen {
public:
    // The exit code by which the launcher knows a factory reset was asked for.
    static constexpr int32_t factory_reset_code = 3;

    ConfirmFactoryResetMask(const char* key, Screen_man* man, const Screen_objects& objects)
        : Data_screen(key, man), objects_(objects)
    {
    }

    bool init(VT::vtui_pool* pool, NV_quvel::parameters_t* params) override
    {
        const Confirm_factory_reset_ids& ids = objects_.ids.confirm_factory_reset;
        if (!Data_screen::init(pool, UI::bind_object<VT::Data_mask_obj>(pool, ids.mask), params, nullptr, 0))
            return false;
        confirm_.init(this, ids.confirm_key, NULL_ID, nullptr, NULL_ID, NULL_ID);
        cancel_.init(this, ids.cancel_key, NULL_ID, nullptr, NULL_ID, NULL_ID);
        return true;
    }

    bool handle_activator_event(Window::Activator& activator, Window::Activator_event& event) override
    {
        if (event.get_code() != Window::Activator_event::released)
            return true;
        if (activator == confirm_)
            objects_.store.head.set(objects_.store.body.system.initiate_shutdown, factory_reset_code);
        else if (activator == cancel_)
            get_man()->switch_to_screen("advanced_settings_mask");
        return true;
    }

private:
    const Screen_objects objects_;
    Window::Activator confirm_;
    Window::Activator cancel_;
};
