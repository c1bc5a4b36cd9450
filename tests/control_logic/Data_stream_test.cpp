#include "platform/io/Memory_data_stream.h"
#include "platform/io/Posix_threaded_serial_data_stream.h"
#include "tests/support/Debug_capture.h"
#include "tests/support/Wait_on_waiter.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <thread>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {

using Bytes = std::vector<uint8_t>;

TEST(Memory_data_stream, refuses_reads_beyond_what_is_buffered)
{
    Memory_data_stream stream;
    stream.feed({1, 2, 3});
    EXPECT_TRUE(stream.bytes_avail(3));
    EXPECT_FALSE(stream.bytes_avail(4));
    EXPECT_EQ(stream[2], 3);
    EXPECT_EQ(stream[3], 0);

    uint8_t copy[4] = {9, 9, 9, 9};
    EXPECT_FALSE(stream.get_data(copy, 4));
    EXPECT_EQ(copy[0], 9); // nothing copied
    EXPECT_FALSE(stream.get_data(nullptr, 1));
    EXPECT_TRUE(stream.get_data(copy, 2));
    EXPECT_EQ(copy[1], 2);
    EXPECT_EQ(stream.bytes_avail(), 3u); // a copy leaves the bytes

    stream.drop(1);
    EXPECT_EQ(stream[0], 2);
    stream.drop(10);
    EXPECT_EQ(stream.bytes_avail(), 0u);
}

TEST(Memory_data_stream, keeps_no_more_than_its_capacity)
{
    Memory_data_stream stream(8);
    EXPECT_EQ(stream.feed(Bytes(10, 0xAA)), 8u);
    EXPECT_EQ(stream.bytes_avail(), 8u);
    stream.drop(3);
    EXPECT_EQ(stream.feed(Bytes{1, 2, 3, 4}), 3u);
    EXPECT_EQ(stream[7], 3);
}

// The owner decides whether to tell: a line opened again every second must not say so every second.
TEST(Serial_stream, a_device_that_cannot_be_opened_gives_the_reason_and_the_stream_stays_closed)
{
    struct Case {
        const char* device;
        const char* problem;
    };
    for (const Case& c : {Case{"/nonexistent/ttyS9", "cannot open it: No such file or directory"},
                          Case{"/dev/null", "not a serial line: "}}) {
        SCOPED_TRACE(c.device);
        Debug_capture capture;
        Posix_threaded_serial_data_stream stream;
        EXPECT_FALSE(stream.open(c.device));
        EXPECT_EQ(stream.get_problem().rfind(c.problem, 0), 0u) << stream.get_problem();
        EXPECT_EQ(capture.text(), "");
        EXPECT_FALSE(stream.is_connected());
        const uint8_t byte = 0x31;
        EXPECT_FALSE(stream.__write(&byte, 1));
        EXPECT_EQ(stream.bytes_avail(), 0u);
    }
}

// The far side of a pseudo-terminal, played by the test.
struct Pty_fixture : ::testing::Test {
    int master = -1;
    std::string device;
    Debug_capture capture;
    Posix_threaded_serial_data_stream stream;
    waiter_descriptor waiter;

    Pty_fixture()
    {
        master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (master >= 0 && grantpt(master) == 0 && unlockpt(master) == 0)
            device = ptsname(master);
    }
    ~Pty_fixture() override
    {
        stream.close();
        if (master >= 0)
            close(master);
    }

    void open_stream()
    {
        ASSERT_FALSE(device.empty());
        ASSERT_TRUE(stream.open(device.c_str()));
        ASSERT_TRUE(stream.init(nullptr));
        stream.register_waiter(&waiter);
    }

    // What the stream sent, read at the far side.
    Bytes read_far_side(size_t n)
    {
        Bytes bytes;
        while (bytes.size() < n) {
            pollfd p{master, POLLIN, 0};
            if (poll(&p, 1, 10000) <= 0)
                break;
            uint8_t chunk[512];
            ssize_t got = read(master, chunk, sizeof chunk);
            if (got <= 0)
                break;
            bytes.insert(bytes.end(), chunk, chunk + got);
        }
        return bytes;
    }
};

using Serial_pty = Pty_fixture;

TEST_F(Serial_pty, every_byte_value_crosses_the_raw_line_unchanged_and_signals_the_waiter)
{
    open_stream();
    Bytes all(256);
    for (int i = 0; i < 256; ++i)
        all[size_t(i)] = uint8_t(i);

    ASSERT_EQ(write(master, all.data(), all.size()), 256);
    waiter_event event;
    ASSERT_TRUE(waiter.wait(event, Atime::now() + Rtime(10000)));
    EXPECT_EQ(event.module, stream.get_module_id());
    EXPECT_GT(event.module, 0);
    EXPECT_EQ(event.code, Posix_threaded_serial_data_stream::event_data);
    ASSERT_TRUE(wait_on_waiter(waiter, [&] { return stream.bytes_avail(256); }));
    Bytes received(256);
    ASSERT_TRUE(stream.get_data(received.data(), 256));
    EXPECT_EQ(received, all);

    // No echo of what the far side wrote, and no translation on the way out.
    ASSERT_TRUE(stream.__write(all.data(), all.size()));
    EXPECT_EQ(read_far_side(256), all);
}

