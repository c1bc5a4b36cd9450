#include "orrvan_comms/private/legacy/hw/tessaryn/spi/Spi_handler.h"
#include "orrvan_comms/private/legacy/hw/tessaryn/spi/TTessarynSlaveSPIData.h"
#include "platform/rtos/Atime.h"
#include "tests/support/Debug_capture.h"

#include <gtest/gtest.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <numeric>

using namespace Tessaryn_slave_spi;

namespace {

using Words = std::vector<uint16_t>;
using Frame = std::array<uint16_t, 10>;

Words with_checksum(Words words)
{
    words[9] = uint16_t(std::accumulate(words.begin() + 1, words.begin() + 9, 0u) & 0xFF);
    return words;
}

Words version_frame(uint8_t type, uint8_t series, uint8_t firmware, uint8_t major, uint8_t minor, uint8_t patch)
{
    return with_checksum({0x00A5, 0xFE, 0x00, type, series, firmware, major, minor, patch, 0});
}

Words identity_frame(uint16_t word3, uint16_t word4, uint16_t word5)
{
    return with_checksum({0x00A5, 0x1F, 0x01, word3, word4, word5, 0, 0, 0, 0});
}

Words join(std::initializer_list<Words> parts)
{
    Words all;
    for (const Words& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

// The slave processor at the far end of the SPI port: it answers each
// transfer with the next ten words of its script (zeros once the script
// runs out), and can refuse any step of the set-up.
struct Slave_processor {
    enum Step { none, open, write_mode, read_mode, write_bits, read_bits, write_speed, read_speed, transfer };

    Words script;
    Step failing = none;
    int failure_errno = EIO;
    // What the device reports back when asked for its settings.
    uint8_t mode = 3;
    uint8_t bits = 16;
    uint32_t speed_hz = 1000000;

    std::vector<Frame> requests;
    std::string opened;
    int closes = 0;
    uint32_t transfer_speed = 0;
    uint8_t transfer_bits = 0;
};

class Scripted_port : public Spi_port {
public:
    explicit Scripted_port(Slave_processor& slave) : m_slave(slave) {}

    bool open(const char* path) override
    {
        m_slave.opened = path;
        return step(Slave_processor::open);
    }
    bool write_mode(uint8_t mode) override { return step(Slave_processor::write_mode) && mode == 3; }
    bool read_mode(uint8_t& mode) override { return step(Slave_processor::read_mode) && (mode = m_slave.mode, true); }
    bool write_bits_per_word(uint8_t bits) override { return step(Slave_processor::write_bits) && bits == 16; }
    bool read_bits_per_word(uint8_t& bits) override
    {
        return step(Slave_processor::read_bits) && (bits = m_slave.bits, true);
    }
    bool write_max_speed_hz(uint32_t hz) override { return step(Slave_processor::write_speed) && hz == 1000000; }
    bool read_max_speed_hz(uint32_t& hz) override
    {
        return step(Slave_processor::read_speed) && (hz = m_slave.speed_hz, true);
    }
    bool transfer(const void* tx, void* rx, unsigned length, uint32_t speed_hz, uint8_t bits_per_word) override
    {
        EXPECT_EQ(length, 20u);
        Frame request;
        std::memcpy(request.data(), tx, sizeof request);
        m_slave.requests.push_back(request);
        m_slave.transfer_speed = speed_hz;
        m_slave.transfer_bits = bits_per_word;
        if (!step(Slave_processor::transfer)) {
            std::memset(rx, 0x5A, length);
            return false;
        }
        auto* words = static_cast<uint16_t*>(rx);
        for (unsigned i = 0; i < length / 2; ++i) {
            words[i] = m_slave.script.empty() ? 0 : m_slave.script.front();
            if (!m_slave.script.empty())
                m_slave.script.erase(m_slave.script.begin());
        }
        return true;
    }
    bool close() override
    {
        ++m_slave.closes;
        return true;
    }

private:
    bool step(Slave_processor::Step step)
    {
        if (m_slave.failing != step)
            return true;
        errno = m_slave.failure_errno;
        return false;
    }

    Slave_processor& m_slave;
};

struct Spi_fixture : ::testing::Test {
    Slave_processor slave;
    Spi_handler handler{std::make_unique<Scripted_port>(slave)};
    Manual_clock clock{1000};

    // Identity then version, as the ECU manager reads them.
    void read_both()
    {
        ASSERT_TRUE(handler.open());
        handler.wait_for_identity(identity);
        handler.wait_for_version(version);
        handler.close();
    }
    void read_version()
    {
        ASSERT_TRUE(handler.open());
        handler.wait_for_version(version);
    }
    int64_t waited_ms() const { return Atime::now().ms() - 1000; }

    Tessaryn::identity_t identity;
    Tessaryn::version_t version;
};

TEST(Spi_message, requests_carry_sync_command_value_and_checksum)
{
    const Frame version_request{0xA5, 0xFE, 0x00, 0, 0, 0, 0, 0, 0, 0xFE};
    const Frame identity_request{0xA5, 0x0F, 0x00, 0x1F, 0x01, 0, 0, 0, 0, 0x2F};
    EXPECT_TRUE(std::equal(version_request.begin(), version_request.end(), Spi_get_version_message().words()));
    EXPECT_TRUE(std::equal(identity_request.begin(), identity_request.end(), Spi_get_identity_message().words()));
    EXPECT_EQ(Spi_get_identity_message().get_checksum(), 0x2F);
}

TEST(Spi_message, the_checksum_is_the_low_byte_of_the_sum_of_words_1_to_8)
{
    Spi_message message;
    for (unsigned i = 0; i < 10; ++i)
        message.words()[i] = uint16_t(0x0100 + 0x40 * i);
    EXPECT_EQ(message.get_checksum(), uint8_t(8 * 0x0100 + 0x40 * 36));
}

TEST_F(Spi_fixture, reads_identity_and_version_from_the_replies_that_follow_each_request)
{
    slave.script = join({Words(10, 0), identity_frame(0x34, 0x12, 0x03), Words(10, 0),
                         version_frame(4, 1, 0, 2, 10, 3)});
    read_both();
    EXPECT_EQ(identity.dirty, 0);
    EXPECT_EQ(identity.id, 0x031234);
    EXPECT_EQ(version.dirty, 0);
    EXPECT_EQ(version.ecu_type, 4);
    EXPECT_EQ(version.ecu_series, 1);
    EXPECT_EQ(version.ecu_firmware_type, 0);
    EXPECT_EQ(version.major, 2);
    EXPECT_EQ(version.minor, 10);
    EXPECT_EQ(version.patch, 3);

    ASSERT_EQ(slave.requests.size(), 4u);
    EXPECT_EQ(slave.requests[0], (Frame{0xA5, 0x0F, 0x00, 0x1F, 0x01, 0, 0, 0, 0, 0x2F}));
    EXPECT_EQ(slave.requests[1], slave.requests[0]);
    EXPECT_EQ(slave.requests[2], (Frame{0xA5, 0xFE, 0x00, 0, 0, 0, 0, 0, 0, 0xFE}));
    EXPECT_EQ(slave.opened, "/dev/spidev2.0");
    EXPECT_EQ(slave.transfer_speed, 1000000u);
    EXPECT_EQ(slave.transfer_bits, 16);
    EXPECT_EQ(slave.closes, 1);
    EXPECT_EQ(waited_ms(), 40) << "20 ms after each attempt without a reply";
}

TEST_F(Spi_fixture, the_identity_is_21_bits_whatever_the_high_bits_of_word_5)
{
    slave.script = identity_frame(0x34, 0x12, 0xE3);
    read_both();
    EXPECT_EQ(identity.id, 0x031234);
}

// A version such as x.0.0 holds equal neighbouring words; so does an
// identity reply, whose unused words are all 0.
TEST_F(Spi_fixture, a_valid_frame_with_equal_neighbouring_words_is_taken_as_it_is)
{
    slave.script = join({identity_frame(0x05, 0x00, 0x00), version_frame(4, 4, 1, 3, 0, 0)});
    read_both();
    EXPECT_EQ(identity.id, 5);
    EXPECT_EQ(version.dirty, 0);
    EXPECT_EQ(version.ecu_series, 4);
    EXPECT_EQ(version.major, 3);
    EXPECT_EQ(version.minor, 0);
    EXPECT_EQ(version.patch, 0);
    EXPECT_EQ(slave.requests.size(), 2u);
}

TEST_F(Spi_fixture, a_frame_with_equal_neighbouring_words_survives_arriving_in_two_transfers)
{
    // Its series repeats its type in the first transfer's last two words.
    slave.script = join({{0x1234, 0x5678, 0x9ABC, 0xDEF0}, version_frame(4, 4, 1, 3, 0, 0), Words(6, 0)});
    read_version();
    EXPECT_EQ(version.dirty, 0);
    EXPECT_EQ(version.ecu_series, 4);
    EXPECT_EQ(slave.requests.size(), 2u);
}

TEST_F(Spi_fixture, noise_before_a_frame_and_a_frame_split_across_transfers_are_handled)
{
    slave.script = join({{0x1234, 0x5678}, version_frame(4, 1, 0, 2, 0, 0), Words(8, 0)});
    read_version();
    EXPECT_EQ(version.dirty, 0);
    EXPECT_EQ(version.major, 2);
    EXPECT_EQ(slave.requests.size(), 2u);
}

TEST_F(Spi_fixture, a_repeated_sync_word_before_a_frame_is_skipped)
{
    Words stream = join({{0x00A5, 0x00A5}, version_frame(4, 1, 0, 2, 10, 3)});
    stream.resize(20, 0);
    slave.script = join({Words(10, 0), stream});
    read_version();
    EXPECT_EQ(version.dirty, 0);
    EXPECT_EQ(version.minor, 10);
}

TEST_F(Spi_fixture, a_word_the_slave_sent_twice_is_dropped_to_recover_the_frame)
{
    Words stuttered = version_frame(4, 1, 0, 2, 10, 3);
    stuttered.insert(stuttered.begin() + 4, stuttered[4]); // the series twice
    slave.script = join({Words(6, 0), stuttered, Words(10, 0)});
    read_version();
    EXPECT_EQ(version.dirty, 0);
    EXPECT_EQ(version.ecu_series, 1);
    EXPECT_EQ(version.patch, 3);
}

TEST_F(Spi_fixture, a_frame_with_a_bad_checksum_is_skipped_and_the_request_sent_again)
{
    Words corrupt = identity_frame(0x34, 0x12, 0x03);
    corrupt[9] ^= 0x01;
    slave.script = join({corrupt, identity_frame(0x35, 0x12, 0x03)});
    ASSERT_TRUE(handler.open());
    handler.wait_for_identity(identity);
    EXPECT_EQ(identity.id, 0x031235);
    EXPECT_EQ(slave.requests.size(), 2u);
    EXPECT_EQ(waited_ms(), 20);
}

TEST_F(Spi_fixture, the_other_reply_is_consumed_and_the_poll_goes_on)
{
    slave.script = join({version_frame(4, 1, 0, 2, 10, 3), identity_frame(0x34, 0x12, 0x03)});
    ASSERT_TRUE(handler.open());
    handler.wait_for_identity(identity);
    EXPECT_EQ(identity.id, 0x031234);
    EXPECT_EQ(slave.requests.size(), 2u);
}

// Words behind a reply belong to no request: the next poll starts afresh,
// so that they cannot join the words it receives into a false reply.
TEST_F(Spi_fixture, words_behind_a_reply_are_not_taken_into_the_next_poll)
{
    const Words reply = identity_frame(0x34, 0x12, 0x03);
    const Words stale = version_frame(4, 9, 9, 9, 9, 9);
    slave.script = join({{0x7777}, Words(reply.begin(), reply.end() - 1), // no frame yet
                         {reply.back()}, Words(stale.begin(), stale.end() - 1), // the reply, then most of a frame
                         {stale.back()}, Words(9, 0), // which this would complete
                         version_frame(4, 1, 0, 2, 10, 3)});
    read_both();
    EXPECT_EQ(identity.id, 0x031234);
    EXPECT_EQ(version.dirty, 0);
    EXPECT_EQ(version.ecu_series, 1);
    EXPECT_EQ(version.patch, 3);
    EXPECT_EQ(slave.requests.size(), 4u);
}

TEST_F(Spi_fixture, without_a_reply_each_request_is_sent_seven_times_and_the_records_stay_dirty)
{
    slave.script = Words(200, 0x1111);
    read_both();
    EXPECT_EQ(identity.dirty, 1);
    EXPECT_EQ(identity.id, -1);
    EXPECT_EQ(version.dirty, 1);
    EXPECT_EQ(version.ecu_type, 0);
    EXPECT_EQ(slave.requests.size(), 14u);
    EXPECT_EQ(waited_ms(), 2 * 7 * 20);
}

TEST_F(Spi_fixture, a_failed_transfer_is_reported_and_what_it_received_is_not_used)
{
    slave.failing = Slave_processor::transfer;
    ::testing::internal::CaptureStderr();
    ASSERT_TRUE(handler.open());
    handler.wait_for_identity(identity);
    const std::string errors = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(identity.dirty, 1);
    EXPECT_EQ(slave.requests.size(), 7u);
    EXPECT_NE(errors.find("can't send spi message: Input/output error\n"), std::string::npos) << errors;

    slave.failing = Slave_processor::none;
    slave.script = identity_frame(0x01, 0x00, 0x00);
    handler.wait_for_identity(identity);
    EXPECT_EQ(identity.id, 1);
}

TEST_F(Spi_fixture, opening_reports_the_settings_the_device_gives_back)
{
    slave.mode = 0;
    slave.speed_hz = 500000;
    Debug_capture capture;
    ASSERT_TRUE(handler.open());
    EXPECT_TRUE(handler.open()) << "already open";
    EXPECT_EQ(capture.text(), "spi mode: 0\nbits per word: 16\nmax speed: 500000 Hz (500 KHz)\n");
    slave.script = identity_frame(0x01, 0x00, 0x00);
    handler.wait_for_identity(identity);
    EXPECT_EQ(slave.transfer_speed, 500000u);
}

struct Failure_case {
    Slave_processor::Step step;
    const char* message;
};

class Spi_set_up_failure : public ::testing::TestWithParam<Failure_case> {
};

TEST_P(Spi_set_up_failure, is_reported_with_its_reason_and_sends_nothing)
{
    Slave_processor slave;
    slave.failing = GetParam().step;
    slave.failure_errno = GetParam().step == Slave_processor::open ? ENOENT : ENOTTY;
    {
        Spi_handler handler{std::make_unique<Scripted_port>(slave)};
        ::testing::internal::CaptureStderr();
        EXPECT_FALSE(handler.open());
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), GetParam().message);
    }
    EXPECT_TRUE(slave.requests.empty());
    EXPECT_EQ(slave.closes, GetParam().step == Slave_processor::open ? 0 : 1) << "a device opened is closed again";
}

INSTANTIATE_TEST_SUITE_P(
    Steps, Spi_set_up_failure,
    ::testing::Values(Failure_case{Slave_processor::open, "can't open device: No such file or directory\n"},
                      Failure_case{Slave_processor::write_mode, "can't set spi mode: Inappropriate ioctl for device\n"},
                      Failure_case{Slave_processor::read_mode, "can't get spi mode: Inappropriate ioctl for device\n"},
                      Failure_case{Slave_processor::write_bits,
                                   "can't set bits per word: Inappropriate ioctl for device\n"},
                      Failure_case{Slave_processor::read_bits,
                                   "can't get bits per word: Inappropriate ioctl for device\n"},
                      Failure_case{Slave_processor::write_speed,
                                   "can't set max speed hz: Inappropriate ioctl for device\n"},
                      Failure_case{Slave_processor::read_speed,
                                   "can't get max speed hz: Inappropriate ioctl for device\n"}));

// The program's own port, under a root folder that holds no SPI device, and
// then a plain file where the device should be.
TEST(Spidev_port, a_machine_without_the_device_gets_a_clear_message)
{
    const std::filesystem::path root =
        std::filesystem::temp_directory_path() / ("kx4_spi_" + std::to_string(::getpid()));
    std::filesystem::create_directories(root / "dev");
    ::setenv("KX4_ROOT", root.c_str(), 1);
    {
        Spi_handler handler;
        ::testing::internal::CaptureStderr();
        EXPECT_FALSE(handler.open());
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), "can't open device: No such file or directory\n");
    }
    std::ofstream(root / "dev" / "spidev2.0") << "not a device";
    {
        Spi_handler handler;
        ::testing::internal::CaptureStderr();
        EXPECT_FALSE(handler.open());
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), "can't set spi mode: Inappropriate ioctl for device\n");
    }
    ::unsetenv("KX4_ROOT");
    std::filesystem::remove_all(root);
}

