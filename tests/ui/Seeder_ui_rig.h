#pragma once
#include "data_store/Data_store.h"
#include "params/parameters_t.h"
#include "platform/rtos/module_man.h"
#include "platform/ui/User_interface.h"
#include "tests/support/Store_probe.h"
#include "ui/screens/Seeder_ui.h"
#include "platform/iso/VT_Object_deserial.h"
#include "vt_pool/Seeder_pool_ids.h"
#include "vt_pool/VtWriter.h"
#include "vt_pool/build_seeder_pool.h"
#include "vt_pool/seeder_ecu_pool/seeder_ecu_pool.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

// The UI root as it asks the library's questions, counting how often it was
// asked whether the VT display is to be used.
class Counting_seeder_ui : public Seeder_ui {
public:
    using Seeder_ui::Seeder_ui;
    bool ui_enabled() override
    {
        ++asked;
        return Seeder_ui::ui_enabled();
    }
    int asked = 0;
};

// The seeder pool's fixed objects (the alarm masks, the intro mask, the
// object pointer) with a UI root and its library on the test's thread; the
// code-built screens only when loaded (until then their IDs stay 65535).
struct Seeder_ui_rig {
    module_man modules;
    Data_store store{&modules, "1.0"};
    NV_quvel::parameters_t parameters{&modules, 0, "PS"};
    Seeder_pool_ids ids;
    std::unique_ptr<VT::seeder_ecu_pool> pool = std::make_unique<VT::seeder_ecu_pool>(&modules, nullptr, 0);
    UI::User_interface ui{&modules, *pool};
    Counting_seeder_ui root{&ui, nullptr, nullptr, store, parameters, ids};
    Store_probe probe{store.head};

    Screen_man& man() { return ui.get_screen_man(); }
    // Builds the screens' objects in code into the pool, as start-up does.
    bool load_code_built_screens()
    {
        VtWriter writer(seeder_pool_writer_size, nullptr);
        if (!build_seeder_pool(ids, writer, VtSize(240, 240)))
            return false;
        VT::Object_deserial loader;
        loader.init(pool.get());
        return loader.run(writer.getData(), writer.getLength());
    }
    // Sets the interface up as the library does at start-up.
    void start()
    {
        ui.init(root);
        pump();
    }
    void pump()
    {
        while (ui.run_pending() > 0) {
        }
    }
    // The changes of the field the probe saw since the last call, one by one.
    template <class T>
    std::vector<Store_probe::Change> changes_of(const T& field)
    {
        std::vector<Store_probe::Change> changes = probe.take_changes();
        for (const Store_probe::Change& change : changes)
            if (!(change == probe.change_of(field)))
                ADD_FAILURE() << "a change at " << change.offset << " of " << change.size << " bytes";
        return changes;
    }
    void activate(uint16_t key, uint16_t mask, uint8_t code)
    {
        VT::Pool_listener::Activation a;
        a.function = Soft_key_activation_event::soft_key;
        a.object = key;
        a.parent = mask;
        a.code = code;
        ui.handle_activation(a);
        pump();
    }
};
