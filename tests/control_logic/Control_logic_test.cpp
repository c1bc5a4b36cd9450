#include "control_logic/Control_logic.h"
#include "data_store/Data_store.h"
#include "params/parameters_t.h"
#include "platform/can/Bus_select.h"
#include "platform/can/Mem_can_bus.h"
#include "platform/can/ZEV_smart_stack.h"
#include "platform/rtos/Atime.h"
#include "tests/control_logic/Temp_folder.h"
#include "tests/support/Debug_capture.h"
#include "tests/support/Wait_until.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <pty.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

// Places the poll engine at a slot, as its requests will.
class Ecu_poller_probe {
public:
    static void place(Ecu_poller& poller, uint32_t poll_index, uint32_t outstanding_slot)
    {
        poller.poll_index_ = poll_index;
        poller.outstanding_slot_ = outstanding_slot;
    }
};

namespace {

size_t count_of(const std::string& text, const std::string& part)
{
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

// The control task on the test's thread and a manual clock, its CAN stack on
// an in-process bus with a plain frame peer, its GPIO folder under a
// temporary KX4_ROOT. Its port names no device unless a test opens a
// pseudo-terminal.
class Control_task : public ::testing::Test {
protected:
    Control_task()
    {
        setenv("KX4_ROOT", root.path().c_str(), 1);
        // Room for the termination output's files, so that it works quietly.
        std::filesystem::create_directories(root.path() + "/sys/class/gpio/gpio53");
    }
    ~Control_task() override
    {
        control.reset();
        if (pty_master >= 0) {
            close(pty_master);
            close(pty_slave);
        }
        unsetenv("KX4_ROOT");
    }

    static std::string bus_name()
    {
        const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
        return std::string("control.") + test->test_suite_name() + "." + test->name();
    }

    void open_pty()
    {
        char name[256] = {};
        ASSERT_EQ(openpty(&pty_master, &pty_slave, name, nullptr, nullptr), 0);
        port = name;
    }

    void start()
    {
        ASSERT_TRUE(stack_open);
        control = std::make_unique<Control_logic>(port.c_str(), store, parameters);
        ASSERT_TRUE(control->set_up(&modules, &stack));
        run();
    }

    // Hands received frames to the task, then runs its events and due timers.
    void run()
    {
        stack.run_pending();
        control->run_pending();
    }

    void advance(int ms)
    {
        for (int t = 0; t < ms; t += 10) {
            clock.advance(10);
            run();
        }
    }

    template <class T>
    T read(const T& item)
    {
        return store.head.get(item);
    }

    Temp_folder root;
    Manual_clock clock;
    Debug_capture capture;
    module_man modules;
    Data_store store{nullptr, "0.1.0"};
    NV_quvel::parameters_t parameters;
    const std::string bus = bus_name();
    Mem_can_bus peer{bus};
    ZEV_smart_stack stack;
    bool stack_open = stack.open(Bus_select::start(("mem,name=" + bus).c_str(), nullptr), &modules);
    std::string port = "/nonexistent/kx4-slaves";
    int pty_master = -1;
    int pty_slave = -1;
    std::unique_ptr<Control_logic> control;
};

struct Speed_case {
    const char* what;
    uint32_t pgn;
    uint8_t speed_source;
    std::vector<uint8_t> data;
    uint8_t sender;
    bool non_vtt;
    std::optional<float> gps_speed; // none: the message is ignored
};

TEST_F(Control_task, speed_messages_write_gps_speed_for_the_selected_source_only)
{
    const std::vector<Speed_case> cases = {
        {"wheel speed, source 4", 65096, 4, {0xDC, 0x05, 0, 0, 0, 0, 0, 0}, 0x80, false, 1.5f},
        {"wheel speed, source 5", 65096, 5, {0xDC, 0x05, 0, 0, 0, 0, 0, 0}, 0x80, false, {}},
        {"ground speed, source 5", 65097, 5, {0xDC, 0x05, 0, 0, 0, 0, 0, 0}, 0x80, false, 1.5f},
        {"ground speed, source 4", 65097, 4, {0xDC, 0x05, 0, 0, 0, 0, 0, 0}, 0x80, false, {}},
        {"SOG, source 6", 129026, 6, {0, 0, 0, 0, 250, 0, 0, 0}, 0x80, false, 2.5f},
        {"SOG, source 4", 129026, 4, {0, 0, 0, 0, 250, 0, 0, 0}, 0x80, false, {}},
        {"source 0 takes no message", 65096, 0, {0xDC, 0x05}, 0x80, false, {}},
        {"highest valid J1939 speed", 65096, 4, {0xFF, 0xFA}, 0x80, false, 64.255f},
        {"J1939 error", 65096, 4, {0x00, 0xFE}, 0x80, false, 0.0f},
        {"J1939 not available", 65097, 5, {0xFF, 0xFF}, 0x80, false, 0.0f},
        {"short frame, the fill reads not available", 65097, 5, {0x10}, 0x80, false, 0.0f},
        {"highest valid SOG", 129026, 6, {0, 0, 0, 0, 0xFC, 0xFF}, 0x80, false, 655.32f},
        {"SOG reserved", 129026, 6, {0, 0, 0, 0, 0xFD, 0xFF}, 0x80, false, 0.0f},
        {"SOG not available", 129026, 6, {0, 0, 0, 0, 0xFF, 0xFF, 0, 0}, 0x80, false, 0.0f},
        {"sender without an address", 65096, 4, {0xDC, 0x05}, 0xFF, false, {}},
        {"non-VT display in use", 65096, 4, {0xDC, 0x05}, 0x80, true, {}},
    };
    start();
    for (const Speed_case& c : cases) {
        SCOPED_TRACE(c.what);
        parameters.app.speed_source.set(c.speed_source);
        parameters.system.non_vtt_connected.set(c.non_vtt);
        store.head.set(store.body.vehicle.gps_speed, 9.0f);
        run();
        Can_frame frame;
        const uint32_t priority = c.pgn == 129026 ? 2 : 3;
        frame.id = priority << 26 | c.pgn << 8 | c.sender;
        frame.dlc = uint8_t(c.data.size());
        std::copy(c.data.begin(), c.data.end(), frame.data);
        ASSERT_TRUE(peer.send(frame));
        run();
        EXPECT_FLOAT_EQ(read(store.body.vehicle.gps_speed), c.gps_speed.value_or(9.0f));
    }
}

TEST_F(Control_task, a_non_vt_display_in_the_store_ends_the_speed_messages)
{
    parameters.app.speed_source.set(4);
    start();
    store.head.set(store.body.system.non_vtt_connected, true);
    run();
    EXPECT_NE(capture.text().find("Deregister speed PGNs\n"), std::string::npos);
    Can_frame frame{0x0CFE4880, true, 2, {0xDC, 0x05}};
    ASSERT_TRUE(peer.send(frame));
    run();
    EXPECT_EQ(read(store.body.vehicle.gps_speed), 0.0f);
}

TEST_F(Control_task, channels_stop_when_the_system_is_not_alive_or_neither_display_nor_tc_is_there)
{
    struct Case {
        bool alive, vt_alive, tc_alive;
        bool stopped;
    };
    const Case cases[] = {
        {true, false, false, true}, {true, true, false, false}, {true, false, true, false},
        {false, true, true, true},  {true, true, true, false},
    };
    start();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "alive " << c.alive << " vt " << c.vt_alive << " tc " << c.tc_alive);
        store.head.lock();
        store.body.system.vt_alive = c.vt_alive;
        store.body.system.tc_alive = c.tc_alive;
        store.body.operation.master_switch_active = true;
        for (ds_channel& downforce : store.body.downforces.channels)
            downforce.active = true;
        store.head.unlock();
        // The task acts on a tank switch that it saw change.
        for (ds_channel& channel : store.body.channels.channels)
            store.head.set(channel.active, true);
        run();
        store.head.set(store.body.system.alive, c.alive);
        run();
        EXPECT_EQ(read(store.body.operation.master_switch_active), !c.stopped);
        for (int i = 0; i < 10; ++i)
            EXPECT_EQ(read(store.body.channels.channels[i].active), !c.stopped) << "channel " << i;
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(read(store.body.downforces.channels[i].active), !c.stopped) << "downforce " << i;
    }
    EXPECT_NE(capture.text().find("Tank switch state on chan 9 changed\n"), std::string::npos);
    EXPECT_NE(capture.text().find("Tank switch state on downforce 4 changed\n"), std::string::npos);
}

