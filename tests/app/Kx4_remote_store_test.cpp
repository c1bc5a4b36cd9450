// kx4 as a program, serving its data store and parameters to a peer on the ISOBUS.
#include "platform/can/Bus_select.h"
#include "platform/can/Known_names.h"
#include "platform/can/ZEV_smart_stack.h"
#include "platform/rtos/Atime.h"
#include "platform/rtos/module_man.h"
#include "platform/rtos/waiter_descriptor.h"
#include "tests/app/App_fixture.h"
#include "tests/messaging/Remote_peer.h"
#include "tests/support/Hub_process.h"
#include "tests/support/Short_claims.h"
#include "tests/support/Spawned_process.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sstream>

using namespace Remote_peer;

namespace {

// Generous, for a loaded machine and sanitizer builds; nothing waits this long when all is well.
constexpr int timeout_ms = 20000;
constexpr uint32_t pgn = 0x1EF00;
constexpr uint8_t kx4_address = 144, peer_address = 0x30;

// A display on the ISOBUS that speaks the remote data store with its own
// coder (the network layer under it is the platform's).
class Display {
public:
    explicit Display(int port)
    {
        const ZEV_name::NAME name = Known_names::get_tessaryn_master(9);
        ok_ = stack_.open(Bus_select::start(Hub_process::spec(port).c_str(), nullptr), &manager_) && stack_.start() &&
              stack_.get_name_manager().add_local_name(name, peer_address, &waiter_) &&
              stack_.wait_for_name(&waiter_, name, true) &&
              stack_.register_pgn(pgn, &waiter_, nullptr, ZEV_stack::PGN_DATA) == 0;
    }
    bool is_ready() const { return ok_; }

    bool send(const Bytes& frame)
    {
        ZEV_header h(peer_address, kx4_address, pgn, 6, 0, uint32_t(frame.size()));
        return stack_.write(h, frame.data(), int(frame.size()), nullptr, 0) == 0;
    }
    // The request with the marker; its reply without it (empty when none
    // came). Replies of another type (to malformed requests) are passed over.
    Bytes ask(const Bytes& request)
    {
        const uint8_t reply_type = request[0] == 0x84 || request[0] == 0x86 ? 0x03 : uint8_t(request[0] & 0x7F);
        Bytes frame{0xF1, 0xF1};
        frame.insert(frame.end(), request.begin(), request.end());
        if (!send(frame))
            return {};
        const Atime deadline = Atime::now() + Rtime(timeout_ms);
        waiter_event event;
        while (waiter_.wait(event, deadline)) {
            if (event.module != stack_.get_receive_module() || event.code != pgn)
                continue;
            uint8_t buffer[200];
            ZEV_header h;
            int n = stack_.read(pgn, h, buffer, sizeof buffer, &waiter_, ZEV_stack::PGN_DATA);
            if (n >= 3 && buffer[0] == 0xF1 && buffer[1] == 0xF1 && buffer[2] == reply_type &&
                h.get_source() == kx4_address)
                return Bytes(buffer + 2, buffer + n);
        }
        return {};
    }

private:
    module_man manager_;
    waiter_descriptor waiter_;
    ZEV_smart_stack stack_;
    bool ok_ = false;
};

TEST(Kx4_remote_store, a_display_fetches_the_description_reads_a_field_and_malformed_frames_change_nothing)
{
    Temp_folder root;
    Hub_process hub(CAN_HUB_PROGRAM, 0, 0, timeout_ms);
    ASSERT_TRUE(hub.listening()) << hub.output();
    Short_claims short_claims;
    Spawned_process kx4({KX4_PROGRAM, "--bus=" + hub.isobus(), "--abus=" + hub.abus()},
                        {"KX4_ROOT=" + root.path()});
    ASSERT_TRUE(kx4.wait_for_output("Remote CDS started\n", timeout_ms)) << kx4.output();
    ASSERT_TRUE(kx4.wait_for_output("Address 144 claimed on the ISOBUS\n", timeout_ms)) << kx4.output();
    Display display(hub.isobus_port());
    ASSERT_TRUE(display.is_ready());

    const Bytes crc = display.ask({0x85});
    ASSERT_EQ(crc.size(), 9u) << kx4.output();
    EXPECT_EQ(crc[0], 0x05);
    const uint32_t length = u32(crc, 5);
    ASSERT_GT(length, 0u);

    Bytes packed;
    for (uint32_t offset = 0;;) {
        const Bytes slice = display.ask(request_ids(0, offset, 0));
        ASSERT_GE(slice.size(), 5u) << "at " << offset;
        ASSERT_EQ(slice[0], 0x02);
        ASSERT_EQ(u24(slice, 1), offset);
        const size_t n = slice.size() - 5;
        if (n == 0)
            break;
        packed.insert(packed.end(), slice.begin() + 4, slice.end() - 1);
        offset += uint32_t(n);
    }
    const std::string text = inflate(packed, length);
    ASSERT_EQ(text.size(), length);
    EXPECT_EQ(text.rfind("1:1:remote{", 0), 0u);
    uint16_t id = 0;
    for (const Entry& e : entries_of(text))
        if (e.name == "master_switch_active")
            id = uint16_t(e.id);
    ASSERT_NE(id, 0) << "master_switch_active is described";

    const Bytes value = display.ask(request_value(0x83, id, 0));
    ASSERT_EQ(value.size(), 6u);
    EXPECT_EQ(value[0], 0x03);
    EXPECT_EQ(u16(value, 1), id);
    EXPECT_EQ(u16(value, 3), 0);
    EXPECT_LE(value[5], 1) << "a bool is one byte, 0 or 1";

    const Bytes malformed[] = {
        {0xF1},
        {0xF1, 0xF0, 0x85},
        {0xF1, 0xF1},
        {0xF1, 0xF1, 0x82, 0, 0},
        {0xF1, 0xF1, 0x83, 1},
        {0xF1, 0xF1, 0x84, 1, 0, 0},
        {0xF1, 0xF1, 0x86},
        {0xF1, 0xF1, 0x87, 1},
        {0xF1, 0xF1, 0x83, 0xFF, 0xFF, 0, 0},
        {0xF1, 0xF1, 0x82, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 255},
        {0xF1, 0xF1, 0x84, uint8_t(id), uint8_t(id >> 8), 0, 0},
        Bytes(120, 0xF1),
    };
    for (int round = 0; round < 5; ++round)
        for (const Bytes& frame : malformed)
            ASSERT_TRUE(display.send(frame));
    EXPECT_EQ(display.ask({0x85}), crc) << "still serving" << kx4.output();

    kx4.send_signal(SIGTERM);
    EXPECT_EQ(kx4.wait_for_exit(timeout_ms), 1) << kx4.output();
    EXPECT_EQ(hub.process().stop(SIGTERM, timeout_ms), 0) << hub.output();
}

}
