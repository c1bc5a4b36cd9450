#include "platform/ui/User_interface.h"

#include "platform/iso/VT_Command.h"
#include "platform/iso/VT_vtui_pool.h"
#include "platform/rtos/Debug_base.h"
#include "platform/ui/Screen.h"
#include "platform/ui/Stat.h"
#include "platform/ui/User_interface_iface.h"

#include <iterator>

namespace UI {

namespace {

const char* code_text(uint8_t code)
{
    static const char* const texts[] = {"released", "pressed", "held", "aborted"};
    return code < 4 ? texts[code] : "with an unknown code";
}

}

User_interface::User_interface(module_man* man, VT::vtui_pool& pool)
    : pool_(pool), screen_man_(*this)
{
    Diner::init(man, nullptr, "UI", 0, 0, false, false);
    screen_man_.set_units_man(&units_);
    pool_.set_listener(this);
    // The screens read the store when a listener's event is taken: one event
    // covers every write before it. With no VT showing the pool they can
    // wait: their events are taken when the UI wakes for something else, and
    // all of them once a VT shows the pool.
    get_waiter().coalesce_listener_events();
    get_waiter().hold_listener_events(true);
}

User_interface::~User_interface()
{
    pool_.set_listener(nullptr);
    if (is_running())
        terminate(1, 1000);
    std::lock_guard<std::mutex> lock(timers_mutex_);
    screen_timers_.clear();
}

bool User_interface::init(User_interface_iface& iface)
{
    if (iface_)
        return false;
    iface_ = &iface;
    post(setup_event);
    return true;
}

bool User_interface::determine_ui_enabled()
{
    const bool enabled = iface_ ? iface_->ui_enabled() : true;
    if (enabled == ui_enabled_)
        return enabled;
    ui_enabled_ = enabled;
    if (!set_up_)
        return enabled;
    if (!enabled)
        screen_man_.switch_to_screen(config_.intro);
    else
        go_home();
    return enabled;
}

void User_interface::submit_screen_timeout(Screen& screen, Timeout& t, int period_ms)
{
    {
        std::lock_guard<std::mutex> lock(timers_mutex_);
        screen_timers_[&t] = &screen;
    }
    submit_timeout(t, period_ms);
}

void User_interface::remove_screen_timeout(Timeout& t)
{
    remove_timeout(t);
    std::lock_guard<std::mutex> lock(timers_mutex_);
    screen_timers_.erase(&t);
}

void User_interface::forget_screen_timeouts(Screen& screen)
{
    std::lock_guard<std::mutex> lock(timers_mutex_);
    for (auto it = screen_timers_.begin(); it != screen_timers_.end();)
        it = it->second == &screen ? screen_timers_.erase(it) : std::next(it);
}

void User_interface::handle_activation(const Activation& activation)
{
    Vt_news news;
    news.what = activation;
    queue(news);
}

void User_interface::handle_pool_uploaded(uint64_t vt_name)
{
    Vt_news news;
    news.kind = Vt_news::uploaded;
    news.vt_name = vt_name;
    queue(news);
}

void User_interface::handle_terminal_alive(bool alive)
{
    Vt_news news;
    news.kind = Vt_news::alive;
    news.is_alive = alive;
    queue(news);
}

void User_interface::handle_units_system(Units_system system)
{
    Vt_news news;
    news.kind = Vt_news::units;
    // US customary units show as the imperial ones.
    news.system = system == Units_system::metric ? Units_man::metric : Units_man::imperial;
    queue(news);
}

void User_interface::queue(const Vt_news& news)
{
    {
        std::lock_guard<std::mutex> lock(news_mutex_);
        news_.push_back(news);
    }
    post(news_event);
}

void User_interface::handle_event(waiter_event& event)
{
    if (event.module != get_module_id())
        return;
    if (event.code == setup_event)
        set_up();
    take_news();
    send_updates();
}

void User_interface::handle_listener_event(waiter_event& event)
{
    Diner::handle_listener_event(event);
    send_updates();
}

void User_interface::handle_timeout(Timeout& t)
{
    Screen* owner = nullptr;
    {
        std::lock_guard<std::mutex> lock(timers_mutex_);
        const auto found = screen_timers_.find(&t);
        if (found != screen_timers_.end())
            owner = found->second;
    }
    if (owner)
        owner->send_timeout(t);
    else if (iface_)
        iface_->handle_timeout_event(t);
    send_updates();
}

void User_interface::set_up()
{
    if (set_up_ || !iface_)
        return;
    if (!iface_->setup_screens(&pool_, config_)) {
        Debug_print::dprint("UI: the application did not set its screens up\n");
        return;
    }
    const std::vector<Screen*> screens(screen_man_.get_screens());
    for (Screen* screen : screens)
        if (!screen->init(&pool_, iface_->get_parameters()))
            Debug_print::dprint("UI: screen \"%s\" found no mask\n", screen->get_key());
    for (Screen* screen : screens)
        screen->post_snapshot_init();
    iface_->register_listeners();
    set_up_ = true;
    screen_man_.switch_to_screen(config_.intro);
    determine_ui_enabled();
    if (pool_uploaded_)
        go_home();
}

void User_interface::take_news()
{
    // News that came before the set-up waits for it.
    while (set_up_) {
        Vt_news news;
        {
            std::lock_guard<std::mutex> lock(news_mutex_);
            if (news_.empty())
                return;
            news = news_.front();
            news_.pop_front();
        }
        switch (news.kind) {
        case Vt_news::activation:
            route(news.what);
            break;
        case Vt_news::uploaded:
            iface_->handle_pool_uploaded(news.vt_name);
            pool_uploaded_ = true;
            go_home();
            break;
        case Vt_news::alive:
            iface_->handle_terminal_alive(news.is_alive);
            get_waiter().hold_listener_events(!news.is_alive);
            break;
        case Vt_news::units:
            apply_units(news.system);
            break;
        }
    }
}

void User_interface::route(const Activation& activation)
{
    switch (activation.function) {
    case Soft_key_activation_event::soft_key:
    case Soft_key_activation_event::button:
        route_key(activation);
        break;
    default:
        route_value(activation);
        break;
    }
}

void User_interface::route_key(const Activation& activation)
{
    Soft_key_activation_event event;
    event.function = activation.function;
    event.object = activation.object;
    event.parent = activation.parent;
    event.code = activation.code;
    Screen* screen = screen_man_.get_current_screen();
    if (screen && screen->handle_soft_key_event(event, activation.function))
        return;
    Debug_print::dprint("UI: %s %u of mask %u %s, taken by no screen\n",
                        activation.function == Soft_key_activation_event::button ? "button" : "key",
                        activation.object, activation.parent, code_text(activation.code));
}

void User_interface::route_value(const Activation& activation)
{
    // The VT edits the objects of the mask it shows: the shown screen's
    // Stats first, then any screen's.
    Stat* stat = nullptr;
    if (Screen* current = screen_man_.get_current_screen())
        stat = current->find_stat(activation.object);
    for (size_t i = 0; !stat && i < screen_man_.get_screens().size(); ++i)
        stat = screen_man_.get_screens()[i]->find_stat(activation.object);
    if (!stat) {
        Debug_print::dprint("UI: new value of object %u, taken by no screen\n", activation.object);
        return;
    }
    if (activation.function == VT::Command::vt_change_string_value)
        stat->take_vt_string(activation.text);
    else
        stat->take_vt_number(activation.value);
}

void User_interface::go_home()
{
    if (ui_enabled_ && pool_uploaded_ && config_.home)
        screen_man_.switch_to_screen(config_.home);
}

void User_interface::apply_units(Units_man::System system)
{
    if (system == units_.get_system())
        return;
    units_.set_system(system);
    for (Screen* screen : std::vector<Screen*>(screen_man_.get_screens()))
        screen->set_units(units_);
}

void User_interface::send_updates()
{
    for (Screen* screen : screen_man_.get_screens())
        if (screen->has_pending_update())
            screen->send_val_updates(false);
}

void User_interface::post(uint32_t code)
{
    get_waiter().post(waiter_event{get_module_id(), code, this, nullptr});
}

}
