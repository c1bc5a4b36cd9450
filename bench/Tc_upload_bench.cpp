#include "bench/Tc_upload_bench.h"
#include "app/Net_interface.h"
#include "data_store/Data_store.h"
#include "isobus/Cds_event_listener.h"
#include "isobus/NV_store_event_listener.h"
#include "isobus/Tessaryn_tc_model.h"
#include "params/parameters_t.h"
#include "bench/Frame_counter.h"
#include "bench/Upload_bench_stacks.h"
#include "platform/can/Bus_select.h"
#include "platform/can/Known_names.h"
#include "platform/can/ZEV_smart_stack.h"
#include "platform/can/ZEV_transport.h"
#include "platform/iso/TC_client_Controller.h"
#include "platform/iso/Working_set_member.h"
#include "platform/rtos/Debug_base.h"
#include "tests/support/Fake_tc_server.h"
#include "tests/support/Short_claims.h"

#include <chrono>
#include <memory>
#include <mutex>
#include <thread>

namespace {

void use_the_largest_machine(Data_store& store, NV_quvel::application_t& app)
{
    store.head.set(store.body.system.non_vtt_connected, true);
    app.drill_control_enabled.set(true);
    app.booms.num_booms.set(6);
    for (int b = 0; b < 6; ++b)
        app.booms.booms[b]->num_sections.set(10);
    app.booms.booms[0]->type.set(3);
    app.num_channels.set(10);
    for (int k = 0; k < 10; ++k) {
        app.swbox_mapping[k]->channel.set(int8_t(k));
        app.channels[k]->assigned_to_boom.set(uint8_t(k % 6));
    }
    for (int d = 0; d < 5; ++d) {
        app.downforces[d]->enabled.set(true);
        app.downforces[d]->assigned_to_boom.set(0);
    }
}

}

Tc_upload_figures upload_largest_description(const std::string& bus_spec)
{
    using Clock = std::chrono::steady_clock;
    Tc_upload_figures figures;
    Short_claims short_claims;
    Quiet_debug quiet;
    module_man modules;
    Data_store store(&modules, "1.2.3");
    NV_quvel::parameters_t params(&modules, 0, "PS");
    use_the_largest_machine(store, params.app);

    Frame_counter counter(bus_spec, [](const Can_frame& frame) {
        return ZEV_transport::is_transport_pgn(ZEV_header::normal_pgn(frame.id >> 8)) ? 0 : -1;
    });
    if (!counter.ready())
        return figures;

    ZEV_smart_stack client_stack, tc_stack;
    if (!open_bench_stack(client_stack, bus_spec, modules) || !open_bench_stack(tc_stack, bus_spec, modules))
        return figures;
    waiter_descriptor waiter;
    const ZEV_name::NAME name = Known_names::get_seeder(1);
    client_stack.get_name_manager().add_local_name(name, 0x80, &waiter);
    if (!client_stack.wait_for_name(&waiter, name, true))
        return figures;

    std::mutex times_mutex;
    Clock::time_point asked, arrived;
    Fake_tc_server tc(&modules, tc_stack, Fake_tc_server::Settings());
    tc.set_printer([&](const std::string& line) {
        std::lock_guard<std::mutex> lock(times_mutex);
        if (line.rfind("transfer request", 0) == 0)
            asked = Clock::now();
        else if (line.rfind("pool from", 0) == 0)
            arrived = Clock::now();
    });
    if (!tc.start_serving() || !tc.start())
        return figures;

    Tessaryn_tc_model model(store, &params);
    TC_client::NV_store_event_listener nv_listener(params, nullptr);
    TC_client::Cds_event_listener listeners(store.head, &nv_listener);
    Working_set_member member(name);
    {
        TC_client::Controller controller(&modules, &client_stack, model, member, &listeners, 0,
                                         ZEV_name::RAWNAME::GLOBAL_NAME);
        controller.start();
        const Clock::time_point give_up = Clock::now() + std::chrono::seconds(20);
        while (!controller.is_pool_active() && Clock::now() < give_up)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        controller.terminate(1, 1000);
        const Fake_tc_server::Pool* pool = tc.pool_of(0x80);
        tc.terminate(1, 1000);
        const bool counted = counter.settle(10000);
        std::lock_guard<std::mutex> lock(times_mutex);
        figures.ok = controller.is_pool_active() && pool && pool->errors.empty() && counted;
        figures.bytes = pool ? pool->bytes.size() : 0;
        figures.frames = counter.count(0);
        figures.ms = std::chrono::duration<double, std::milli>(arrived - asked).count();
    }
    return figures;
}
