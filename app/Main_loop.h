#pragma once
#include "app/App_objects.h"
#include "app/Store_watch.h"
#include "platform/data/NV_Virt_listener.h"
#include "platform/rtos/Atime.h"

#include <functional>
#include <string>

class Tc_link;

// The start-up thread's supervision once the system runs: it waits on the
// main waiter for the stop signal, a shutdown request in the data store and
// parameter changes; it saves the parameter file one second after the last
// change (ten at most after the first unsaved one), and on a shutdown
// request saves what must be saved, records the exit code and lets go of
// the waiter. The process itself ends elsewhere.
class Main_loop {
public:
    static constexpr int save_delay_ms = 1000;
    // A steady stream of changes still gets saved: at the latest this long
    // after the first change not yet on file.
    static constexpr int save_bound_ms = 10000;
    static constexpr const char* exit_code_file = "AppExitCode.txt";

    explicit Main_loop(const App_objects& objects);
    Main_loop(const Main_loop&) = delete;
    Main_loop& operator=(const Main_loop&) = delete;

    // Registers the main waiter on the shutdown request and on the parameter
    // tree, then takes the request's value as the shutdown code.
    void start();
    // Passes until a shutdown is asked for (a stop signal too); then, unless
    // the non-VT display is in use, saves the totals (through save_totals,
    // when given) and the parameters; clears alive and waits 100 ms.
    // Returns the shutdown code.
    int run(const std::function<void()>& save_totals = nullptr);
    // Waits for one event or the save deadline and handles it. Returns the
    // shutdown code: 0 or below means go on.
    int pass();
    // Re-reads the shutdown code, prints it, writes it to the exit-code file
    // in the folder (made when missing) and lets go of the main waiter.
    // Returns the code the process ends with.
    int finish(const std::string& exit_code_folder);

    // The Task Controller's events and store items go to it from now on.
    void set_tc_link(Tc_link* tc) { tc_ = tc; }

    int get_shutdown_code() const { return code_; }
    bool is_save_armed() const { return save_armed_; }
    Atime get_save_deadline() const { return save_deadline_; }

private:
    friend class NV_store::Virt_listener<Main_loop>;
    void handle_nv_listener_event(NV_store::Virt_access* listener);
    bool non_vtt_display() const;
    void write_exit_code(const std::string& folder, int code) const;

    const App_objects objects_;
    Store_watch watch_;
    NV_store::Virt_listener<Main_loop> tree_listener_{this};
    NV_store::Virt_listener<Main_loop> non_vtt_listener_{this};
    Tc_link* tc_ = nullptr;
    int code_ = 0;
    bool save_armed_ = false;
    Atime save_deadline_;
    Atime first_unsaved_;
};
