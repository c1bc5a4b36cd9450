#pragma once
#include "platform/iso/VT_Data_mask_obj.h"
#include "platform/rtos/Timeout.h"
#include "platform/ui/Alarm_screen.h"
#include "platform/ui/Bind_object.h"
#include "platform/ui/Data_screen.h"
#include "platform/ui/Window_Activator.h"

#include <vector>

// A data screen on one mask that keeps what the library tells it.
class Recording_screen : public Data_screen {
public:
    struct Activator_call {
        const Window::Activator* activator;
        unsigned code;
    };

    Recording_screen(const char* key, Screen_man* man, uint16_t mask_id)
        : Data_screen(key, man), mask_id_(mask_id)
    {
    }

    bool init(VT::vtui_pool* pool, NV_quvel::parameters_t* params) override
    {
        return Data_screen::init(pool, UI::bind_object<VT::Data_mask_obj>(pool, mask_id_), params, nullptr, 0);
    }
    bool activate() override
    {
        ++activations;
        return Data_screen::activate();
    }
    bool deactivate() override
    {
        ++deactivations;
        return Data_screen::deactivate();
    }
    bool handle_activator_event(Window::Activator& a, Window::Activator_event& e) override
    {
        activator_calls.push_back({&a, e.get_code()});
        return true;
    }
    bool send_soft_key_event(Soft_key_activation_event& e, unsigned int) override
    {
        raw_codes.push_back(e.code);
        return false;
    }
    bool handle_stat_update(Stat* s) override
    {
        edits.push_back(s);
        return false;
    }
    bool send_timeout(Timeout& t) override
    {
        timeouts.push_back(&t);
        return true;
    }

    int activations = 0;
    int deactivations = 0;
    std::vector<Activator_call> activator_calls;
    std::vector<uint8_t> raw_codes;
    std::vector<const Timeout*> timeouts;
    std::vector<Stat*> edits;

private:
    uint16_t mask_id_;
};

// An alarm screen that keeps the codes of its soft keys.
class Recording_alarm_screen : public Alarm_screen {
public:
    using Alarm_screen::Alarm_screen;

    bool send_soft_key_event(Soft_key_activation_event& e, unsigned int) override
    {
        raw_codes.push_back(e.code);
        return false;
    }

    std::vector<uint8_t> raw_codes;
};
