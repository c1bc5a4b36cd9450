#pragma once
#include "vt_pool/Seeder_frame.h"
#include "vt_pool/Seeder_pool_ids.h"
#include "vt_pool/VtPlacement.h"

#include <array>

// The builders of the seeder's 47 screens, one data mask each with its soft
// keys, fields and buttons. Each records in the table the objects its
// running screen uses.
namespace Seeder_screens {

void Main_screen(Seeder_pool_ids& ids, Seeder_layout& layout);
void TankFillMask(Seeder_pool_ids& ids, Seeder_layout& layout);
void ActuatorDiagnostics(Seeder_pool_ids& ids, Seeder_layout& layout);
void Diagnostics2(Seeder_pool_ids& ids, Seeder_layout& layout);
void BlockedHeadDiagsMask(Seeder_pool_ids& ids, Seeder_layout& layout);
void SystemInfoMask(Seeder_pool_ids& ids, Seeder_layout& layout);
void SettingsMenu(Seeder_pool_ids& ids, Seeder_layout& layout);
void OperatingHistoryMenuMask(Seeder_pool_ids& ids, Seeder_layout& layout);
void SeederSettingsMenu(Seeder_pool_ids& ids, Seeder_layout& layout);
void ProductSettingsMenu(Seeder_pool_ids& ids, Seeder_layout& layout);
void AlarmSettingsMenu(Seeder_pool_ids& ids, Seeder_layout& layout);
void TankSettingsMask(Seeder_pool_ids& ids, Seeder_layout& layout);
void TankPreloadSettingsMask(Seeder_pool_ids& ids, Seeder_layout& layout);
void ActuatorDriveSettingsMask(Seeder_pool_ids& ids, Seeder_layout& layout);
void ElectricDriveSettingsMask(Seeder_pool_ids& ids, Seeder_layout& layout);
void PropValveDriveSettingsMask(Seeder_pool_ids& ids, Seeder_layout& layout);
void PropValveControlSettingsMask(Seeder_pool_ids& ids, Seeder_layout& layout);
void LiquidPropValveSettingsMask(Seeder_pool_ids& ids, Seeder_layout& layout);
void LiquidPropValveControlSettingsMask(Seeder_pool_ids& ids, Seeder_layout& layout);
void LiquidRegValveControlSettingsMask(Seeder_pool_ids& ids, Seeder_layout& layout);
void WheelCalibrationSettingsMask(Seeder_pool_ids& ids, Seeder_layout& layout);
void WheelCalibrationMask(Seeder_pool_ids& ids, Seeder_layout& layout);
void WidthAndSpeedSettingsMask(Seeder_pool_ids& ids, Seeder_layout& layout);
void TotalsHistoryMask(Seeder_pool_ids& ids, Seeder_layout& layout);
void ShaftsHistoryMask(Seeder_pool_ids& ids, Seeder_layout& layout);
void FansHistoryMask(Seeder_pool_ids& ids, Seeder_layout& layout);
void ExternalOptionsMask(Seeder_pool_ids& ids, Seeder_layout& layout);
void FanSettingsMask(Seeder_pool_ids& ids, Seeder_layout& layout);
void ProductSettingsMask(Seeder_pool_ids& ids, Seeder_layout& layout);
void TankCalibrationSettingsMask(Seeder_pool_ids& ids, Seeder_layout& layout);
void AreaTestMask(Seeder_pool_ids& ids, Seeder_layout& layout);
void FanAlarmsMask(Seeder_pool_ids& ids, Seeder_layout& layout);
void TankAlarmsMask(Seeder_pool_ids& ids, Seeder_layout& layout);
void ShaftAlarmsMask(Seeder_pool_ids& ids, Seeder_layout& layout);
void OtherAlarmsMask(Seeder_pool_ids& ids, Seeder_layout& layout);
void TankMotorAlarmsMask(Seeder_pool_ids& ids, Seeder_layout& layout);
void TankGearAlarmsMask(Seeder_pool_ids& ids, Seeder_layout& layout);
void TankPressureAlarmsMask(Seeder_pool_ids& ids, Seeder_layout& layout);
void NoFlowAlarmsMask(Seeder_pool_ids& ids, Seeder_layout& layout);
void AdvancedSettingsMask(Seeder_pool_ids& ids, Seeder_layout& layout);
void ConfirmFactoryResetMask(Seeder_pool_ids& ids, Seeder_layout& layout);
void FactoryUpgradeMask(Seeder_pool_ids& ids, Seeder_layout& layout);
void SeederBrandMask(Seeder_pool_ids& ids, Seeder_layout& layout);
void BlockedHeadSettingsMask(Seeder_pool_ids& ids, Seeder_layout& layout);
void MultiTankCal1Mask(Seeder_pool_ids& ids, Seeder_layout& layout);
void MultiTankCal2Mask(Seeder_pool_ids& ids, Seeder_layout& layout);
void MultiTankCal3Mask(Seeder_pool_ids& ids, Seeder_layout& layout);

}

struct Seeder_screen {
    const char* name;
    void (*build)(Seeder_pool_ids& ids, Seeder_layout& layout);
};

// Every screen in the order the pool is built in, the operating screen first.
extern const std::array<Seeder_screen, 47> seeder_screens;