TEST(Spi_comms, prints_each_response_when_debugging)
{
    Slave_processor slave;
    slave.script = {0x00A5, 0x1F, 0x01, 0xBEEF};
    Spi_comms comms(std::make_unique<Scripted_port>(slave));
    ASSERT_TRUE(comms.initialise());
    comms.set_debug(true);
    const Spi_get_identity_message request;
    uint16_t received[10];
    Debug_capture capture;
    EXPECT_TRUE(comms.transfer_msg(request.words(), received, 20));
    EXPECT_EQ(capture.text(), "Response:           00A5 001F 0001 BEEF 0000 0000 0000 0000 0000 0000 \n");
    EXPECT_FALSE(comms.transfer_msg(nullptr, nullptr, 20));
    EXPECT_TRUE(comms.finalise());
}

TEST(TTessarynSlaveSPIData, starts_dirty_and_hands_out_copies_of_what_was_stored)
{
    TTessarynSlaveSPIData data;
    EXPECT_EQ(data.GetSlaveIdentity().dirty, 1);
    EXPECT_EQ(data.GetSlaveIdentity().id, -1);
    EXPECT_EQ(data.GetSlaveVersion().dirty, 1);
    Tessaryn::identity_t identity;
    identity.dirty = 0;
    identity.id = 77;
    data.SetSlaveIdentity(identity);
    Tessaryn::version_t version;
    version.dirty = 0;
    version.patch = 9;
    data.SetSlaveVersion(version);
    EXPECT_EQ(data.GetSlaveIdentity().id, 77);
    EXPECT_EQ(data.GetSlaveVersion().patch, 9);
    EXPECT_EQ(data.GetSlaveVersion().dirty, 0);
}

}
