#include "control_logic/Packet_interface.h"
#include "platform/io/Posix_threaded_serial_data_stream.h"
#include "tests/control_logic/Slave_frames.h"
#include "tests/control_logic/Temp_folder.h"
#include "tests/support/Debug_capture.h"
#include "tests/support/Fake_slave.h"
#include "tests/support/Fake_slave_replies.h"
#include "tests/support/Spawned_process.h"
#include "tests/support/Wait_on_waiter.h"
#include "tests/support/Wait_until.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <mutex>

namespace {

Bytes bytes_of(const Packet& p)
{
    return Bytes(p.bytes, p.bytes + p.bytes[1] + 1);
}

// The link of the control task on a pseudo-terminal, with the fake slave
// processors at its far end.
struct Serial_link : ::testing::Test {
    Temp_folder folder;
    std::string link_path = folder.path() + "/slaves";
    Debug_capture capture;
    std::mutex lines_mutex;
    std::vector<std::string> lines;
    std::unique_ptr<Fake_slave> fake;
    waiter_descriptor waiter; // outlives the stream that posts to it
    Posix_threaded_serial_data_stream stream;
    Packet_interface link{stream};

    void start(Fake_slave::Settings settings)
    {
        settings.link = link_path;
        fake = std::make_unique<Fake_slave>(settings, [this](const std::string& line) {
            std::lock_guard<std::mutex> lock(lines_mutex);
            lines.push_back(line);
        });
        std::string error;
        ASSERT_TRUE(fake->start(error)) << error;
        open_link();
    }

    void open_link()
    {
        ASSERT_TRUE(stream.open(link_path.c_str())) << capture.text();
        ASSERT_TRUE(stream.init(nullptr));
        stream.register_waiter(&waiter);
    }

    void send(uint8_t address, uint8_t command)
    {
        Packet request;
        request.init(address, command);
        link.send(request);
    }

    // The next reply, taken as the control task does: on each data event.
    bool receive(Packet& reply)
    {
        const Atime deadline = Atime::now() + Rtime(10000);
        waiter_event event;
        while (!link.receive(reply, false)) {
            if (!waiter.wait(event, deadline))
                return false;
        }
        return true;
    }

    std::string log_text()
    {
        std::lock_guard<std::mutex> lock(lines_mutex);
        std::string text;
        for (const std::string& line : lines)
            text += line + "\n";
        return text;
    }
};

TEST_F(Serial_link, each_slave_address_answers_from_itself_with_the_same_command)
{
    start({});
    struct Case {
        uint8_t address, command;
        Bytes data;
    };
    const Case cases[] = {
        {50, 7, {0x00, 0x02, 100, 0, 100, 0, 25, 0, 25, 0}},
        {71, 200, {0, 0, 0, 0, 4, 2}},
        {60, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.address));
        send(c.address, c.command);
        Packet reply;
        ASSERT_TRUE(receive(reply)) << log_text();
        EXPECT_EQ(bytes_of(reply), reply_from(c.address, c.command, c.data));
    }
    const std::string log = log_text();
    EXPECT_NE(log.find("request to 71 command 200: 47 04 31 c8 44 -> reply 31 0a 47 c8 00 00 00 00 04 02 50"),
              std::string::npos)
        << log;
    EXPECT_EQ(capture.text().find("Pkt fail"), std::string::npos) << capture.text();
}

TEST_F(Serial_link, a_silent_address_gets_no_reply_and_the_next_one_does)
{
    start({"", false, {55}});
    send(55, 3);
    send(50, 3);
    Packet reply;
    ASSERT_TRUE(receive(reply));
    EXPECT_EQ(reply.bytes[2], 50);
    EXPECT_NE(log_text().find("request to 55 command 3: 37 04 31 03 6f -> silent"), std::string::npos) << log_text();
}

TEST_F(Serial_link, frames_that_are_no_request_are_logged_and_skipped)
{
    start({});
    // Noise, a frame with a bad sum, then a request to 51, in one write.
    const Bytes line = {0x00, 0x7f, 0x32, 0x04, 0x31, 0x07, 0x00, 51, 0x04, 0x31, 9, 0x71};
    ASSERT_TRUE(stream.__write(line.data(), line.size()));
    Packet reply;
    ASSERT_TRUE(receive(reply));
    EXPECT_EQ(bytes_of(reply), reply_from(51, 9, {0, 0, 2, 0}));
    EXPECT_NE(log_text().find("skipped 7 bytes: 00 7f 32 04 31 07 00"), std::string::npos) << log_text();
}

TEST_F(Serial_link, with_echo_each_request_comes_back_before_its_reply)
{
    start({"", true, {}});
    send(52, 4);
    ASSERT_TRUE(wait_on_waiter(waiter, [&] { return stream.bytes_avail(12); })) << log_text();
    Bytes line(12);
    ASSERT_TRUE(stream.get_data(line.data(), 12));
    const Bytes request = {52, 0x04, 0x31, 4, uint8_t(52 + 4 + 0x31 + 4)};
    Bytes expected = request;
    for (uint8_t b : reply_from(52, 4, {0x00, 0x02}))
        expected.push_back(b);
    EXPECT_EQ(line, expected);
    EXPECT_TRUE(wait_until([&] { return log_text().find("-> echo -> reply") != std::string::npos; })) << log_text();
}

TEST_F(Serial_link, the_program_serves_its_link_and_its_end_is_a_far_side_gone)
{
    Spawned_process program({FAKE_SLAVE_PATH, "--link", link_path, "--silent", "60,61"});
    ASSERT_TRUE(program.wait_for_output("fake_slave: serving ", 10000)) << program.output();
    open_link();
    send(61, 1);
    send(51, 2);
    Packet reply;
    ASSERT_TRUE(receive(reply)) << program.output();
    EXPECT_EQ(bytes_of(reply), reply_from(51, 2, {0, 0, 0, 0, 0}));
    ASSERT_TRUE(program.wait_for_output("request to 51 command 2", 10000)) << program.output();
    EXPECT_NE(program.output().find("request to 61 command 1: 3d 04 31 01 73 -> silent"), std::string::npos);

    EXPECT_EQ(program.stop(SIGTERM), 0);
    ASSERT_TRUE(wait_on_waiter(waiter, [&] { return !stream.is_connected(); }));
    EXPECT_NE(capture.text().find("the far side has gone"), std::string::npos) << capture.text();
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link_path)));
}

// The replies read no further than the request goes, whatever its length byte says.
TEST(Fake_slave_replies, read_only_the_request_they_are_given)
{
    struct Case {
        const char* what;
        Bytes request;
        Bytes reply;
    } cases[] = {
        {"a drive target", {50, 8, 0x31, 2, 1, 0x10, 0x27, 0}, reply_from(50, 2, {0x10, 0x27, 0, 10, 0})},
        {"a length byte beyond the frame's end", {50, 30, 0x31, 2, 1, 0x10}, reply_from(50, 2, {0, 0, 0, 0, 0})},
        {"a length byte below the head", {51, 2, 0x31, 4}, reply_from(51, 4, {0, 2})},
        {"shorter than a frame's head", {50, 4, 0x31}, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Fake_slave_replies::reply_to(c.request), c.reply) << c.what;
}

TEST(Fake_slave_program, refuses_addresses_outside_the_slaves)
{
    Spawned_process program({FAKE_SLAVE_PATH, "--link", "/tmp/unused", "--silent", "50,72"});
    EXPECT_EQ(program.wait_for_exit(10000), 2);
    EXPECT_NE(program.output().find("\"50,72\" is not a list of addresses 50..71"), std::string::npos) << program.output();
}

}
