#include "platform/ui/Bind_object.h"
#include "platform/ui/Window_Activator.h"
#include "tests/ui/Seeder_screens_fixture.h"

#include <algorithm>
#include <cxxabi.h>
#include <cstdlib>
#include <deque>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

// The operator's walk through the whole interface on the code-built pool:
// from "main", every key and button of every screen reached is pressed, and
// every screen of the interface is reached and left by them and brings the
// walk back to "main". Each object a screen binds must be in the pool with
// the type the screen asks for.
namespace {

std::vector<std::string> bind_misses;

std::string type_name(const std::type_info& type)
{
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> name(abi::__cxa_demangle(type.name(), nullptr, nullptr, &status), std::free);
    return status == 0 ? name.get() : type.name();
}

void note_bind_miss(uint16_t id, const std::type_info& type)
{
    bind_misses.push_back((id == 0xFFFF ? std::string("no object") : "object " + std::to_string(id)) + " as "
                          + type_name(type));
}

// Screens no key leads to: the one shown before the pool is up, and a
// registered warning page that nothing uses.
const std::set<std::string> not_by_keys = {"intro", "multi_tank_cal_warning_mask"};

// The screens that lead to the ones behind them. A screen that binds no key
// yet cannot be left by one, so what lies behind it is only reached once one
// of the screens leading there has its keys.
const std::map<std::string, std::vector<std::string>> reached_through = {
    {"wheel_calibration_mask", {"wheel_calibration_settings_mask"}},
    {"multi_tank_cal_2_mask", {"multi_tank_cal_1_mask"}},
    {"multi_tank_cal_3_mask", {"multi_tank_cal_2_mask"}},
    {"diagnostics2", {"actuator_diagnostics"}},
    {"blocked_head_diags_mask", {"actuator_diagnostics"}},
    {"system_info_mask", {"actuator_diagnostics", "diagnostics2", "blocked_head_diags_mask"}},
};

class Screen_walk : public Seeder_screens {
protected:
    void SetUp() override
    {
        bind_misses.clear();
        UI::bind_miss_observer = note_bind_miss;
        set_up_machine();
        Seeder_screens::SetUp();
    }
    void TearDown() override { UI::bind_miss_observer = nullptr; }

    // Four tanks whose setups lead to four drive screens: tank 1 liquid on a
    // proportional valve, sensing its pressure, tanks 2 to 4 granular on an
    // electric drive, an actuator and a proportional valve; a product on
    // tank 1; two fans.
    void set_up_machine()
    {
        NV_quvel::application_t& app = rig.parameters.app;
        app.num_channels.set(4);
        const struct {
            uint8_t mode;
            uint8_t drive;
        } tanks[] = {{1, 0}, {0, 0}, {0, 1}, {0, 3}};
        for (int t = 0; t < 4; ++t) {
            NV_quvel::channel_t& channel = *app.channels[t];
            channel.enabled.set(true);
            channel.mode.set(tanks[t].mode);
            channel.granular_controller_type.set(tanks[t].drive);
        }
        app.channels[0]->liquid_controller_type.set(1);
        app.channels[0]->liquid_pressure_sense.set(true);
        app.products[0]->tank.set(0);
        for (int f = 0; f < 2; ++f)
            app.fans[f]->enabled.set(true);
    }

    Screen* shown() { return rig.man().get_current_screen(); }
    static bool is_data_screen(Screen* s) { return s->get_data_screen() != nullptr; }
    // The distinct keys and buttons the screen takes.
    static std::vector<uint16_t> keys_of(Screen* s)
    {
        std::vector<uint16_t> keys;
        for (Window::Activator* a : s->get_activators())
            for (uint16_t id : {a->get_soft_key_id(), a->get_button_id()})
                if (id != Window::Activator::NULL_ID && std::find(keys.begin(), keys.end(), id) == keys.end())
                    keys.push_back(id);
        return keys;
    }

    void press_and_check(uint16_t key)
    {
        press(key);
        for (Screen* s : rig.man().get_screens())
            ASSERT_EQ(s->is_shown(), s == shown()) << s->get_key() << " after key " << key << " ends on "
                                                    << shown()->get_key();
    }