TEST_F(Control_task, the_master_switch_inhibit_follows_the_vt_upload_or_the_tc_in_non_vt_mode)
{
    struct Case {
        bool non_vtt, tc_alive, vt_uploaded, inhibit_before;
        bool inhibit, counter_cleared;
    };
    const Case cases[] = {
        {false, true, true, true, false, false},   {false, true, false, false, true, false},
        {false, false, true, true, false, true},   {true, true, false, false, false, false},
        {true, true, false, true, true, false},    {true, false, true, false, true, true},
    };
    start();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "non-VT " << c.non_vtt << " tc " << c.tc_alive << " uploaded "
                                        << c.vt_uploaded << " inhibit before " << c.inhibit_before);
        parameters.system.non_vtt_connected.set(c.non_vtt);
        run();
        store.head.lock();
        store.body.system.tc_alive = c.tc_alive;
        store.body.system.reset_tc_counter = 5;
        store.body.operation.inhibit_master_switch = c.inhibit_before;
        store.head.unlock();
        store.head.set(store.body.system.vt_uploaded, c.vt_uploaded);
        run();
        EXPECT_EQ(read(store.body.operation.inhibit_master_switch), c.inhibit);
        EXPECT_EQ(read(store.body.system.reset_tc_counter), c.counter_cleared ? 0u : 5u);
    }
}

