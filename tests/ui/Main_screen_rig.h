#pragma once
#include "tests/support/Ui_fixture.h"
#include "ui/screens/Main_screen.h"
#include "ui/screens/Seeder_ui.h"
#include "vt_pool/Seeder_pool_ids.h"

#include <cstdint>
#include <string>

// The operating screen's objects made in the test pool and recorded in the
// table as the code-built pool records them, and one alarm mask per alarm.
void build_main_screen_objects(Ui_test_pool& pool, Seeder_pool_ids& ids);

// The UI root with its 49 screens and 63 alarm screens on the fixture's
// test pool, shown by the fake VT: the operating screen is up after start.
class Main_screen_rig : public Ui_fixture {
protected:
    Main_screen_rig();

    // Tank k (0 to 3) enabled, carrying product k, with presets and a step.
    struct Tank {
        bool enabled = true;
        bool product = true;
        uint8_t mode = 0;
        float increment = 5.0f;
        float preset_1 = 100.0f;
        float preset_2 = 150.0f;
    };
    void set_tank(int k, const Tank& tank);
    // What the store says of the tank.
    ds_channel& record(int k) { return body().channels.channels[k]; }
    template <class T>
    T get(const T& field)
    {
        return head().get(field);
    }
    template <class T>
    void set(T& field, const T& value)
    {
        head().set(field, value);
        pump();
    }

    Main_screen& screen();
    std::string current_key() { return man().get_current_screen() ? man().get_current_screen()->get_key() : ""; }
    // The ID of the object an entry of the table names.
    template <uint8_t Type>
    static uint16_t id(const Vt_id<Type>& field)
    {
        return field.oid;
    }
    const Seeder_tank_record& tank_objects(int k) const { return ids.tank_records[size_t(k)]; }

    Seeder_pool_ids ids;
    Seeder_ui root{ui.get(), nullptr, nullptr, *store, *parameters, ids};
};