    // Goes to the screen by the keys seen so far, taking another way when a
    // key now leads elsewhere; false when no way is known.
    bool go_to(Screen* target)
    {
        for (int tries = 0; tries < 100 && shown() != target; ++tries) {
            const std::vector<uint16_t> way = way_to(target);
            if (way.empty())
                return false;
            Screen* from = shown();
            press_and_check(way.front());
            leads_to[{from, way.front()}] = shown();
        }
        return shown() == target;
    }
    std::vector<uint16_t> way_to(Screen* target)
    {
        std::map<Screen*, std::vector<uint16_t>> ways{{shown(), {}}};
        std::deque<Screen*> open{shown()};
        while (!open.empty()) {
            Screen* from = open.front();
            open.pop_front();
            for (const auto& [step, to] : leads_to) {
                if (step.first != from || ways.count(to))
                    continue;
                ways[to] = ways[from];
                ways[to].push_back(step.second);
                if (to == target)
                    return ways[to];
                open.push_back(to);
            }
        }
        return {};
    }

    // Presses every key of the shown screen, and of every screen that
    // leads to, depth first.
    void explore()
    {
        Screen* here = shown();
        for (uint16_t key : keys_of(here)) {
            ASSERT_TRUE(go_to(here)) << "no way back to " << here->get_key();
            press_and_check(key);
            if (HasFatalFailure())
                return;
            Screen* there = shown();
            leads_to[{here, key}] = there;
            reached.insert(there);
            if (!visited.insert(there).second)
                continue;
            if (keys_of(there).empty()) {
                // A screen still to be filled takes no key: the VT takes
                // the pool again, as after a restart, and the interface
                // goes home.
                shells.insert(there);
                rig.ui.handle_pool_uploaded(1);
                rig.pump();
                ASSERT_EQ(current(), "main");
            } else {
                explore();
                if (HasFatalFailure())
                    return;
            }
        }
    }

    void walk()
    {
        visited.clear();
        ASSERT_EQ(current(), "main");
        visited.insert(shown());
        reached.insert(shown());
        explore();
        if (HasFatalFailure())
            return;
        ASSERT_TRUE(go_to(rig.man().find_screen("main")));
    }

    // Where each key of each screen led when last pressed.
    std::map<std::pair<Screen*, uint16_t>, Screen*> leads_to;
    // The screens reached on this walk, and on every walk.
    std::set<Screen*> visited;
    std::set<Screen*> reached;
    std::set<Screen*> shells;
};

}

TEST_F(Screen_walk, every_screen_is_reached_and_left_by_the_keys_of_the_screens_and_finds_its_objects)
{
    EXPECT_EQ(bind_misses, std::vector<std::string>()) << "binding the screens";
    bind_misses.clear();

    walk();
    // The liquid tank's setup leads to the other valve's screen.
    rig.parameters.app.channels[0]->liquid_controller_type.set(0);
    rig.pump();
    walk();
    EXPECT_EQ(current(), "main");
    EXPECT_EQ(bind_misses, std::vector<std::string>()) << "on the walk";

    std::set<std::string> walked;
    for (Screen* s : reached)
        walked.insert(s->get_key());
    const auto explored = [&](const std::string& key) {
        Screen* s = rig.man().find_screen(key.c_str());
        return reached.count(s) && !shells.count(s);
    };
    for (Screen* s : rig.man().get_screens()) {
        const std::string key = s->get_key();
        if (!is_data_screen(s) || walked.count(key) || not_by_keys.count(key))
            continue;
        const auto through = reached_through.find(key);
        const bool behind_shells = through != reached_through.end()
                                   && std::none_of(through->second.begin(), through->second.end(), explored);
        EXPECT_TRUE(behind_shells) << key << " was not reached";
    }
    for (Screen* s : reached) {
        if (shells.count(s))
            continue;
        const bool left = std::any_of(leads_to.begin(), leads_to.end(),
                                      [s](const auto& step) { return step.first.first == s && step.second != s; });
        EXPECT_TRUE(left) << s->get_key() << " was not left by a key";
    }
    std::string still_to_fill;
    for (Screen* s : shells)
        still_to_fill += std::string(" ") + s->get_key();
    RecordProperty("screens_without_keys", still_to_fill);
}
