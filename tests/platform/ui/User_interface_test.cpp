#include "tests/platform/ui/Recording_screen.h"
#include "tests/support/Ui_fixture.h"

#include <string>
#include <vector>

namespace {

// A screen that writes each step of its life into a shared log.
class Logging_screen : public Recording_screen {
public:
    Logging_screen(const char* key, Screen_man* man, uint16_t mask, std::vector<std::string>& log)
        : Recording_screen(key, man, mask), log_(log)
    {
    }
    bool init(VT::vtui_pool* pool, NV_quvel::parameters_t* params) override
    {
        log_.push_back(std::string("init ") + get_key() + (params ? " with parameters" : ""));
        return Recording_screen::init(pool, params);
    }
    void post_snapshot_init() override { log_.push_back(std::string("post ") + get_key()); }
    bool activate() override
    {
        log_.push_back(std::string("show ") + get_key());
        return Recording_screen::activate();
    }

private:
    std::vector<std::string>& log_;
};

class Host : public Ui_fixture {
protected:
    Host()
    {
        iface.on_setup = [this](VT::vtui_pool&, UI::Setup_config& config) {
            log.push_back("setup");
            config.intro = &intro;
            config.home = &home;
        };
        iface.on_register_listeners = [this] { log.push_back("listeners"); };
    }

    std::vector<std::string> log;
    Logging_screen intro{"intro", &man(), pool->get_intro_mask_id(), log};
    Logging_screen home{"main", &man(), pool->data_mask(), log};
};

}

TEST_F(Host, the_set_up_runs_in_order_and_the_home_screen_follows_the_pool)
{
    start();
    EXPECT_EQ(log, (std::vector<std::string>{"setup", "init intro with parameters", "init main with parameters",
                                             "post intro", "post main", "listeners", "show intro", "show main"}));
    EXPECT_EQ(vt->active_mask(), home.get_mask_id());
    EXPECT_EQ(man().get_history(), std::vector<Screen*>{&intro});
}

TEST_F(Host, the_vt_news_reach_the_application_on_the_ui_task)
{
    start();
    EXPECT_EQ(iface.uploaded, std::vector<uint64_t>{vt->get_name().to_stored()});
    EXPECT_EQ(iface.alive_news, std::vector<bool>{true});
}

TEST_F(Host, a_disabled_ui_shows_the_intro_screen_and_enabled_again_the_home_screen)
{
    start();
    iface.enabled = false;
    EXPECT_FALSE(ui->determine_ui_enabled());
    EXPECT_EQ(man().get_current_screen(), &intro);
    EXPECT_FALSE(ui->determine_ui_enabled());
    EXPECT_EQ(man().get_current_screen(), &intro);

    iface.enabled = true;
    EXPECT_TRUE(ui->determine_ui_enabled());
    EXPECT_EQ(man().get_current_screen(), &home);
    advance(100);
    EXPECT_EQ(vt->active_mask(), home.get_mask_id());
}

TEST_F(Host, news_before_the_set_up_wait_for_it)
{
    ui->handle_pool_uploaded(0x1234);
    ui->handle_terminal_alive(true);
    start_without_vt();
    EXPECT_EQ(iface.uploaded, std::vector<uint64_t>{0x1234});
    EXPECT_EQ(iface.alive_news, std::vector<bool>{true});
    EXPECT_EQ(man().get_current_screen(), &home);
}
