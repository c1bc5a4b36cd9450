#include "platform/data/CDS_Virt_listener.h"
#include "tests/platform/ui/Recording_screen.h"
#include "tests/support/Ui_fixture.h"

#include <memory>
#include <string>
#include <vector>

namespace {

class Timers : public Ui_fixture {
protected:
    Timers()
    {
        iface.on_setup = [this](VT::vtui_pool&, UI::Setup_config& config) { config.home = &screen; };
    }
    size_t count(const Timeout& t) const
    {
        return size_t(std::count(screen.timeouts.begin(), screen.timeouts.end(), &t));
    }

    Recording_screen screen{"timers", &man(), pool->data_mask()};
    Timeout tick{true};
    Timeout once;
};

}

TEST_F(Timers, a_repeating_timeout_comes_every_period_until_removed)
{
    start_without_vt();
    screen.submit_timeout(tick, 100);
    advance(350);
    EXPECT_EQ(count(tick), 3u);

    screen.remove_timeout(tick);
    advance(500);
    EXPECT_EQ(count(tick), 3u);
}

TEST_F(Timers, a_submitted_period_and_a_resubmission_re_arm_and_a_single_timeout_comes_once)
{
    start_without_vt();
    tick.set_period(200);
    screen.submit_timeout(tick);
    screen.submit_timeout(once, 50);
    advance(150);
    screen.submit_timeout(tick); // due 200 ms from now, not 50
    advance(150);
    EXPECT_EQ(count(tick), 0u);
    EXPECT_EQ(count(once), 1u);
    advance(100);
    EXPECT_EQ(count(tick), 1u);
    EXPECT_EQ(count(once), 1u);
}

TEST_F(Timers, a_screen_that_goes_with_its_timeout_submitted_is_reached_no_more)
{
    struct Ticking_screen : Recording_screen {
        using Recording_screen::Recording_screen;
        Timeout own{true};
    };
    start_without_vt();
    auto ticking = std::make_unique<Ticking_screen>("ticking", &man(), pool->data_mask());
    ticking->submit_timeout(ticking->own, 100);
    advance(150);
    ASSERT_EQ(ticking->timeouts.size(), 1u);

    ticking.reset();
    advance(500);
    EXPECT_EQ(man().find_screen("ticking"), nullptr);
}

namespace {

// A screen that writes a field on a key and follows the same field.
class Writing_screen : public Recording_screen {
public:
    Writing_screen(Screen_man* man, uint16_t mask, Data_store& store)
        : Recording_screen("writer", man, mask), store_(store)
    {
    }
    void post_snapshot_init() override
    {
        bool& field = store_.body.operation.master_switch_active;
        listener.init(CDS::Access_base(store_.head, store_.head.offset_of(&field), sizeof field));
        listener.autoreg(get_waiter());
    }
    bool handle_activator_event(Window::Activator&, Window::Activator_event& e) override
    {
        if (e.get_code() == Window::Activator_event::released) {
            store_.head.set(store_.body.operation.master_switch_active, true);
            steps.push_back("written");
        }
        return true;
    }
    void handle_virt_listener_event(CDS::Virt_access*, waiter_event&)
    {
        const bool now = store_.head.get(store_.body.operation.master_switch_active);
        steps.push_back(now ? "read true" : "read false");
        owner_after_read = store_.head.owner_tid();
    }

    Window::Activator key;
    CDS::Virt_listener<Writing_screen> listener{this};
    std::vector<std::string> steps;
    int owner_after_read = -1;

private:
    Data_store& store_;
};

class Store_follower : public Ui_fixture {
protected:
    Store_follower()
    {
        iface.on_setup = [this](VT::vtui_pool&, UI::Setup_config& config) { config.home = &screen; };
    }
    const uint16_t key = pool->key();
    Writing_screen screen{&man(), pool->data_mask(pool->soft_key_mask({key})), *store};
};

}

TEST_F(Store_follower, the_listener_reads_the_store_after_the_writing_handler_returned)
{
    start_without_vt();
    screen.key.init(&screen, key, Window::Activator::NULL_ID, nullptr, 0xFFFF, 0xFFFF);
    man().switch_to_screen(&screen);
    VT::Pool_listener::Activation release;
    release.function = Soft_key_activation_event::soft_key;
    release.object = key;
    release.code = Soft_key_activation_event::released;

    inject(release);

    EXPECT_EQ(screen.steps, (std::vector<std::string>{"written", "read true"}));
    EXPECT_EQ(screen.owner_after_read, 0);
}
