// The Virtual Terminal client's reception (PGN 0xE600): a small pool with
// its client on an in-process bus and a VT node that says what the input
// says, on the manual clock: statuses, answers to the queries and to the
// upload, responses to changes, activations, messages of any length, and
// changes the screens make meanwhile. The steps are in Vt_script.h.
//
// Holds: the client settles without the clock moving; every message it
// sends the VT has eight bytes at least; the pool lock is free after every
// step; an activation it delivers names an object of the pool of its kind,
// a number within the object's range and a string the object holds.
#include "fuzz/Fuzz_bus.h"
#include "fuzz/Fuzz_input.h"
#include "fuzz/Vt_script.h"
#include "platform/can/Known_names.h"
#include "platform/iso/VT_Command.h"
#include "platform/iso/VT_Pool_listener.h"
#include "platform/iso/Working_set_member.h"
#include "platform/rtos/Debug_base.h"
#include "tests/support/Small_vt_pool.h"

#include <memory>
#include <vector>

namespace {

constexpr const char* bus_name = "fuzz_vt";
constexpr uint8_t client_address = 0x80, vt_address = 0x26;
constexpr uint32_t to_client = VT::Object_pool::vt_to_ecu_pgn, to_vt = VT::Object_pool::ecu_to_vt_pgn;

ZEV_name::NAME vt_name()
{
    ZEV_name::NAME name;
    name.set(ZEV_name::Field::industry_group, 2);
    name.set(ZEV_name::Field::function, VT::Object_pool::vt_function);
    name.set(ZEV_name::Field::identity_number, 1);
    return ZEV_name::NAME(name, ~uint64_t(0));
}

// Checks each activation against the pool as it is delivered.
struct Checking_listener : VT::Pool_listener {
    Small_vt_pool* pool = nullptr;

    void handle_activation(const Activation& a) override
    {
        pool->lock_pool();
        const VT::VT_obj* object = pool->__find_object(a.object);
        fuzz_check(object != nullptr, "an activation names an object of the pool");
        switch (a.function) {
        case VT::Command::soft_key_activation: fuzz_check(object->get_type() == VT::key, "a key"); break;
        case VT::Command::button_activation: fuzz_check(object->get_type() == VT::button, "a button"); break;
        case VT::Command::vt_change_numeric_value:
            fuzz_check((a.object == Small_vt_pool::number_id && a.value <= 100) ||
                           (a.object == Small_vt_pool::list_id && a.value < 2),
                       "a number within its input's range");
            break;
        case VT::Command::vt_change_string_value:
            fuzz_check(a.object == Small_vt_pool::string_id && a.text.size() <= Small_vt_pool::string_length,
                       "a string its input holds");
            break;
        default: fuzz_check(false, "an activation of a known kind");
        }
        pool->unlock_pool();
    }
    void handle_pool_uploaded(uint64_t) override {}
    void handle_terminal_alive(bool) override {}
    void handle_units_system(Units_system) override {}
};

struct Bench {
    Manual_clock& manual = fuzz_clock(); // first: the stacks start on it
    module_man modules;
    std::shared_ptr<Mem_bus_hub> hub = Mem_bus_hub::get(bus_name);
    Fuzz_node client_node, vt;
    Working_set_member member{Known_names::get_seeder(1)};
    Checking_listener listener;
    std::unique_ptr<Small_vt_pool> pool;

    Bench()
    {
        client_node.open(modules, bus_name, Known_names::get_seeder(1), client_address);
        vt.open(modules, bus_name, vt_name(), vt_address);
        vt.stack.register_pgn(to_vt, &vt.waiter, nullptr, ZEV_stack::PGN_DATA);
        run_for(300);
        pool = std::make_unique<Small_vt_pool>(&modules);
        listener.pool = pool.get();
        pool->set_listener(&listener);
        pool->init(&client_node.stack, member, nullptr, nullptr, ZEV_name::RAWNAME::GLOBAL_NAME, 0);
    }

    void settle()
    {
        settle_bus(*hub, [this] {
            const int ran = client_node.stack.run_pending() + vt.stack.run_pending() +
                            (pool ? pool->run_pending() : 0);
            vt.take_all(to_vt, [](const ZEV_header& header, const uint8_t*, int n) {
                if (header.get_source() == client_address)
                    fuzz_check(n >= 8, "a whole VT message");
            });
            return ran;
        });
    }
    void run_for(int ms)
    {
        run_clock(ms, [this] { settle(); });
    }
    void send(const std::vector<uint8_t>& message, uint8_t to = client_address)
    {
        const ZEV_header header(vt_address, to, to_client, 5, 0, uint32_t(message.size()));
        vt.stack.write(header, message.data(), int(message.size()), nullptr, 0);
        settle();
    }
    void change(uint8_t which, uint8_t value)
    {
        Small_vt_pool& p = *pool;
        p.lock_pool();
        switch (which % 6) {
        case 0: p.variable.set_value(value); break;
        case 1: p.container.set_hidden(value & 1); break;
        case 2: p.string.__set_string(value & 1 ? "ODD" : "EVEN"); break;
        case 3: p.list.set_child_objects_val(value % 3, value & 1 ? uint16_t(Small_vt_pool::item_a_id) : uint16_t(0xFFFF), false); break;
        case 4: p.activate_data_mask(value & 1 ? uint16_t(Small_vt_pool::other_mask_id) : uint16_t(value)); break;
        case 5: p.mask.set_soft_key_mask(value & 1 ? uint16_t(Small_vt_pool::other_keys_id) : uint16_t(value)); break;
        }
        p.unlock_pool();
        settle();
    }
};

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool quiet = (Debug_print::set_sink([](const char*) {}), true);
    (void)quiet;
    Bench bench;
    Fuzz_input in(data, size);
    while (!in.empty()) {
        const uint8_t step = in.u8() % vt_step_count;
        switch (step) {
        case vt_status:
            bench.send({254, uint8_t(in.u8() & 1 ? client_address : 0xFF), 0xC8, 0x00, 0x2C, 0x01, 0, 0xFF}, 0xFF);
            break;
        case vt_message:
        case vt_sized: {
            std::vector<uint8_t> message(step == vt_message ? 8 : in.u8() % 40);
            for (uint8_t& b : message)
                b = in.u8();
            if (!message.empty())
                bench.send(message);
            break;
        }
        case vt_wait:
            bench.run_for(10 * in.u8());
            break;
        case vt_change: {
            const uint8_t which = in.u8();
            bench.change(which, in.u8());
            break;
        }
        case vt_enable:
            bench.pool->set_enabled(in.u8() & 1);
            bench.settle();
            break;
        }
        fuzz_check(bench.pool->lock(0), "the pool lock is free between steps");
        bench.pool->unlock();
    }
    return 0;
}
