#pragma once
#include "platform/iso/VT_Container_obj.h"
#include "platform/iso/VT_Data_mask_obj.h"
#include "platform/iso/VT_Input_list_obj.h"
#include "platform/iso/VT_Input_number_obj.h"
#include "platform/ui/Bind_object.h"
#include "platform/ui/Data_screen.h"
#include "tests/support/Ui_fixture.h"
#include "ui/screens/Screen_objects.h"
#include "vt_pool/Seeder_pool_ids.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

// A screen with a mask and nothing else, where a screen under test switches to.
class Blank_screen : public Data_screen {
public:
    Blank_screen(const char* key, Screen_man* man, uint16_t mask)
        : Data_screen(key, man), mask_(mask)
    {
    }
    bool init(VT::vtui_pool* pool, NV_quvel::parameters_t* params) override
    {
        return Data_screen::init(pool, UI::bind_object<VT::Data_mask_obj>(pool, mask_), params, nullptr, 0);
    }
    bool activate() override
    {
        if (on_activate)
            on_activate();
        return Data_screen::activate();
    }
    // Run as the screen comes up.
    std::function<void()> on_activate;

private:
    uint16_t mask_;
};

// One screen of the seeder under test as the home screen of a test UI: the
// test makes the screen's objects in the test pool and records them in the
// object-ID table, as the code-built pool does, then starts.
template <class S>
class Screen_rig : public Ui_fixture {
protected:
    explicit Screen_rig(const char* key)
    {
        screen = std::make_unique<S>(key, &man(), objects);
        iface.on_setup = [this](VT::vtui_pool&, UI::Setup_config& config) { config.home = screen.get(); };
    }
    ~Screen_rig() override
    {
        screen.reset();
        targets.clear();
    }

    // A blank screen under the key, to see a switch to it.
    Blank_screen& add_target(const char* key)
    {
        targets.push_back(std::make_unique<Blank_screen>(key, &man(), pool->data_mask()));
        return *targets.back();
    }
    bool showing(const char* key) { return man().get_current_screen() == man().find_screen(key); }

    template <class Field>
    uint16_t record(Field& field, uint16_t id)
    {
        return Ui_test_pool::record(field, id);
    }
    // An input list of n output strings, each recorded in the item fields.
    template <class Items>
    uint16_t list_with_items(Items& items)
    {
        std::vector<uint16_t> made;
        for (auto& item : items)
            made.push_back(record(item, pool->output_string(8)));
        return pool->input_list(made);
    }
    uint16_t list_of(size_t n)
    {
        std::vector<uint16_t> made;
        for (size_t i = 0; i < n; ++i)
            made.push_back(pool->output_string(8));
        return pool->input_list(made);
    }

    bool hidden(uint16_t container)
    {
        auto* c = pool->object<VT::Container_obj>(container);
        pool->lock_pool();
        const bool h = c && c->get_hidden();
        pool->unlock_pool();
        return h;
    }
    // The object in the list's entry (0xFFFF blank) and the item the list shows.
    uint16_t entry(uint16_t list, uint8_t index)
    {
        auto* l = pool->object<VT::Input_list_obj>(list);
        pool->lock_pool();
        const uint16_t id = l ? l->get_item(index) : 0xFFFF;
        pool->unlock_pool();
        return id;
    }
    int item(uint16_t list)
    {
        auto* l = pool->object<VT::Input_list_obj>(list);
        pool->lock_pool();
        const int value = l ? l->get_value() : -1;
        pool->unlock_pool();
        return value;
    }

    // The raw number an input number holds.
    uint32_t number(uint16_t input)
    {
        auto* n = pool->object<VT::Input_number_obj>(input);
        pool->lock_pool();
        const uint32_t value = n ? n->get_value() : 0;
        pool->unlock_pool();
        return value;
    }

    NV_quvel::channel_t& channel(int i) { return *parameters->app.channels[i]; }
    NV_quvel::products_t& product(int i) { return *parameters->app.products[i]; }
    ds_channel& store_channel(int i) { return body().channels.channels[i]; }

    Seeder_pool_ids ids;
    Screen_objects objects{*store, *parameters, ids, nullptr, nullptr};
    std::unique_ptr<S> screen;
    std::vector<std::unique_ptr<Blank_screen>> targets;
};
