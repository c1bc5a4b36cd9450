#pragma once
#include "platform/ui/Data_screen.h"
#include "ui/screens/Screen_objects.h"

// The first screen the VT shows: the pool's own intro mask, which takes no
// keys and shows no values.
class Intro_screen : public Data_screen {
public:
    Intro_screen(const char* key, Screen_man* man, const Screen_objects&)
        : Data_screen(key, man)
    {
    }

    bool init(VT::vtui_pool* pool, NV_quvel::parameters_t* params) override;
};
