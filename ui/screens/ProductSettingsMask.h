#pragma once
#include "platform/ui/Data_screen.h"
#include "ui/screens/Screen_objects.h"
#include "ui/screens/find_data_mask.h"
#include "vt_pool/Seeder_pool_ids.h"

// The product settings screen.
// So far it only shows its mask.
class ProductSettingsMask : public Data_screen {
public:
    ProductSettingsMask(const char* key, Screen_man* man, const Screen_objects& objects)
        : Data_screen(key, man), objects_(objects)
    {
    }

    bool init(VT::vtui_pool* pool, NV_quvel::parameters_t* params) override
    {
        VT::Data_mask_obj* mask = find_data_mask(pool, objects_.ids.product_settings.mask);
        return Data_screen::init(pool, mask, params, nullptr, 0);
    }

private:
    const Screen_objects objects_;
};