TEST_F(Control_task, a_firmware_upgrade_request_ends_the_program_2_s_later_with_7_for_the_app_else_2)
{
    for (uint8_t type : {1, 0, 2}) {
        SCOPED_TRACE(testing::Message() << "type " << int(type));
        store.head.set(store.body.system.initiate_shutdown, 0);
        store.body.system.app_upgrade_command.type = type;
        start();
        store.head.set(store.body.system.firmware_upgrade_mode, false);
        run();
        EXPECT_EQ(capture.text().find("Initiate firmware upgrade mode"), std::string::npos);
        store.head.set(store.body.system.firmware_upgrade_mode, true);
        run();
        EXPECT_NE(capture.text().find(":Initiate firmware upgrade mode\n"), std::string::npos);
        advance(1990);
        EXPECT_EQ(read(store.body.system.initiate_shutdown), 0);
        advance(10);
        EXPECT_EQ(read(store.body.system.initiate_shutdown), type == 1 ? 7 : 2);
        EXPECT_NE(capture.text().find(":initiate_shutdown\n"), std::string::npos);
        control.reset();
        capture.clear();
    }
}

TEST_F(Control_task, save_time_0_starts_no_totals_timer)
{
    parameters.app.save_time.set(0);
    start();
    EXPECT_EQ(capture.text().find("Save runtime"), std::string::npos);
    control.reset();
    parameters.app.save_time.set(4);
    start();
    EXPECT_NE(capture.text().find("Save runtime = 240000 ms\n"), std::string::npos);
}

TEST_F(Control_task, the_terminal_timeout_sets_non_vtt_timeout_once_its_seconds_are_over)
{
    parameters.system.terminal_timeout.set(0);
    start();
    EXPECT_TRUE(read(store.body.system.non_vtt_timeout)) << "0 s: as soon as the timers run";

    control.reset();
    store.head.set(store.body.system.non_vtt_timeout, false);
    parameters.system.terminal_timeout.set(3);
    start();
    advance(1990); // the port's second has passed already
    EXPECT_FALSE(read(store.body.system.non_vtt_timeout));
    advance(10);
    EXPECT_TRUE(read(store.body.system.non_vtt_timeout));

    control.reset();
    store.head.set(store.body.system.non_vtt_timeout, false);
    start();
    store.head.set(store.body.system.non_vtt_connected, true);
    run();
    advance(5000);
    EXPECT_FALSE(read(store.body.system.non_vtt_timeout)) << "a non-VT display that connects stops the wait";
}

TEST_F(Control_task, reply_deadlines_come_every_reply_time_out_while_nobody_answers_and_not_at_all_when_simulating)
{
    open_pty();
    start();
    EXPECT_EQ(count_of(capture.text(), "NO COMMS - PollIndex=0\n"), 1u) << "the first deadline is at once";
    advance(3000);
    EXPECT_EQ(count_of(capture.text(), "NO COMMS - PollIndex="), 7u) << capture.text();

    store.head.set(store.body.simulation.enabled, true);
    capture.clear();
    for (int t = 0; t < 5000; t += 100) {
        clock.advance(100);
        EXPECT_LE(control->run_pending(), 5) << "one step of the clock runs a few timers, never a spin";
    }
    EXPECT_EQ(capture.text().find("NO COMMS"), std::string::npos);
}

TEST_F(Control_task, auto_detection_switches_the_ecu_mode_at_the_next_deadline)
{
    open_pty();
    start();
    EXPECT_EQ(control->get_ecu_mode(), Control_logic::ecu_mode_normal);
    store.head.set(store.body.monitor_ecus.activate_auto_detect, true);
    advance(1000);
    EXPECT_EQ(control->get_ecu_mode(), Control_logic::ecu_mode_monitor);
    EXPECT_NE(capture.text().find("process_ecu_mode_state_changes: current_ecu_mode:1 new_ecu_mode:2\n"),
              std::string::npos);
    capture.clear();
    advance(1000);
    EXPECT_EQ(capture.text().find("NO COMMS"), std::string::npos) << "no normal polling while detecting";
    store.head.set(store.body.monitor_ecus.activate_auto_detect, false);
    advance(1000);
    EXPECT_EQ(control->get_ecu_mode(), Control_logic::ecu_mode_normal);
    EXPECT_NE(capture.text().find("process_ecu_mode_state_changes: current_ecu_mode:2 new_ecu_mode:1\n"),
              std::string::npos);
}

