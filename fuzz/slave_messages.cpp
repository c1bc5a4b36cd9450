// The slave ECU's messages as its ECU object receives them: the decoder and
// the ECU's handling, on a scripted slave that answers the handshake (so
// that messages meet the ECU in every state) with the input's messages in
// between. The steps are in Slave_script.h.
//
// Holds: while the ECU's status is not 1 (running) its digital input reads
// inactive; once the slave falls silent the status goes to 0, whatever it
// sent before.
#include "fuzz/Fuzz_check.h"
#include "fuzz/Fuzz_input.h"
#include "fuzz/Slave_script.h"
#include "orrvan_comms/private/include/Ecu.h"
#include "platform/rtos/Debug_base.h"
#include "tests/orrvan_comms/Fake_slave_link.h"

#include <cstdio>
#include <vector>

using namespace Next_gen;

namespace {

constexpr uint64_t slave_name = 0x5004;
constexpr Ecu_version_info rq73_version{4, 1, 0, 2, 10, 3};
// Ticks after which a silent slave counts as lost, with a margin.
constexpr int silence_ticks = 210;

// The ECU traces its states on standard output, the library on the debug printer.
bool silence_output()
{
    Debug_print::set_sink([](const char*) {});
    return std::freopen("/dev/null", "w", stdout) != nullptr;
}

struct Bench {
    Fake_slave_link link{rq73_version};
    Ecu ecu{&link, slave_name, rq73_version, false};
    Ecu_pin_digital_input_iface* input;
    Ecu_pin_digital_output_iface* output;

    Bench()
    {
        ecu.initialise();
        input = &ecu.get_connector(2).get_pin_digital_input(1, "DIG Input 1");
        output = &ecu.get_connector(0).get_pin_digital_output(0, "out");
        ecu.get_connector(0).get_pin_analogue_input(7, "pressure");
        ecu.get_connector(1).get_pin_encoder_input(2, "shaft");
    }
    ~Bench() { ecu.finalise(); }

    // As the manager's task does it: the link's tick, then the ECU's.
    void tick()
    {
        link.tick();
        ecu.tick();
        fuzz_check(ecu.get_status().get_value() == 1 || !input->get_value(),
                   "a digital input reads inactive while the ECU is not running");
    }
    unsigned element(Fuzz_input& in)
    {
        const Ecu_slave_iface& table = link.table();
        switch (in.u8()) {
        case 0: return table.get_eid_device_info();
        case 1: return table.get_eid_discreet_inputs();
        case 2: return table.get_eid_relays();
        case 3: return table.get_eid_comms();
        case 4: return table.get_eid_block_probe();
        default: return in.u16();
        }
    }
};

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool quiet = silence_output();
    (void)quiet;
    Bench bench;
    Fuzz_input in(data, size);
    while (!in.empty()) {
        switch (in.u8() % slave_step_count) {
        case slave_raw: {
            const uint8_t which = in.u8();
            const uint32_t pgn = which == 0 ? PGN_PROCESS_DATA : which == 1 ? PGN_PROPRIETARY_A : in.u32();
            std::vector<uint8_t> bytes(in.u8() % 13);
            for (uint8_t& b : bytes)
                b = in.u8();
            bench.link.receive_raw(pgn, bytes);
            break;
        }
        case slave_value: {
            const unsigned element = bench.element(in);
            const uint16_t data_id = in.u16();
            const uint32_t value = in.u32();
            bench.link.receive(element, data_id, value, Fake_slave_link::Message::eCommand(in.u8() % 16));
            break;
        }
        case slave_tick:
            for (int n = in.u8(); n >= 0; --n)
                bench.tick();
            break;
        case slave_silent:
            bench.link.set_silent(in.u8() & 1);
            break;
        case slave_report:
            bench.link.report();
            break;
        case slave_output:
            bench.output->set_value(Digital_output_value(in.u8() % 4));
            break;
        }
    }
    bench.link.set_silent(true);
    for (int n = 0; n < 100000 && bench.link.get_available_message_count() > 0; ++n)
        bench.tick();
    for (int n = 0; n < silence_ticks; ++n)
        bench.tick();
    fuzz_check(bench.ecu.get_status().get_value() == 0, "a silent slave takes the ECU's status to 0");
    return 0;
}
