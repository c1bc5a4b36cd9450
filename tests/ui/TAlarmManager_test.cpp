#include "data_store/Data_store.h"
#include "platform/iso/VT_Alarm_mask_obj.h"
#include "platform/rtos/module_man.h"
#include "ui/screens/Seeder_alarm_screen.h"
#include "ui/screens/TAlarmManager.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <sstream>
#include <string>

namespace {

// Alarm screens known by a letter: priority and repeat limit.
struct Screen_spec {
    char name;
    uint8_t priority;
    uint32_t limit;
};
const Screen_spec screens[] = {
    {'A', 1, 0}, {'B', 1, 0}, {'L', 1, 2}, {'Z', 0, 0}, {'C', 2, 0}, {'H', 7, 0},
};

// A script of calls, one token each:
//   +X      add_alarm(X)          -X=1 / -X=0  remove_alarm(X), the flag it gives
//   >X      next_alarm() gives X  >.           next_alarm() gives null
//   cX / c. current_alarm()       #X=n         X's repeat_count
struct Case {
    const char* what;
    const char* script;
};

const Case cases[] = {
    {"an empty manager serves nothing", ">. c."},
    {"no limit: served on every call", "+A >A >A >A >A cA"},
    {"limit 2: served twice, then rests until removed and added again",
     "+L >L >L >. c. +L >. -L=0 >. +L >L"},
    {"the later of two is served first, then in turn", "+A +B >B >A >B >A"},
    {"priority 0 pre-empts the rotation", "+A +B >B +Z >Z >Z -Z=1 >A >B"},
    {"adding a queued screen keeps its place and count", "+A +B >B #B=1 +B >A >B #B=2"},
    {"priorities above 2 share the last queue, served after the others", "+H +C +A >A -A=1 >C >H >C"},
    {"removing clears the count and un-queues", "+A >A >A #A=2 -A=1 #A=0 >. -A=0"},
    {"null changes nothing", "+. -.=0 >."},
};

class Manager_script {
public:
    Manager_script()
    {
        uint16_t id = 1000;
        for (const Screen_spec& s : screens) {
            auto mask = std::make_unique<VT::Alarm_mask_obj>(id++, "alarm_mask_TEST", 0, 0xFFFF, s.priority, 0, 0, 0,
                                                              nullptr, nullptr);
            screens_[s.name] =
                std::make_unique<Seeder_alarm_screen>(mask.get(), nullptr, store_.head, nullptr, s.limit);
            masks_.push_back(std::move(mask));
        }
    }

    void run(const std::string& script)
    {
        std::istringstream tokens(script);
        std::string token;
        while (tokens >> token) {
            SCOPED_TRACE(token);
            Seeder_alarm_screen* s = screen(token[1]);
            switch (token[0]) {
            case '+':
                manager_.add_alarm(s);
                break;
            case '-': {
                bool removed = token[3] == '0';
                manager_.remove_alarm(s, &removed);
                EXPECT_EQ(removed, token[3] == '1');
                if (s) {
                    EXPECT_FALSE(s->queued);
                }
                break;
            }
            case '>':
                EXPECT_EQ(name_of(manager_.next_alarm()), token[1]);
                break;
            case 'c':
                EXPECT_EQ(name_of(manager_.current_alarm()), token[1]);
                break;
            case '#':
                EXPECT_EQ(s->repeat_count, uint32_t(std::stoul(token.substr(3))));
                break;
            default:
                FAIL() << "bad token";
            }
        }
    }

private:
    Seeder_alarm_screen* screen(char name) { return name == '.' ? nullptr : screens_.at(name).get(); }
    char name_of(Seeder_alarm_screen* s) const
    {
        for (const auto& [name, screen] : screens_)
            if (screen.get() == s)
                return name;
        return '.';
    }

    module_man modules_;
    Data_store store_{&modules_, "1.0"};
    std::vector<std::unique_ptr<VT::Alarm_mask_obj>> masks_;
    std::map<char, std::unique_ptr<Seeder_alarm_screen>> screens_;
    TAlarmManager manager_;
};

TEST(TAlarmManager, serves_alarm_screens_by_priority_in_turn_up_to_their_limit)
{
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Manager_script().run(c.script);
    }
}

}
