#pragma once
// An operator at a Virtual Terminal in front of kx4, for process tests:
// can_hub, the fake VT, optionally fake_slave on kx4's serial line, and kx4 in
// VT mode under a temporary root. The test works the screens through the fake
// VT's script and reads the store through kx4's test console.
//
// Alarm masks come up over any screen once a second, and take every key
// while shown: the presses below acknowledge an alarm mask in their way and
// press again when the alarm screen took their key.
#include "params/parameters_t.h"
#include "tests/app/App_fixture.h"
#include "tests/support/Hub_process.h"
#include "tests/support/Spawned_process.h"
#include "vt_pool/Seeder_pool_ids.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>

class Kx4_vt_session {
public:
    // Generous, for a loaded machine and sanitizer builds; nothing waits this long when all is well.
    static constexpr int wait_ms = 20000;

    struct Options {
        // kx4 polls fake_slave through --port (the control task) instead of
        // running its demonstration simulator.
        bool fake_slave = false;
        // More stored parameters, on top of a VT taken at once.
        std::function<void(NV_quvel::parameters_t&)> parameters;
    };

    // Starts can_hub, the fake VT and fake_slave when asked; kx4 waits for start().
    explicit Kx4_vt_session(const Options& options);
    ~Kx4_vt_session();
    Kx4_vt_session(const Kx4_vt_session&) = delete;
    Kx4_vt_session& operator=(const Kx4_vt_session&) = delete;

    // Stores the parameters, starts kx4 and waits until the VT shows its
    // operating screen and no alarm already active is left to come up: each
    // alarm mask shown is acknowledged, until the operating screen has stayed
    // up for two of kx4's alarm scans. False when any step fails (report()).
    bool start();
    // Ends kx4 through its console, then the others; false when any ends
    // otherwise than in order, or kx4's output shows a sanitizer's finding.
    bool stop();

    // The object IDs of the pool kx4 builds.
    const Seeder_pool_ids& ids() const { return *ids_; }
    // The ID of an object of the pool's fixed part by its name ("alarm_mask_NO_COMMS").
    static uint16_t fixed_object(const std::string& name);
    // The key the operator presses on an alarm mask.
    static uint16_t alarm_key();

    // The mask the VT shows, as far as its output is read.
    uint16_t shown_mask() const { return shown_; }
    bool is_alarm_mask(uint16_t mask) const { return alarm_masks_.count(mask) > 0; }
    // Reads the VT's output until it shows the mask (true), or the time is up.
    bool wait_for_mask(uint16_t mask, int timeout_ms = wait_ms);

    // Reads the VT's output until kx4 gives the object a value that passes
    // the test (true), or the time is up; the last value given in last.
    bool wait_for_value(uint16_t id, const std::function<bool(uint32_t)>& holds, uint32_t* last = nullptr,
                        int timeout_ms = wait_ms);

    // Presses and releases the soft key or button on the mask shown, once the
    // VT has sent both (false when it did not). Nothing more: the others
    // below deal with alarm masks.
    bool press(uint16_t id);
    // Acknowledges the alarm mask shown, if any, and each one that follows
    // it at once; true once the VT shows a mask that is not an alarm's.
    bool acknowledge_alarms();
    // Presses the key or button until the VT shows the mask.
    bool press_to(uint16_t id, uint16_t mask);
    // From the operating screen through the settings and seeder settings
    // menus to the screen of the seeder menu's button, which shows mask.
    bool open_seeder_setting(size_t button, uint16_t mask);
    // Presses the key or button until the console's answer to the request
    // is the value. Pressed again only when an alarm screen took it, so a
    // key that toggles is not toggled twice.
    bool press_until(uint16_t id, const std::string& request, double value);
    // The operator's entry in an input field (a list's item index), once the VT has sent it.
    bool enter_number(uint16_t id, uint32_t value);
    bool enter_string(uint16_t id, const std::string& text);
    // An entry in an input number outside its range, once the VT has refused it.
    bool enter_refused_number(uint16_t id, uint32_t value);
    // Asks the VT until the number object shows the text (true), or the time
    // is up; the text shown last in last.
    bool wait_for_shown(uint16_t id, const std::string& text, std::string* last = nullptr);

    // A line to kx4's console.
    bool console(const std::string& line);
    // Asks the console until the answer holds the text (true), or the time is up.
    bool answer(const std::string& request, const std::string& text);
    // The console's number for the item; NaN when no answer came.
    double value(const std::string& request);

    Spawned_process& kx4() { return *kx4_; }
    // The session takes the VT's lines (read_line): look at its output()
    // or wait_for_output() on it, never take its lines.
    Spawned_process& vt() { return vt_; }
    Spawned_process& slaves() { return *slaves_; }
    Hub_process& hub() { return hub_; }
    const Temp_folder& root() const { return root_; }
    // The processes' outputs, for a failure's message.
    std::string report() const;

private:
    // Takes the VT's next line (into taken, when given), following the mask
    // shown; false when none came in the time.
    bool take_vt_line(int timeout_ms, std::string* taken = nullptr);
    // Takes what the VT has said by now.
    void take_vt_lines();
    // Sends a script line and waits until the VT says it sent it, or until
    // a line that begins with said (into taken, when given).
    bool script(const std::string& line);
    bool script(const std::string& line, const std::string& said, std::string* taken = nullptr);

    const Options options_;
    Temp_folder root_;
    std::unique_ptr<Seeder_pool_ids> ids_;
    Hub_process hub_;
    Spawned_process vt_;
    std::unique_ptr<Spawned_process> slaves_;
    std::unique_ptr<Spawned_process> kx4_;
    std::set<uint16_t> alarm_masks_;
    uint16_t shown_ = 0xFFFF;
    std::map<uint16_t, uint32_t> values_; // the last numeric value kx4 gave each object
    size_t alarms_shown_ = 0;     // alarm masks the VT has shown
    size_t maintenance_seen_ = 0; // kx4's maintenance messages the VT heard
};