TEST_F(Serial_pty, bytes_that_came_before_a_waiter_registers_are_read_by_its_first_wait)
{
    ASSERT_FALSE(device.empty());
    ASSERT_TRUE(stream.open(device.c_str()));
    ASSERT_TRUE(stream.init(nullptr));
    const uint8_t byte = 0x55;
    ASSERT_EQ(write(master, &byte, 1), 1);
    stream.register_waiter(&waiter);
    ASSERT_TRUE(wait_on_waiter(waiter, [&] { return stream.bytes_avail(1); }));
    EXPECT_EQ(stream[0], 0x55);
}

// Bytes a previous waiter left in the buffer are signalled to the next one at once.
TEST_F(Serial_pty, bytes_buffered_before_a_waiter_registers_are_signalled_then)
{
    open_stream();
    const uint8_t byte = 0x55;
    ASSERT_EQ(write(master, &byte, 1), 1);
    ASSERT_TRUE(wait_on_waiter(waiter, [&] { return stream.bytes_avail(1); }));
    waiter_descriptor next;
    stream.register_waiter(&next);
    waiter_event event;
    ASSERT_TRUE(next.poll(event));
    EXPECT_EQ(event.code, Posix_threaded_serial_data_stream::event_data);
    stream.register_waiter(nullptr);
}

TEST_F(Serial_pty, a_full_buffer_loses_bytes_with_one_message)
{
    open_stream();
    const size_t capacity = stream.get_capacity();
    Bytes flood(capacity + 2000, 0x42);
    // The line holds less than the flood: it goes while the waits read it.
    std::atomic<bool> written{false};
    std::thread writer([&] {
        size_t done = 0;
        while (done < flood.size()) {
            const ssize_t n = write(master, flood.data() + done, flood.size() - done);
            if (n <= 0)
                break;
            done += size_t(n);
        }
        written = true;
    });
    const bool full = wait_on_waiter(
        waiter, [&] { return written && capture.text().find("receive buffer full") != std::string::npos; });
    writer.join();
    ASSERT_TRUE(full);
    EXPECT_EQ(stream.bytes_avail(), capacity);
    stream.drop_all();
    const uint8_t byte = 0x43;
    ASSERT_EQ(write(master, &byte, 1), 1);
    // The flood's last bytes may still come in ahead of it, and fit now.
    ASSERT_TRUE(wait_on_waiter(waiter, [&] {
        size_t n = stream.bytes_avail();
        return n && stream[n - 1] == 0x43;
    }));
    const std::string text = capture.text();
    EXPECT_EQ(text.find("receive buffer full"), text.rfind("receive buffer full")) << text;
}

TEST_F(Serial_pty, a_far_side_that_goes_away_is_said_once_signalled_and_the_line_opens_again)
{
    open_stream();
    close(master);
    master = -1;
    waiter_event event;
    ASSERT_TRUE(waiter.wait(event, Atime::now() + Rtime(10000)));
    EXPECT_EQ(event.module, stream.get_module_id());
    EXPECT_EQ(event.code, Posix_threaded_serial_data_stream::event_gone);
    EXPECT_FALSE(stream.is_connected());
    EXPECT_FALSE(waiter.poll(event)) << "one gone event";
    const std::string text = capture.text();
    const std::string message = "Serial port " + device + ": the far side has gone";
    EXPECT_EQ(text.rfind(message, 0), 0u) << text;
    EXPECT_EQ(text.find(message), text.rfind(message)) << text;
    const uint8_t byte = 0x31;
    EXPECT_FALSE(stream.__write(&byte, 1));

    // The same stream on a new line: its reader, its events and its writes work again.
    master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(master, 0);
    ASSERT_EQ(grantpt(master), 0);
    ASSERT_EQ(unlockpt(master), 0);
    ASSERT_TRUE(stream.open(ptsname(master))) << stream.get_problem();
    EXPECT_TRUE(stream.is_connected());
    const uint8_t reply = 0x42;
    ASSERT_EQ(write(master, &reply, 1), 1);
    ASSERT_TRUE(waiter.wait(event, Atime::now() + Rtime(10000)));
    EXPECT_EQ(event.code, Posix_threaded_serial_data_stream::event_data);
    EXPECT_TRUE(stream.__write(&byte, 1));
    EXPECT_EQ(read_far_side(1), Bytes{0x31});
}

}
