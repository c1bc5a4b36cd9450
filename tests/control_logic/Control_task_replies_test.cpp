// The control task between the poll engine and the slaves' replies: the
// no-comms alarm stays while a slave is missing, whatever the other slaves
// answer; a reply of the wrong length answers no request.
#include "control_logic/Control_logic.h"
#include "control_logic/No_comms_alarm.h"
#include "data_store/Data_store.h"
#include "params/parameters_t.h"
#include "platform/can/Bus_select.h"
#include "platform/can/ZEV_smart_stack.h"
#include "platform/rtos/Atime.h"
#include "tests/control_logic/Slave_frames.h"
#include "tests/control_logic/Temp_folder.h"
#include "tests/support/Debug_capture.h"
#include "tests/support/Wait_until.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

namespace {

// The control task on the test's thread and a manual clock; the test is the
// slaves, at the far end of a pseudo-terminal.
class Control_task_replies : public ::testing::Test {
protected:
    Control_task_replies()
    {
        setenv("KX4_ROOT", root.path().c_str(), 1);
        std::filesystem::create_directories(root.path() + "/sys/class/gpio/gpio53");
        char name[256] = {};
        if (openpty(&master, &slave, name, nullptr, nullptr) == 0)
            port = name;
    }
    ~Control_task_replies() override
    {
        control.reset();
        close(master);
        close(slave);
        unsetenv("KX4_ROOT");
    }

    void start()
    {
        ASSERT_FALSE(port.empty());
        ASSERT_TRUE(stack_open);
        control = std::make_unique<Control_logic>(port.c_str(), store, parameters);
        ASSERT_TRUE(control->set_up(&modules, &stack));
        control->run_pending();
    }

    // The request the task wrote last.
    Bytes request()
    {
        Bytes frame;
        while (frame.size() < 2 || frame.size() < size_t(frame[1]) + 1) {
            pollfd p{master, POLLIN, 0};
            if (poll(&p, 1, 5000) <= 0)
                return frame;
            uint8_t b;
            if (read(master, &b, 1) != 1)
                return frame;
            frame.push_back(b);
        }
        return frame;
    }

    // A reply from the source with the command and data, handed to the task.
    void feed(uint8_t source, uint8_t command, const Bytes& data)
    {
        const Bytes reply = reply_from(source, command, data);
        ASSERT_EQ(write(master, reply.data(), reply.size()), ssize_t(reply.size()));
        // The task's own waits read the line.
        ASSERT_TRUE(wait_until([&] { return control->run_pending() > 0; })) << "a data event";
    }

    // The slave's reply to the request, with the data its slot expects; the
    // next request leaves 10 ms later.
    void answer(const Bytes& request, const Bytes& data)
    {
        feed(request[0], request[3], data);
        clock.advance(10);
        control->run_pending();
    }

    bool nothing_sent()
    {
        pollfd p{master, POLLIN, 0};
        return poll(&p, 1, 0) == 0;
    }

    // Lets the reply deadline of the request that is out pass.
    void miss()
    {
        clock.advance(500);
        control->run_pending();
    }

    bool triggered()
    {
        store.head.lock();
        const bool value = store.body.alarms.no_comms.triggered;
        store.head.unlock();
        return value;
    }

    Temp_folder root;
    Manual_clock clock;
    Debug_capture capture;
    module_man modules;
    Data_store store{nullptr, "0.1.0"};
    NV_quvel::parameters_t parameters;
    ZEV_smart_stack stack;
    bool stack_open = stack.open(Bus_select::start("mem,name=control.replies", nullptr), &modules);
    int master = -1;
    int slave = -1;
    std::string port;
    std::unique_ptr<Control_logic> control;
};

TEST_F(Control_task_replies, the_alarm_stays_while_a_slave_is_missing_and_clears_when_it_answers)
{
    // Channel 5 adds spray-less ECU 52 (slave 1) to the cycle of 50 and 51 (slave 0).
    parameters.app.channels[4]->enabled.set(true);
    start();
    Bytes r = request();
    ASSERT_EQ(r[0], 50);
    // Slave 0 misses four requests in a row: its bit and the alarm.
    for (int i = 0; i < 4; ++i) {
        EXPECT_FALSE(triggered()) << "miss " << i + 1;
        miss();
        r = request();
    }
    EXPECT_TRUE(triggered());
    EXPECT_EQ(control->get_poller()->get_no_comms_mask(), 1u);

    // ECU 52 answers while slave 0 stays silent.
    while (r[0] != 52) {
        miss();
        r = request();
        ASSERT_FALSE(r.empty());
    }
    answer(r, Bytes(10, 0));
    EXPECT_TRUE(triggered()) << "another slave's reply leaves it";

    // Slave 0 answers its next request, the pressure of channel 1: its bit and the alarm go.
    r = request();
    ASSERT_EQ(r.size(), 6u);
    EXPECT_EQ(r[0], 50);
    EXPECT_EQ(r[3], 4);
    answer(r, {0, 2});
    EXPECT_EQ(control->get_poller()->get_no_comms_mask(), 0u);
    EXPECT_FALSE(triggered());
}

TEST_F(Control_task_replies, a_reply_of_the_wrong_length_leaves_its_request_out_for_the_right_one)
{
    start();
    const Bytes status = request();
    ASSERT_EQ(status.size(), 6u);
    ASSERT_EQ(status[0], 50);

    // A stray frame, the reply to some other request, comes first.
    feed(51, 73, {0x80});
    EXPECT_NE(capture.text().find("Check failed! idx = 0 Exp: 10 Act: 6"), std::string::npos) << capture.text();
    clock.advance(10);
    control->run_pending();
    EXPECT_TRUE(nothing_sent()) << "no second request while the first is out";

    answer(status, {0x10, 0, 0, 1, 0});
    store.head.lock();
    const uint32_t period = store.body.vehicle.ground_speed_sensor.period;
    store.head.unlock();
    EXPECT_EQ(period, 0x10u << 9) << "the right reply is taken for its request";
    const Bytes next = request();
    ASSERT_EQ(next.size(), 10u);
    EXPECT_EQ(next[3], 2) << "then slot 1's drive target";
    EXPECT_EQ(capture.text().find("NO COMMS - PollIndex=1"), std::string::npos) << capture.text();
}

TEST_F(Control_task_replies, the_no_comms_flag_is_written_only_when_it_changes)
{
    start();
    bool& flag = store.body.alarms.no_comms.triggered;
    const unsigned offset = store.head.offset_of(&flag);
    const uint32_t word = CDS::event_word(&flag, sizeof flag);
    waiter_descriptor listener;
    store.head.event_register(&listener, offset, sizeof flag, CDS::reg_change, word, nullptr, nullptr);

    // Every reply clears the flag, which is clear already.
    answer(request(), {0x10, 0, 0, 1, 0});
    EXPECT_EQ(listener.pending(), 0u) << "a reply while the flag is clear";
    // Misses set it while a slave is flagged, again and again.
    set_no_comms(store);
    set_no_comms(store);
    EXPECT_TRUE(triggered());
    EXPECT_EQ(listener.pending(), 1u) << "one event, when it was set";
    clear_no_comms(store);
    clear_no_comms(store);
    EXPECT_FALSE(triggered());
    EXPECT_EQ(listener.pending(), 2u);
    store.head.event_unregister(&listener, offset, sizeof flag, CDS::reg_change, word, nullptr, nullptr);
}

}
