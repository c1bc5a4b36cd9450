// The Task Controller client's reception (PGN 0xCB00): the seeder's own
// model on a store and parameters of its own, the client on an in-process
// bus and a Task Controller node that says what the input says, on the
// manual clock: the version, label and pool-transfer answers, process-data
// commands for any element and DDI, messages of any length. The steps are
// in Tc_script.h.
//
// Holds: the client settles without the clock moving; every message it sends
// the Task Controller is a whole process-data message (8 bytes, or the pool
// by transport); an acknowledge answers the command just sent, naming its
// element, DDI and command; a command it refuses (its acknowledge names an
// error) changes nothing in the store.
#include "app/Net_interface.h"
#include "data_store/Data_store.h"
#include "fuzz/Fuzz_bus.h"
#include "fuzz/Fuzz_input.h"
#include "fuzz/Tc_script.h"
#include "isobus/Cds_event_listener.h"
#include "isobus/NV_store_event_listener.h"
#include "isobus/Tessaryn_tc_model.h"
#include "params/parameters_t.h"
#include "platform/can/Known_names.h"
#include "platform/iso/TC_client_Controller.h"
#include "platform/iso/Working_set_member.h"
#include "platform/rtos/Debug_base.h"

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr const char* bus_name = "fuzz_tc";
constexpr uint8_t client_address = 0x80, tc_address = 0xF7;
constexpr uint32_t pgn = TC_client::Controller::process_data_pgn;
constexpr uint8_t acknowledge = 0xD;

class Fixed_interface : public Net_interface {
public:
    bool read_mac(unsigned char (&bytes)[6]) override
    {
        const unsigned char mac[6] = {0x00, 0x50, 0xC2, 0x12, 0x34, 0x56};
        std::memcpy(bytes, mac, sizeof mac);
        return true;
    }
    uint32_t read_ipv4() override { return 0; }
    bool watch_addresses() override { return false; }
    size_t receive_notices(void*, size_t) override { return 0; }
    bool has_index(int) override { return false; }
};

ZEV_name::NAME tc_name()
{
    ZEV_name::NAME name;
    name.set(ZEV_name::Field::industry_group, 2);
    name.set(ZEV_name::Field::function, TC_client::Controller::task_controller_function);
    name.set(ZEV_name::Field::identity_number, 1);
    return ZEV_name::NAME(name, ~uint64_t(0));
}

struct Bench {
    Manual_clock& manual = fuzz_clock(); // first: the stacks start on it
    module_man modules;
    std::shared_ptr<Mem_bus_hub> hub = Mem_bus_hub::get(bus_name);
    Fuzz_node client_node, tc;
    std::unique_ptr<Data_store> store = std::make_unique<Data_store>(&modules, "1.2.3");
    std::unique_ptr<NV_quvel::parameters_t> params = std::make_unique<NV_quvel::parameters_t>(&modules, 0, "PS");
    TC_client::NV_store_event_listener nv_listener{*params, nullptr};
    TC_client::Cds_event_listener listeners{store->head, &nv_listener};
    Tessaryn_tc_model model{*store, params.get(), std::make_unique<Fixed_interface>()};
    Working_set_member member{Known_names::get_seeder(1)};
    std::unique_ptr<TC_client::Controller> controller;
    // What the client sent the Task Controller since the last look.
    std::vector<std::vector<uint8_t>> heard;

    Bench()
    {
        client_node.open(modules, bus_name, Known_names::get_seeder(1), client_address);
        tc.open(modules, bus_name, tc_name(), tc_address);
        tc.stack.register_pgn(pgn, &tc.waiter, nullptr, ZEV_stack::PGN_DATA);
        run_for(300);
        controller = std::make_unique<TC_client::Controller>(&modules, &client_node.stack, model, member, &listeners,
                                                             0, ZEV_name::RAWNAME::GLOBAL_NAME);
    }
    ~Bench() { controller.reset(); }

    void settle()
    {
        settle_bus(*hub, [this] {
            const int ran = client_node.stack.run_pending() + tc.stack.run_pending() +
                            (controller ? controller->run_pending() : 0);
            take_messages();
            return ran;
        });
    }
    void run_for(int ms)
    {
        run_clock(ms, [this] { settle(); });
    }
    void take_messages()
    {
        tc.take_all(pgn, [this](const ZEV_header& header, const uint8_t* bytes, int n) {
            if (header.get_source() != client_address)
                return;
            fuzz_check(n >= 8, "a whole process-data message");
            heard.emplace_back(bytes, bytes + n);
        });
    }
    void send(const std::vector<uint8_t>& message, uint8_t to = client_address)
    {
        const ZEV_header header(tc_address, to, pgn, 5, 0, uint32_t(message.size()));
        tc.stack.write(header, message.data(), int(message.size()), nullptr, 0);
        settle();
    }
};

// Checks the acknowledges the client sent for a message of the Task
// Controller; true when one of them refused it (names an error).
bool refused(const std::vector<std::vector<uint8_t>>& heard, const std::vector<uint8_t>& command)
{
    bool refused = false;
    for (const std::vector<uint8_t>& m : heard) {
        if ((m[0] & 0x0F) != acknowledge)
            continue;
        fuzz_check(command.size() >= 8 && (m[0] & 0xF0) == (command[0] & 0xF0) && m[1] == command[1] &&
                       m[2] == command[2] && m[3] == command[3] && (m[5] & 0x0F) == (command[0] & 0x0F),
                   "an acknowledge answers the command sent");
        refused = refused || m[4] != 0;
    }
    return refused;
}

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool quiet = (Debug_print::set_sink([](const char*) {}), true);
    (void)quiet;
    Bench bench;
    Fuzz_input in(data, size);
    while (!in.empty()) {
        bench.heard.clear();
        const uint8_t step = in.u8() % tc_step_count;
        switch (step) {
        case tc_status:
            bench.send({0xFE, 0xFF, 0xFF, 0xFF, in.u8(), 0x00, 0x00, 0xFF}, 0xFF);
            break;
        case tc_message:
        case tc_sized: {
            std::vector<uint8_t> message(step == tc_message ? 8 : in.u8() % 40);
            for (uint8_t& b : message)
                b = in.u8();
            if (message.empty())
                break;
            const std::vector<uint8_t> before(reinterpret_cast<const uint8_t*>(&bench.store->body),
                                              reinterpret_cast<const uint8_t*>(&bench.store->body + 1));
            bench.send(message);
            if (refused(bench.heard, message))
                fuzz_check(std::memcmp(before.data(), &bench.store->body, before.size()) == 0,
                           "a refused command changes nothing");
            break;
        }
        case tc_wait:
            bench.run_for(10 * in.u8());
            break;
        case tc_rebuild:
            bench.controller->signal_model_changed();
            bench.settle();
            break;
        case tc_enable:
            bench.controller->set_enabled(in.u8() & 1);
            bench.settle();
            break;
        }
    }
    return 0;
}
