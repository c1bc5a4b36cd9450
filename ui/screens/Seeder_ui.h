#pragma once
#include "platform/data/CDS_Virt_listener.h"
#include "platform/ui/CDS_reg_node.h"
#include "platform/ui/NVS_reg_node.h"
#include "platform/ui/User_interface_iface.h"
#include "ui/screens/ActuatorDiagnostics.h"
#include "ui/screens/ActuatorDriveSettingsMask.h"
#include "ui/screens/AdvancedSettingsMask.h"
#include "ui/screens/AlarmSettingsMenu.h"
#include "ui/screens/AreaTestMask.h"
#include "ui/screens/BlockedHeadDiagsMask.h"
#include "ui/screens/BlockedHeadSettingsMask.h"
#include "ui/screens/ConfirmFactoryResetMask.h"
#include "ui/screens/Diagnostics2.h"
#include "ui/screens/ElectricDriveSettingsMask.h"
#include "ui/screens/ExternalOptionsMask.h"
#include "ui/screens/FactoryUpgradeMask.h"
#include "ui/screens/FanAlarmsMask.h"
#include "ui/screens/FanSettingsMask.h"
#include "ui/screens/FansHistoryMask.h"
#include "ui/screens/Intro_screen.h"
#include "ui/screens/LiquidPropValveControlSettingsMask.h"
#include "ui/screens/LiquidPropValveSettingsMask.h"
#include "ui/screens/LiquidRegValveControlSettingsMask.h"
#include "ui/screens/Main_screen.h"
#include "ui/screens/MultiTankCal1Mask.h"
#include "ui/screens/MultiTankCal2Mask.h"
#include "ui/screens/MultiTankCal3Mask.h"
#include "ui/screens/MultiTankCalWarningMask.h"
#include "ui/screens/NoFlowAlarmsMask.h"
#include "ui/screens/OperatingHistoryMenuMask.h"
#include "ui/screens/OtherAlarmsMask.h"
#include "ui/screens/ProductSettingsMask.h"
#include "ui/screens/ProductSettingsMenu.h"
#include "ui/screens/PropValveControlSettingsMask.h"
#include "ui/screens/PropValveDriveSettingsMask.h"
#include "ui/screens/SeederBrandMask.h"
#include "ui/screens/SeederSettingsMenu.h"
#include "ui/screens/SettingsMenu.h"
#include "ui/screens/ShaftAlarmsMask.h"
#include "ui/screens/ShaftsHistoryMask.h"
#include "ui/screens/SystemInfoMask.h"
#include "ui/screens/TankAlarmsMask.h"
#include "ui/screens/TankCalibrationSettingsMask.h"
#include "ui/screens/TankFillMask.h"
#include "ui/screens/TankGearAlarmsMask.h"
#include "ui/screens/TankMotorAlarmsMask.h"
#include "ui/screens/TankPreloadSettingsMask.h"
#include "ui/screens/TankPressureAlarmsMask.h"
#include "ui/screens/TankSettingsMask.h"
#include "ui/screens/TotalsHistoryMask.h"
#include "ui/screens/WheelCalibrationMask.h"
#include "ui/screens/WheelCalibrationSettingsMask.h"
#include "ui/screens/WidthAndSpeedSettingsMask.h"
#include "ui/screens/Screen_objects.h"

namespace UI {
class User_interface;
}
namespace VT {
class Object_pointer_obj;
}

// The seeder's VT user interface for the library: it owns the 49 data
// screens under their keys, makes one alarm screen per alarm mask when the
// library sets the interface up, feeds the VT's state into the store and the
// parameters, and has the library look again whether the VT display is to be
// used when the store's non-VT display flag changes.
class Seeder_ui : public UI::User_interface_iface {
public:
    // Makes the screens; nothing is bound before setup_screens. fs_client and
    // diagnostics are handed to the screens with the store, the parameters
    // and the pool's ID table; the UI root keeps none of them for itself.
    Seeder_ui(UI::User_interface* ui, FS::FS_client* fs_client, Implement_diag* diagnostics, Data_store& store,
              NV_quvel::parameters_t& parameters, const Seeder_pool_ids& ids);
    // The data screens go in reverse order; the alarm screens are the
    // library's. Only while the interface's task is stopped, and before the
    // interface itself goes: the screens leave its manager.
    ~Seeder_ui() override = default;
    Seeder_ui(const Seeder_ui&) = delete;
    Seeder_ui& operator=(const Seeder_ui&) = delete;

    // The configuration's timeout (when a non-VT display is set to be
    // connected), intro and home screens, the pool's object pointer, and the
    // 63 alarm screens. A missing alarm mask ends the process with
    // missing_alarm_mask_status.
    bool setup_screens(VT::vtui_pool* pool, UI::Setup_config& config) override;
    void register_listeners() override;
    NV_quvel::parameters_t* get_parameters() override;
    // Not while the store says a non-VT display is connected.
    bool ui_enabled() override;
    // Keeps the VT's NAME as the preferred one, then marks the pool uploaded.
    void handle_pool_uploaded(uint64_t vt_name) override;
    void handle_terminal_alive(bool alive) override;

    void handle_virt_listener_event(CDS::Virt_access* listener, waiter_event& event);

    static constexpr int missing_alarm_mask_status = -138;

private:
    Screen_man* man() const;
    void create_alarm_screens(VT::vtui_pool& pool);

    UI::User_interface* const ui_;
    const Screen_objects objects_;
    CDS::Virt_listener<Seeder_ui> non_vtt_listener_;

