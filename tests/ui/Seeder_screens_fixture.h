#pragma once
#include "platform/iso/VT_Command.h"
#include "platform/iso/VT_Input_list_obj.h"
#include "platform/iso/VT_Object_pointer_obj.h"
#include "platform/iso/VT_Output_string_obj.h"
#include "tests/ui/Seeder_ui_rig.h"

#include <gtest/gtest.h>

#include <string>

// The UI root on the code-built pool, set up and told that the VT shows the
// pool: the screens as the operator finds them, on the test's thread.
class Seeder_screens : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(rig.load_code_built_screens());
        rig.start();
        rig.ui.handle_pool_uploaded(1);
        rig.pump();
    }

    // Switches as a screen's handler would.
    void show(const char* key)
    {
        ASSERT_TRUE(rig.man().switch_to_screen(key)) << key;
        // What the library does after each of its handlers.
        for (Screen* screen : rig.man().get_screens())
            if (screen->has_pending_update())
                screen->send_val_updates(false);
        rig.pump();
    }
    std::string current() const { return const_cast<Seeder_ui_rig&>(rig).man().get_current_screen()->get_key(); }
    // A soft key or button of the shown mask pressed and released.
    void press(uint16_t id)
    {
        const uint16_t mask = rig.man().get_current_screen()->get_mask_id();
        rig.activate(id, mask, Soft_key_activation_event::pressed);
        rig.activate(id, mask, Soft_key_activation_event::released);
    }
    // The operator's choice in an input list.
    void pick(uint16_t list, uint32_t item)
    {
        VT::Pool_listener::Activation a;
        a.function = VT::Command::vt_change_numeric_value;
        a.object = list;
        a.value = item;
        rig.ui.handle_activation(a);
        rig.pump();
    }
    // What read gives of the pool's object of the ID, a T, under the pool lock.
    template <class T, class Read>
    auto state(uint16_t id, Read read)
    {
        rig.pool->lock_pool();
        T* found = dynamic_cast<T*>(rig.pool->__find_object(id));
        EXPECT_NE(found, nullptr) << id;
        auto value = found ? read(*found) : decltype(read(*found))();
        rig.pool->unlock_pool();
        return value;
    }
    uint16_t pointer_value(uint16_t id)
    {
        return state<VT::Object_pointer_obj>(id, [](auto& o) { return o.get_value(); });
    }
    unsigned list_value(uint16_t id)
    {
        return state<VT::Input_list_obj>(id, [](auto& o) { return unsigned(o.get_value()); });
    }
    // The text without its padding.
    std::string text(uint16_t id)
    {
        const std::string value = state<VT::Output_string_obj>(
            id, [](auto& o) { return std::string(o.get_value(), o.get_length()); });
        return value.substr(0, value.find_last_not_of(' ') + 1);
    }

    Seeder_ui_rig rig;
    const Seeder_pool_ids& ids = rig.ids;
};
