#include "tests/app/Kx4_vt_session.h"
#include "app/Parameter_file.h"
#include "app/start_up_overrides.h"
#include "platform/rtos/module_man.h"
#include "tests/app/Kx4_driving.h"
#include "tests/support/Iop_check.h"
#include "vt_pool/VtWriter.h"
#include "vt_pool/build_seeder_pool.h"
#include "vt_pool/seeder_ecu_pool/seeder_ecu_pool.h"

#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <cstring>

namespace {

using Clock = std::chrono::steady_clock;

constexpr uint8_t alarm_mask_type = 2;
const std::string active_mask = "active mask ", numeric_value = "numeric value ";

int left_ms(Clock::time_point deadline)
{
    return int(std::max<Clock::rep>(
        0, std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count()));
}

// The end of a long output, where a failure shows.
std::string tail(const std::string& output)
{
    constexpr size_t kept = 20000;
    return output.size() <= kept ? output : "...\n" + output.substr(output.size() - kept);
}

std::unique_ptr<Seeder_pool_ids> built_ids()
{
    auto ids = std::make_unique<Seeder_pool_ids>();
    VtWriter writer(seeder_pool_writer_size, nullptr);
    if (!build_seeder_pool(*ids, writer, VtSize(240, 240)))
        return nullptr;
    return ids;
}

}

Kx4_vt_session::Kx4_vt_session(const Options& options)
    : options_(options), ids_(built_ids()), hub_(CAN_HUB_PROGRAM, 0, 0, wait_ms),
      vt_({FAKE_VT_SERVER_PROGRAM, hub_.isobus(), "--dump", root_.path() + "received.iop"}, {},
          Spawned_process::Input::fed)
{
    if (options_.fake_slave)
        slaves_ = std::make_unique<Spawned_process>(
            std::vector<std::string>{FAKE_SLAVE_PROGRAM, "--link", root_.path() + "slaves"},
            std::vector<std::string>{}, Spawned_process::Input::fed);
}

Kx4_vt_session::~Kx4_vt_session() = default;

uint16_t Kx4_vt_session::fixed_object(const std::string& name)
{
    module_man modules;
    VT::seeder_ecu_pool pool(&modules, nullptr, 0);
    const VT::VT_obj* object = pool.find_object(name.c_str(), true);
    return object ? object->get_id() : 0xFFFF;
}

uint16_t Kx4_vt_session::alarm_key()
{
    // The alarm masks hold no key of their own: any key the VT reports on
    // one acknowledges it. The intro mask's key stands for it here, which
    // no data screen takes should the alarm have gone meanwhile.
    static const uint16_t key = fixed_object("key_way_b");
    return key;
}

bool Kx4_vt_session::start()
{
    if (!ids_ || !hub_.listening() || !vt_.wait_for_output("fake_vt_server: Virtual Terminal at", wait_ms))
        return false;
    if (slaves_ && !slaves_->wait_for_output("fake_slave: serving", wait_ms))
        return false;

    // The factory settings, as kx4 makes them when it finds no file.
    NV_quvel::parameters_t stored;
    apply_start_up_overrides(stored);
    // Any VT at once: none is preferred yet.
    stored.system.terminal_timeout.set(0);
    if (options_.parameters)
        options_.parameters(stored);
    Parameter_file file(stored, root_.path() + "var/data/kx4/cache/");
    if (!file.create_folder() || !file.save())
        return false;

    std::vector<std::string> arguments{KX4_PROGRAM, "-T", "--bus=" + hub_.isobus(), "--abus=" + hub_.abus()};
    if (slaves_)
        arguments.push_back("--port=" + root_.path() + "slaves");
    kx4_ = std::make_unique<Spawned_process>(arguments, std::vector<std::string>{"KX4_ROOT=" + root_.path()},
                                             Spawned_process::Input::fed);
    if (!wait_for_mask(ids_->main.mask))
        return false;
    // The pool as the VT took it: which of its masks are alarm masks.
    const Iop_check pool(read_bytes(root_.path() + "received.iop"));
    for (const auto& [id, object] : pool.objects())
        if (object.type == alarm_mask_type)
            alarm_masks_.insert(id);
    if (alarm_masks_.empty())
        return false;

    // kx4 sends its maintenance message once a second and scans its alarms
    // once a second: three messages with no new alarm mask span two scans.
    const auto deadline = Clock::now() + std::chrono::milliseconds(wait_ms);
    size_t alarms = alarms_shown_, since = maintenance_seen_;
    while (maintenance_seen_ < since + 3) {
        if (!acknowledge_alarms())
            return false;
        if (alarms_shown_ != alarms) {
            alarms = alarms_shown_;
            since = maintenance_seen_;
        }
        if (Clock::now() >= deadline || !take_vt_line(left_ms(deadline)))
            return false;
    }
    return true;
}