TEST_F(Control_task, the_reply_is_read_as_text_while_the_scales_request_is_out)
{
    struct Case {
        uint32_t poll_index, outstanding_slot;
        bool read_as_text;
    };
    const Case cases[] = {{38, 37, true}, {37, 36, false}};
    const std::string scale_reply = "S81110026:000004D2\r\n\x03";
    open_pty();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "outstanding slot " << c.outstanding_slot);
        start();
        Ecu_poller_probe::place(*control->get_poller(), c.poll_index, c.outstanding_slot);
        capture.clear();
        ASSERT_EQ(write(pty_master, scale_reply.data(), scale_reply.size()), ssize_t(scale_reply.size()));
        // The task's own waits read the line.
        ASSERT_TRUE(wait_until([&] { return control->run_pending() > 0; })) << "a data event";
        EXPECT_EQ(capture.text().find("Pkt fail") == std::string::npos, c.read_as_text) << capture.text();
        control.reset();
    }
}

TEST_F(Control_task, a_port_that_cannot_be_opened_is_named_and_closed_at_the_end)
{
    start();
    EXPECT_NE(capture.text().find("Serial port " + port + ": cannot open it: No such file or directory\n"),
              std::string::npos)
        << capture.text();
    control.reset();
    EXPECT_NE(capture.text().find("Closing com port: " + port + "\n"), std::string::npos);
}

// The far end of a serial line that comes and goes: a pseudo-terminal behind
// a fixed name, as a slave processors' adapter or fake_slave gives one.
class Coming_and_going_line {
public:
    explicit Coming_and_going_line(std::string name) : name_(std::move(name)) {}
    ~Coming_and_going_line() { go(); }

    // A new line appears under the name.
    bool come()
    {
        master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0)
            return false;
        std::filesystem::remove(name_);
        std::filesystem::create_symlink(ptsname(master_), name_);
        return true;
    }
    // It hangs up, and its name goes.
    void go()
    {
        if (master_ >= 0)
            close(master_);
        master_ = -1;
        std::filesystem::remove(name_);
    }
    // How many bytes came to the far end (read and dropped), once the first
    // has come or a generous time has passed.
    size_t drain()
    {
        size_t n = 0;
        uint8_t chunk[256];
        pollfd p{master_, POLLIN, 0};
        while (poll(&p, 1, n == 0 ? 10000 : 0) > 0 && (p.revents & POLLIN)) {
            const ssize_t got = read(master_, chunk, sizeof chunk);
            if (got <= 0)
                break;
            n += size_t(got);
        }
        return n;
    }

private:
    std::string name_;
    int master_ = -1;
};

// Missing at the start, then there, gone, back: each change is said once,
// nothing is polled while the line is away, and polling starts afresh
// within a second of its return.
TEST_F(Control_task, a_serial_line_that_is_missing_or_goes_away_is_opened_again_every_second)
{
    port = root.path() + "/slaves";
    Coming_and_going_line line(port);
    const std::string stops = "Serial port " + port + ": polling stops until the port is back";
    const std::string returns = "Serial port " + port + " is back: polling starts again\n";

    start();
    EXPECT_NE(capture.text().find("Serial port " + port + ": cannot open it: No such file or directory\n"),
              std::string::npos)
        << capture.text();
    advance(5000);
    EXPECT_EQ(count_of(capture.text(), stops), 1u) << capture.text();
    EXPECT_EQ(capture.text().find("NO COMMS"), std::string::npos) << capture.text();

    capture.clear();
    ASSERT_TRUE(line.come());
    advance(1000);
    EXPECT_EQ(count_of(capture.text(), returns), 1u) << capture.text();
    EXPECT_NE(capture.text().find(returns + "****InitComms****\n"), std::string::npos) << capture.text();
    EXPECT_GT(line.drain(), 0u) << "a request on the line";

    capture.clear();
    line.go();
    ASSERT_TRUE(wait_until([&] { return control->run_pending() > 0; })) << "the loss is signalled";
    EXPECT_EQ(count_of(capture.text(), stops), 1u) << capture.text();
    const size_t misses = count_of(capture.text(), "NO COMMS");
    advance(5000);
    EXPECT_EQ(count_of(capture.text(), stops), 1u) << capture.text();
    EXPECT_EQ(count_of(capture.text(), "NO COMMS"), misses) << "no request, so no miss, while it is away";

    capture.clear();
    ASSERT_TRUE(line.come());
    advance(1000);
    EXPECT_EQ(count_of(capture.text(), returns), 1u) << capture.text();
    EXPECT_GT(line.drain(), 0u) << "polling again";
    // A silent slave on an open line is still a miss each time out.
    advance(2000);
    EXPECT_GT(count_of(capture.text(), "NO COMMS - PollIndex="), 1u) << capture.text();
}

}
