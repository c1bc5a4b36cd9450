#include "app/Main_loop.h"
#include "app/Parameter_file.h"
#include "app/Tc_link.h"
#include "data_store/Data_store.h"
#include "params/parameters_t.h"
#include "platform/io/File_util.h"
#include "platform/rtos/Debug_base.h"

#include <algorithm>
#include <cstdio>

Main_loop::Main_loop(const App_objects& objects)
    : objects_(objects), watch_(objects.store.head, objects.main_waiter)
{
}

void Main_loop::start()
{
    ds_system& system = objects_.store.body.system;
    watch_.add(system.initiate_shutdown);
    tree_listener_.init(&objects_.parameters);
    tree_listener_.autoreg(objects_.main_waiter, true);
    non_vtt_listener_.init(&objects_.parameters.system.non_vtt_connected);
    non_vtt_listener_.autoreg(objects_.main_waiter, false);
    // Read after registering, so that no request falls between the two.
    code_ = objects_.store.head.get(system.initiate_shutdown);
}

int Main_loop::run(const std::function<void()>& save_totals)
{
    while (code_ <= 0)
        pass();
    // Every orderly stop keeps what was counted since the last timed save;
    // only with the non-VT display in use do the totals live elsewhere.
    if (!non_vtt_display()) {
        if (save_totals)
            save_totals();
        objects_.parameter_file.save();
    }
    objects_.store.head.set(objects_.store.body.system.alive, false);
    Atime::delay(100);
    return code_;
}

int Main_loop::pass()
{
    waiter_event event;
    bool got_event = true;
    // A stop signal whose event was flushed during the start-up still counts.
    if (!objects_.stop_requested) {
        if (save_armed_)
            got_event = objects_.main_waiter.wait(event, save_deadline_);
        else
            objects_.main_waiter.wait(event);
    }
    if (objects_.stop_requested)
        code_ = 1;
    const int32_t& request = objects_.store.body.system.initiate_shutdown;
    if (got_event && watch_.is(event, request))
        code_ = objects_.store.head.get(request);
    if (code_ > 0)
        return code_;
    if (!got_event) {
        if (save_armed_)
            objects_.parameter_file.save();
        save_armed_ = false;
    } else if (!(tc_ && tc_->handle(event)) && event.listener) {
        event.listener->handle_listener_event(event);
    }
    return code_;
}

void Main_loop::handle_nv_listener_event(NV_store::Virt_access* listener)
{
    // With the non-VT display in use, only a change of that mode is saved.
    if ((listener == &tree_listener_ && !non_vtt_display()) || listener == &non_vtt_listener_) {
        const Atime now = Atime::now();
        if (!save_armed_)
            first_unsaved_ = now;
        save_deadline_ = std::min(now + Rtime(save_delay_ms), first_unsaved_ + Rtime(save_bound_ms));
        save_armed_ = true;
    }
}

bool Main_loop::non_vtt_display() const
{
    return objects_.store.head.get(objects_.store.body.system.non_vtt_connected);
}

int Main_loop::finish(const std::string& exit_code_folder)
{
    int code = objects_.stop_requested
                   ? 1
                   : objects_.store.head.get(objects_.store.body.system.initiate_shutdown);
    Debug_print::dprint("\nShutdown code: %d\n", code);
    write_exit_code(exit_code_folder, code);
    watch_.clear();
    tree_listener_.autounreg(objects_.main_waiter);
    non_vtt_listener_.autounreg(objects_.main_waiter);
    objects_.main_waiter.flush();
    return code;
}

void Main_loop::write_exit_code(const std::string& folder, int code) const
{
    const std::string text = std::to_string(code);
    std::string error;
    if (!File_util::make_folders(folder, error)) {
        std::fprintf(stderr, "Failed to open AppExitCode for writing\n%s\n", error.c_str());
        return;
    }
    const File_util::Replaced written = File_util::replace(folder + exit_code_file, text.data(), text.size());
    if (written.ok()) {
        Debug_print::dprint("Writing exit code to file: %d\n", code);
        return;
    }
    static const char* const failed_step[] = {"", "open AppExitCode for writing", "write AppExitCode",
                                              "rename AppExitCode into place", "sync the folder of AppExitCode"};
    std::fprintf(stderr, "Failed to %s\n%s\n", failed_step[written.failure], written.error.c_str());
}