bool Kx4_vt_session::stop()
{
    bool in_order = true;
    if (kx4_) {
        in_order = kx4_->write_input("shutdown\n") && kx4_->wait_for_exit(wait_ms) == 1;
        for (const char* fault : {"AddressSanitizer", "LeakSanitizer", "runtime error"})
            in_order = in_order && kx4_->output().find(fault) == std::string::npos;
    }
    in_order = vt_.stop(SIGTERM, wait_ms) == 0 && in_order;
    if (slaves_)
        in_order = slaves_->stop(SIGTERM, wait_ms) == 0 && in_order;
    return hub_.process().stop(SIGTERM, wait_ms) == 0 && in_order;
}

bool Kx4_vt_session::take_vt_line(int timeout_ms, std::string* taken)
{
    std::string line;
    if (!vt_.read_line(line, timeout_ms))
        return false;
    if (line.compare(0, active_mask.size(), active_mask) == 0) {
        shown_ = uint16_t(std::strtoul(line.c_str() + active_mask.size(), nullptr, 10));
        alarms_shown_ += is_alarm_mask(shown_);
    }
    if (line.compare(0, numeric_value.size(), numeric_value) == 0) {
        char* end = nullptr;
        const auto id = uint16_t(std::strtoul(line.c_str() + numeric_value.size(), &end, 10));
        if (std::strncmp(end, " = ", 3) == 0)
            values_[id] = uint32_t(std::strtoul(end + 3, nullptr, 10));
    }
    maintenance_seen_ += line.find("maintenance from ") != std::string::npos;
    if (taken)
        *taken = line;
    return true;
}

void Kx4_vt_session::take_vt_lines()
{
    while (take_vt_line(1)) {
    }
}

bool Kx4_vt_session::wait_for_mask(uint16_t mask, int timeout_ms)
{
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
    while (shown_ != mask)
        if (!take_vt_line(left_ms(deadline)))
            return false;
    return true;
}

bool Kx4_vt_session::wait_for_value(uint16_t id, const std::function<bool(uint32_t)>& holds, uint32_t* last,
                                    int timeout_ms)
{
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
    for (;;) {
        const auto found = values_.find(id);
        if (found != values_.end()) {
            if (last)
                *last = found->second;
            if (holds(found->second))
                return true;
        }
        if (!take_vt_line(left_ms(deadline)))
            return false;
    }
}

bool Kx4_vt_session::script(const std::string& line)
{
    // Taken up to it, the lines tell which mask the VT sent it on.
    return script(line, "sending " + line);
}

bool Kx4_vt_session::script(const std::string& line, const std::string& said, std::string* taken)
{
    if (!vt_.write_input(line + "\n"))
        return false;
    const auto deadline = Clock::now() + std::chrono::milliseconds(wait_ms);
    std::string last;
    while (last.compare(0, said.size(), said) != 0)
        if (!take_vt_line(left_ms(deadline), &last))
            return false;
    if (taken)
        *taken = last;
    return true;
}

bool Kx4_vt_session::wait_for_shown(uint16_t id, const std::string& text, std::string* last)
{
    const std::string said = "number " + std::to_string(id) + " shows ";
    const auto deadline = Clock::now() + std::chrono::milliseconds(wait_ms);
    std::string line;
    while (Clock::now() < deadline && script("shown " + std::to_string(id), said, &line)) {
        if (last)
            *last = line.substr(said.size());
        if (line.substr(said.size()) == text)
            return true;
    }
    return false;
}

