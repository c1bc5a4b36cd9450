#include "bench/Vt_upload_bench.h"
#include "app/load_seeder_screens.h"
#include "bench/Upload_bench_stacks.h"
#include "platform/can/Bus_select.h"
#include "platform/can/Known_names.h"
#include "platform/can/ZEV_header.h"
#include "platform/can/ZEV_smart_stack.h"
#include "platform/iso/Working_set_member.h"
#include "platform/rtos/Debug_base.h"
#include "tests/support/Fake_vt_server.h"
#include "tests/support/Short_claims.h"
#include "vt_pool/seeder_ecu_pool/seeder_ecu_pool.h"

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <thread>

namespace {

// Connection management (with ETP's data packet offsets) and data frames.
constexpr uint32_t tp_cm = 0xEC00, tp_dt = 0xEB00, etp_cm = 0xC800, etp_dt = 0xC700;

}

Vt_upload_figures upload_seeder_pool(const std::string& bus_spec)
{
    using Clock = std::chrono::steady_clock;
    Vt_upload_figures figures;
    Short_claims short_claims;
    Quiet_debug quiet;
    module_man modules;

    std::atomic<size_t> data_frames{0}, control_frames{0};
    std::unique_ptr<Can_bus> counter(Bus_select::start(bus_spec.c_str(), nullptr));
    if (!counter)
        return figures;
    counter->set_receiver([&](const Can_frame& frame) {
        const uint32_t pgn = ZEV_header::normal_pgn(frame.id >> 8);
        if (pgn == tp_dt || pgn == etp_dt)
            ++data_frames;
        else if (pgn == tp_cm || pgn == etp_cm)
            ++control_frames;
    });

    ZEV_smart_stack client_stack, vt_stack;
    if (!open_bench_stack(client_stack, bus_spec, modules) || !open_bench_stack(vt_stack, bus_spec, modules))
        return figures;
    waiter_descriptor waiter;
    const ZEV_name::NAME name = Known_names::get_seeder(1);
    client_stack.get_name_manager().add_local_name(name, 0x80, &waiter);
    if (!client_stack.wait_for_name(&waiter, name, true))
        return figures;

    std::mutex times_mutex;
    Clock::time_point first, ended;
    bool started = false, done = false;
    Fake_vt_server vt(&modules, vt_stack, Fake_vt_server::Settings());
    vt.set_printer([&](const std::string& line) {
        std::lock_guard<std::mutex> lock(times_mutex);
        if (line.rfind("pool transfer", 0) == 0 && !started) {
            started = true;
            first = Clock::now();
        } else if (line.rfind("end of pool", 0) == 0) {
            done = true;
            ended = Clock::now();
        }
    });
    if (!vt.start_serving() || !vt.start())
        return figures;

    Working_set_member member(name);
    {
        auto pool = std::make_unique<VT::seeder_ecu_pool>(&modules, nullptr, 0);
        auto ids = std::make_unique<Seeder_pool_ids>();
        if (!load_seeder_screens(*pool, *ids))
            return figures;
        pool->lock_pool();
        const std::vector<uint8_t> image = pool->serialise();
        pool->unlock_pool();
        pool->init(&client_stack, member, nullptr, nullptr, ZEV_name::RAWNAME::GLOBAL_NAME, 0);
        pool->start();
        const Clock::time_point give_up = Clock::now() + std::chrono::seconds(20);
        const auto finished = [&] {
            std::lock_guard<std::mutex> lock(times_mutex);
            return done;
        };
        while (!finished() && Clock::now() < give_up)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        pool->set_enabled(false);
        pool->terminate(1, 1000);
        vt.terminate(1, 1000);
        std::lock_guard<std::mutex> lock(times_mutex);
        figures.ok = done && vt.last_pool() == image;
        figures.bytes = image.size();
        figures.data_frames = data_frames;
        figures.control_frames = control_frames;
        figures.ms = std::chrono::duration<double, std::milli>(ended - first).count();
    }
    counter->set_receiver(nullptr);
    return figures;
}