    Intro_screen intro_{"intro", man(), objects_};
    Main_screen main_{"main", man(), objects_};
    TankFillMask tank_fill_mask_{"tank_fill_mask", man(), objects_};
    SettingsMenu settings_menu_{"settings_menu", man(), objects_};
    ActuatorDiagnostics actuator_diagnostics_{"actuator_diagnostics", man(), objects_};
    Diagnostics2 diagnostics2_{"diagnostics2", man(), objects_};
    BlockedHeadDiagsMask blocked_head_diags_mask_{"blocked_head_diags_mask", man(), objects_};
    SystemInfoMask system_info_mask_{"system_info_mask", man(), objects_};
    SeederSettingsMenu seeder_settings_menu_{"seeder_settings_menu", man(), objects_};
    ProductSettingsMenu product_settings_menu_{"product_settings_menu", man(), objects_};
    AlarmSettingsMenu alarm_settings_menu_{"alarm_settings_menu", man(), objects_};
    TankSettingsMask tank_settings_mask_{"tank_settings_mask", man(), objects_};
    ExternalOptionsMask external_options_mask_{"external_options_mask", man(), objects_};
    WheelCalibrationMask wheel_calibration_mask_{"wheel_calibration_mask", man(), objects_};
    WheelCalibrationSettingsMask wheel_calibration_settings_mask_{"wheel_calibration_settings_mask", man(), objects_};
    WidthAndSpeedSettingsMask width_and_speed_settings_mask_{"width_and_speed_settings_mask", man(), objects_};
    FanSettingsMask fan_settings_mask_{"fan_settings_mask", man(), objects_};
    OperatingHistoryMenuMask operating_history_menu_mask_{"operating_history_menu_mask", man(), objects_};
    FanAlarmsMask fan_alarms_mask_{"fan_alarms_mask", man(), objects_};
    ShaftAlarmsMask shaft_alarms_mask_{"shaft_alarms_mask", man(), objects_};
    TankAlarmsMask tank_alarms_mask_{"tank_alarms_mask", man(), objects_};
    TankPreloadSettingsMask tank_preload_settings_mask_{"tank_preload_settings_mask", man(), objects_};
    OtherAlarmsMask other_alarms_mask_{"other_alarms_mask", man(), objects_};
    TankMotorAlarmsMask tank_motor_alarms_mask_{"tank_motor_alarms_mask", man(), objects_};
    TankGearAlarmsMask tank_gear_alarms_mask_{"tank_gear_alarms_mask", man(), objects_};
    TankPressureAlarmsMask tank_pressure_alarms_mask_{"tank_pressure_alarms_mask", man(), objects_};
    TotalsHistoryMask totals_history_mask_{"totals_history_mask", man(), objects_};
    ShaftsHistoryMask shafts_history_mask_{"shafts_history_mask", man(), objects_};
    FansHistoryMask fans_history_mask_{"fans_history_mask", man(), objects_};
    ProductSettingsMask product_settings_mask_{"product_settings_mask", man(), objects_};
    TankCalibrationSettingsMask tank_calibration_settings_mask_{"tank_calibration_settings_mask", man(), objects_};
    AreaTestMask area_test_mask_{"area_test_mask", man(), objects_};
    ActuatorDriveSettingsMask actuator_drive_settings_mask_{"actuator_drive_settings_mask", man(), objects_};
    ElectricDriveSettingsMask electric_drive_settings_mask_{"electric_drive_settings_mask", man(), objects_};
    PropValveDriveSettingsMask prop_valve_drive_settings_mask_{"prop_valve_drive_settings_mask", man(), objects_};
    PropValveControlSettingsMask prop_valve_control_settings_mask_{"prop_valve_control_settings_mask", man(), objects_};
    LiquidPropValveSettingsMask liquid_prop_valve_settings_mask_{"liquid_prop_valve_settings_mask", man(), objects_};
    LiquidPropValveControlSettingsMask liquid_prop_valve_control_settings_mask_{
        "liquid_prop_valve_control_settings_mask", man(), objects_};
    LiquidRegValveControlSettingsMask liquid_reg_valve_control_settings_mask_{
        "liquid_reg_valve_control_settings_mask", man(), objects_};
    NoFlowAlarmsMask no_flow_alarms_mask_{"no_flow_alarms_mask", man(), objects_};
    AdvancedSettingsMask advanced_settings_mask_{"advanced_settings_mask", man(), objects_};
    ConfirmFactoryResetMask confirm_factory_reset_mask_{"factory_reset_mask", man(), objects_};
    FactoryUpgradeMask factory_upgrade_mask_{"factory_upgrade_mask", man(), objects_};
    SeederBrandMask seeder_brand_mask_{"seeder_brand_mask", man(), objects_};
    BlockedHeadSettingsMask blocked_head_settings_mask_{"blocked_head_settings_mask", man(), objects_};
    MultiTankCalWarningMask multi_tank_cal_warning_mask_{"multi_tank_cal_warning_mask", man(), objects_};
    MultiTankCal1Mask multi_tank_cal1_mask_{"multi_tank_cal_1_mask", man(), objects_};
    MultiTankCal2Mask multi_tank_cal2_mask_{"multi_tank_cal_2_mask", man(), objects_};
    MultiTankCal3Mask multi_tank_cal3_mask_{"multi_tank_cal_3_mask", man(), objects_};

    VT::Object_pointer_obj* pui_pointer_holder_ = nullptr;
    UI::CDS_reg_node store_node_;
    UI::NVS_reg_node parameter_node_;
};
