#include "ui/screens/WheelCalibrationSettingsMask.h"

#include "data_store/Data_store.h"
#include "params/parameters_t.h"
#include "platform/iso/VT_Data_mask_obj.h"
#include "platform/iso/VT_Input_number_obj.h"
#include "platform/ui/Bind_object.h"
#include "platform/ui/Screen_man.h"
#include "vt_pool/Seeder_pool_ids.h"

bool WheelCalibrationSettingsMask::init(VT::vtui_pool* pool, NV_quvel::parameters_t* params)
{
    const Wheel_calibration_settings_ids& own = objects_.ids.wheel_calibration_settings;
    if (!Data_screen::init(pool, UI::bind_object<VT::Data_mask_obj>(pool, own.mask), params, nullptr, 0))
        return false;
    calibrate_key_.init(this, own.calibrate_key, NULL_ID, nullptr, NULL_ID, NULL_ID);
    keys_.init(this, {{own.seeder_key, NULL_ID, "seeder_settings_menu"},
                      {own.settings_key, NULL_ID, "settings_menu"},
                      {own.main_key, NULL_ID, "main"}});
    // Metres per pulse, shown in metres or feet.
    factor.init(this, UI::bind_object<VT::Input_number_obj>(pool, own.factor), Stat_num_format(2, 0.001, 3),
                Stat_num_format(2, 0.0003048, 3), 1000, pool);
    factor.set_range(0, 50);
    factor.set_editable(true);
    return true;
}

bool WheelCalibrationSettingsMask::activate()
{
    const bool shown = Data_screen::activate();
    if (Units_man* units = get_man()->get_units_man())
        set_units(*units);
    factor.set_val(objects_.parameters.app.wheel_cal_factor.get());
    send_val_updates(false);
    return shown;
}

bool WheelCalibrationSettingsMask::handle_stat_update(Stat* s)
{
    if (s == &factor)
        objects_.parameters.app.wheel_cal_factor.set(float(factor.get_val()));
    return false;
}

bool WheelCalibrationSettingsMask::handle_activator_event(Window::Activator& a, Window::Activator_event& e)
{
    if (keys_.handle(*this, a, e))
        return true;
    if (a == calibrate_key_ && e.get_code() == Window::Activator_event::released) {
        // The wizard always starts from its first step, wherever it was left.
        objects_.store.head.set(objects_.store.body.internal.current_wheel_cal_step, uint32_t(0));
        get_man()->switch_to_screen("wheel_calibration_mask");
    }
    return true;
}
