#include "tests/platform/ui/Recording_screen.h"
#include "tests/support/Ui_fixture.h"

#include <functional>
#include <string>

namespace {

// Three screens on masks of their own, "a" the home screen.
class Three_screens : public Ui_fixture {
protected:
    Three_screens()
    {
        iface.on_setup = [this](VT::vtui_pool&, UI::Setup_config& config) { config.home = &a; };
    }

    std::vector<std::string> history() const
    {
        std::vector<std::string> keys;
        for (Screen* s : const_cast<Three_screens*>(this)->man().get_history())
            keys.push_back(s->get_key());
        return keys;
    }
    std::string current()
    {
        return man().get_current_screen() ? man().get_current_screen()->get_key() : "";
    }

    Recording_screen a{"a", &man(), pool->data_mask()};
    Recording_screen b{"b", &man(), pool->data_mask()};
    Recording_screen c{"c", &man(), pool->data_mask()};
};

struct Stack_case {
    const char* name;
    std::function<bool(Screen_man&, Recording_screen& b, Recording_screen& c)> act;
    bool result;
    std::string current;
    std::vector<std::string> history;
};

const Stack_case stack_cases[] = {
    {"switch by pointer", [](Screen_man& m, auto& b, auto&) { return m.switch_to_screen(&b); }, true, "b", {"a"}},
    {"switch by key", [](Screen_man& m, auto&, auto&) { return m.switch_to_screen("c"); }, true, "c", {"a"}},
    {"unknown key", [](Screen_man& m, auto&, auto&) { return m.switch_to_screen("none"); }, false, "a", {}},
    {"back one",
     [](Screen_man& m, auto& b, auto& c) { return m.switch_to_screen(&b) && m.switch_to_screen(&c) && m.back_screen(1); },
     true, "b", {"a"}},
    {"back two",
     [](Screen_man& m, auto& b, auto& c) { return m.switch_to_screen(&b) && m.switch_to_screen(&c) && m.back_screen(2); },
     true, "a", {}},
    {"back beyond the history goes to the oldest",
     [](Screen_man& m, auto& b, auto& c) { return m.switch_to_screen(&b) && m.switch_to_screen(&c) && m.back_screen(9); },
     true, "a", {}},
    {"back with no history", [](Screen_man& m, auto&, auto&) { return m.back_screen(1); }, false, "a", {}},
    {"remove a screen not shown",
     [](Screen_man& m, auto& b, auto& c) {
         return m.switch_to_screen(&b) && m.switch_to_screen(&c) && m.remove_screen(&b, false);
     },
     true, "c", {"a"}},
    {"remove the shown screen",
     [](Screen_man& m, auto& b, auto&) { return m.switch_to_screen(&b) && m.remove_screen(&b, false); }, false, "b",
     {"a"}},
    {"switch to the shown screen",
     [](Screen_man& m, auto& b, auto&) { return m.switch_to_screen(&b) && m.switch_to_screen(&b); }, true, "b", {"a"}},
};

}

TEST_F(Three_screens, the_stack_follows_switch_back_and_remove)
{
    start_without_vt();
    for (const Stack_case& k : stack_cases) {
        while (man().back_screen(99)) {
        }
        man().switch_to_screen(&a);
        ASSERT_EQ(current(), "a");
        ASSERT_TRUE(history().empty());
        EXPECT_EQ(k.act(man(), b, c), k.result) << k.name;
        EXPECT_EQ(current(), k.current) << k.name;
        EXPECT_EQ(history(), k.history) << k.name;
    }
}

TEST_F(Three_screens, the_home_screen_comes_with_the_pool_and_a_switch_to_the_shown_screen_shows_it_again)
{
    start();
    EXPECT_EQ(current(), "a");
    EXPECT_EQ(vt->active_mask(), a.get_mask_id());
    ASSERT_TRUE(man().switch_to_screen(&b));
    advance(100);
    take_mask_changes();
    EXPECT_EQ(vt->active_mask(), b.get_mask_id());
    const int activations = b.activations, deactivations = b.deactivations;

    ASSERT_TRUE(man().switch_to_screen(&b));
    advance(100);

    EXPECT_EQ(b.deactivations, deactivations + 1);
    EXPECT_EQ(b.activations, activations + 1);
    EXPECT_TRUE(b.is_shown());
    EXPECT_EQ(take_mask_changes(), 1);
    EXPECT_EQ(history(), std::vector<std::string>{"a"});
}
