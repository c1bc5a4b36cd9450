#include "platform/iso/VT_Alarm_mask_obj.h"
#include "tests/platform/ui/Recording_screen.h"
#include "tests/support/Debug_capture.h"
#include "tests/support/Ui_fixture.h"

#include <string>

namespace {

class Keys : public Ui_fixture {
protected:
    Keys()
    {
        iface.on_setup = [this](VT::vtui_pool& p, UI::Setup_config& config) {
            config.home = &screen;
            alarm = new Recording_alarm_screen(
                dynamic_cast<VT::Alarm_mask_obj*>(p.find_object("alarm_mask_TEST", true)), &man(), nullptr);
        };
        pool->alarm_mask("alarm_mask_TEST", 1, pool->soft_key_mask({alarm_key}));
    }
    const uint16_t key = pool->key();
    const uint16_t alarm_key = pool->key();
    const uint16_t button = pool->button();
    const uint16_t loose_key = pool->key();
    Recording_screen screen{"keys", &man(), pool->data_mask(pool->soft_key_mask({key, loose_key}))};
    Window::Activator on_key;
    Window::Activator on_button;
    Recording_alarm_screen* alarm = nullptr; // the library's
};

struct Code_case {
    uint8_t iso_code;
    std::vector<unsigned> activator_codes;
};

// Pressed is 0 and released 1 for activators; a held key repeats nothing;
// an aborted key ends as a release, so that nothing held stays on.
const Code_case code_cases[] = {
    {Soft_key_activation_event::pressed, {Window::Activator_event::pressed}},
    {Soft_key_activation_event::released, {Window::Activator_event::released}},
    {Soft_key_activation_event::held, {}},
    {Soft_key_activation_event::aborted, {Window::Activator_event::released}},
};

}

TEST_F(Keys, activators_hear_press_and_release_and_the_screen_the_iso_code)
{
    start();
    on_key.init(&screen, key, Window::Activator::NULL_ID, nullptr, 0xFFFF, 0xFFFF);
    on_button.init(&screen, Window::Activator::NULL_ID, button, nullptr, 0xFFFF, 0xFFFF);
    for (const uint16_t id : {key, button}) {
        for (const Code_case& c : code_cases) {
            screen.activator_calls.clear();
            screen.raw_codes.clear();
            key_code(id, c.iso_code);
            std::vector<unsigned> codes;
            for (const auto& call : screen.activator_calls) {
                EXPECT_EQ(call.activator, id == key ? &on_key : &on_button);
                codes.push_back(call.code);
            }
            EXPECT_EQ(codes, c.activator_codes) << "object " << id << " code " << int(c.iso_code);
            EXPECT_EQ(screen.raw_codes, std::vector<uint8_t>{c.iso_code}) << "object " << id;
        }
    }
}

TEST_F(Keys, an_alarm_screen_hears_the_iso_code_of_its_keys)
{
    start();
    ASSERT_TRUE(man().switch_to_screen("alarm_mask_TEST"));
    advance(100);
    EXPECT_EQ(vt->active_mask(), alarm->get_mask_id());
    Debug_capture debug;
    for (const Code_case& c : code_cases)
        key_code(alarm_key, c.iso_code);
    EXPECT_EQ(alarm->raw_codes, (std::vector<uint8_t>{1, 0, 2, 3}));
    EXPECT_TRUE(screen.raw_codes.empty());
    EXPECT_EQ(debug.text().find("taken by no screen"), std::string::npos) << debug.text();
}

TEST_F(Keys, a_key_no_screen_takes_is_said_with_its_mask_and_code)
{
    start();
    on_key.init(&screen, key, Window::Activator::NULL_ID, nullptr, 0xFFFF, 0xFFFF);
    Debug_capture debug;
    press(loose_key);
    press(key);
    const std::string mask = std::to_string(screen.get_mask_id());
    EXPECT_NE(debug.text().find("key " + std::to_string(loose_key) + " of mask " + mask + " pressed"),
              std::string::npos)
        << debug.text();
    EXPECT_NE(debug.text().find("key " + std::to_string(loose_key) + " of mask " + mask + " released"),
              std::string::npos);
    EXPECT_EQ(debug.text().find("key " + std::to_string(key) + " "), std::string::npos);
}