bool Kx4_vt_session::enter_refused_number(uint16_t id, uint32_t value)
{
    return script("number " + std::to_string(id) + " " + std::to_string(value),
                  "refused number " + std::to_string(value) + " for " + std::to_string(id) + ":");
}

bool Kx4_vt_session::press(uint16_t id)
{
    return script("press " + std::to_string(id)) && script("release " + std::to_string(id));
}

bool Kx4_vt_session::acknowledge_alarms()
{
    take_vt_lines();
    const uint16_t key = alarm_key();
    const auto deadline = Clock::now() + std::chrono::milliseconds(wait_ms);
    while (is_alarm_mask(shown_)) {
        const uint16_t alarm = shown_;
        if (Clock::now() >= deadline || !press(key))
            return false;
        while (shown_ == alarm)
            if (!take_vt_line(left_ms(deadline)))
                return false;
    }
    return true;
}

bool Kx4_vt_session::press_to(uint16_t id, uint16_t mask)
{
    const auto deadline = Clock::now() + std::chrono::milliseconds(wait_ms);
    while (Clock::now() < deadline) {
        if (!acknowledge_alarms())
            return false;
        const size_t alarms = alarms_shown_;
        if (!press(id))
            return false;
        // The VT shows the masks in the order kx4 switched: the mask first
        // when the key reached its screen before an alarm came up.
        while (shown_ != mask && alarms_shown_ == alarms)
            if (!take_vt_line(left_ms(deadline)))
                return false;
        if (shown_ == mask)
            return true;
        // An alarm mask came first, and took the key or not: its
        // acknowledgement goes back to the screen under it.
        if (!acknowledge_alarms())
            return false;
        if (shown_ == mask)
            return true;
    }
    return false;
}

bool Kx4_vt_session::open_seeder_setting(size_t button, uint16_t mask)
{
    const Seeder_pool_ids& all = ids();
    return press_to(all.main.settings_key, all.settings_menu.mask) &&
           press_to(all.settings_menu.seeder_button, all.seeder_settings_menu.mask) &&
           press_to(all.seeder_settings_menu.menu_buttons.at(button), mask);
}

bool Kx4_vt_session::press_until(uint16_t id, const std::string& request, double value)
{
    const auto deadline = Clock::now() + std::chrono::milliseconds(wait_ms);
    while (Clock::now() < deadline) {
        if (!acknowledge_alarms())
            return false;
        const size_t alarms = alarms_shown_;
        if (!press(id))
            return false;
        while (Clock::now() < deadline) {
            // Seen before the question: a key the operating screen took
            // before the alarm came up has made its write by then.
            take_vt_lines();
            const bool alarm_came = alarms_shown_ != alarms;
            const double now = this->value(request);
            if (std::isnan(now))
                return false;
            if (now == value)
                return true;
            if (alarm_came)
                break; // the alarm screen took the key: again
        }
    }
    return false;
}

bool Kx4_vt_session::enter_number(uint16_t id, uint32_t value)
{
    return script("number " + std::to_string(id) + " " + std::to_string(value));
}

bool Kx4_vt_session::enter_string(uint16_t id, const std::string& text)
{
    return script("string " + std::to_string(id) + " " + text);
}

bool Kx4_vt_session::console(const std::string& line)
{
    return kx4_ && kx4_->write_input(line + "\n");
}

bool Kx4_vt_session::answer(const std::string& request, const std::string& text)
{
    return kx4_ && wait_for_answer(*kx4_, request, text, wait_ms);
}

double Kx4_vt_session::value(const std::string& request)
{
    return kx4_ ? value_of(*kx4_, request, wait_ms) : std::nan("");
}

std::string Kx4_vt_session::report() const
{
    std::string text = "--- kx4\n" + (kx4_ ? tail(kx4_->output()) : std::string("(not started)\n"));
    text += "--- fake_vt_server\n" + tail(vt_.output());
    if (slaves_)
        text += "--- fake_slave\n" + tail(slaves_->output());
    return text + "--- can_hub\n" + tail(hub_.output());
}
