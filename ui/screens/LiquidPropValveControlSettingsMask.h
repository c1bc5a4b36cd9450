#pragma once
#include "platform/iso/VT_Data_mask_obj.h"
#include "platform/ui/Bind_object.h"
#include "platform/ui/Data_screen.h"
#include "ui/screens/Screen_objects.h"
#include "vt_pool/Seeder_pool_ids.h"

// The liquid proportional valve control settings screen; so far it only shows its mask.
class LiquidPropValveControlSettingsMask : public Data_screen {
public:
    LiquidPropValveControlSettingsMask(const char* key, Screen_man* man, const Screen_objects& objects)
        : Data_screen(key, man), objects_(objects)
    {
    }

    bool init(VT::vtui_pool* pool, NV_quvel::parameters_t* params) override
    {
        auto* mask = UI::bind_object<VT::Data_mask_obj>(pool, objects_.ids.liquid_prop_valve_control.mask);
        return Data_screen::init(pool, mask, params, nullptr, 0);
    }

private:
    const Screen_objects objects_;
};
