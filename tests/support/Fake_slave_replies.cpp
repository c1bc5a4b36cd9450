#include "tests/support/Fake_slave_replies.h"

#include <algorithm>
#include <cstdio>

namespace Fake_slave_replies {

namespace {

// Request commands of the slave protocol.
constexpr uint8_t read_status = 1;    // ground wheel or fan
constexpr uint8_t drive_target = 2;
constexpr uint8_t spray_sections = 3;
constexpr uint8_t read_pressure = 4;
constexpr uint8_t read_pulses = 7;    // pressure, pulse ratios and motor pulses
constexpr uint8_t read_load = 8;      // spray ECU or drill control load
constexpr uint8_t spray_configuration = 9;
constexpr uint8_t drill_status = 24;
constexpr uint8_t read_h = 72;        // motor current or temperature
constexpr uint8_t read_i = 73;        // inputs, actuator load or switch box
constexpr uint8_t power_box = 83;
constexpr uint8_t drive_configuration = 200;
constexpr uint8_t read_version = 255;

constexpr uint8_t led_request = 71; // first data byte of a switch box request
constexpr uint8_t temperature_request = 7;
constexpr uint8_t frame_switch_box = 54;
constexpr uint8_t ground_wheel_ecu = 50;

// Readings of the analogue inputs, fixed so that tests know them.
constexpr uint16_t pressure_adc = 512;
constexpr uint16_t pulse_ratio = 100;
constexpr uint16_t motor_pulses = 25;
constexpr uint8_t load_byte = 100;
constexpr uint8_t temperature_byte = 30; // 300 - 9.1 x 30 = 27 degrees
constexpr uint8_t drill_adc = 90;

constexpr uint8_t ascii_etx = 3;
constexpr char scale_header[] = "110026:";

void add_u16(std::vector<uint8_t>& data, uint32_t v)
{
    data.push_back(uint8_t(v));
    data.push_back(uint8_t(v >> 8));
}

void add_u24(std::vector<uint8_t>& data, uint32_t v)
{
    add_u16(data, v);
    data.push_back(uint8_t(v >> 16));
}

// A period and pulse count reply: the pulses only while something turns.
std::vector<uint8_t> period_and_pulses(uint32_t period, uint16_t pulses)
{
    std::vector<uint8_t> data;
    add_u24(data, period);
    add_u16(data, period == 0 || period >= 0xFFFFFF ? 0 : pulses);
    return data;
}

std::vector<uint8_t> data_of_reply(uint8_t address, uint8_t command, const std::vector<uint8_t>& d)
{
    switch (command) {
    case read_status:
        if (address == ground_wheel_ecu && !d.empty() && d[0] == 1)
            return period_and_pulses(wheel_period, wheel_pulses);
        return period_and_pulses(fan_period, fan_pulses);
    case drive_target:
        return period_and_pulses(d.size() >= 4 ? d[1] | d[2] << 8 | d[3] << 16 : 0, drive_pulses);
    case spray_sections: {
        // The sections as asked: state, buttons, boom A and B section
        // words, a button box found.
        std::vector<uint8_t> data{1, 0};
        for (size_t i = 3; i < 7; ++i)
            data.push_back(i < d.size() ? d[i] : 0);
        data.push_back(1);
        return data;
    }
    case read_pressure: {
        std::vector<uint8_t> data;
        add_u16(data, pressure_adc);
        return data;
    }
    case read_pulses: {
        std::vector<uint8_t> data;
        for (uint16_t word : {pressure_adc, pulse_ratio, pulse_ratio, motor_pulses, motor_pulses})
            add_u16(data, word);
        return data;
    }
    case read_load:
    case drill_status:
        return {command == drill_status ? drill_adc : load_byte, 0};
    case spray_configuration:
        // Channel, configuration, the legacy version number, spare.
        return {d.empty() ? uint8_t(0) : d[0], d.size() > 1 ? d[1] : uint8_t(0), version_minor, 0};
    case read_h:
        return {!d.empty() && d[0] == temperature_request ? temperature_byte : load_byte};
    case read_i:
        if (!d.empty() && d[0] == led_request) {
            // Switch states, keys, guides, lamps: every switch off, no key
            // pressed (the frame switch box's reset key reads 1 when released).
            return {0, uint8_t(address == frame_switch_box ? 0x80 : 0), 0, 0};
        }
        if (!d.empty() && d[0] >= 10)
            return {load_byte};
        return {input_bits};
    case power_box:
        return {};
    case drive_configuration:
        return {d.empty() ? uint8_t(0) : d[0], d.size() > 1 ? d[1] : uint8_t(0), 0, 0, version_major, version_minor};
    case read_version:
        return {0, 0, 0, version_major, version_minor, version_patch, 0, 0};
    default:
        return {};
    }
}

}

namespace {

std::vector<uint8_t> frame_of_reply(uint8_t address, uint8_t command, const std::vector<uint8_t>& data)
{
    std::vector<uint8_t> reply{controller_address, uint8_t(4 + data.size()), address, command};
    reply.insert(reply.end(), data.begin(), data.end());
    unsigned sum = 0;
    for (uint8_t b : reply)
        sum += b;
    reply.push_back(uint8_t(sum));
    return reply;
}

}

std::vector<uint8_t> reply_to(const std::vector<uint8_t>& request)
{
    constexpr size_t head = 4; // destination, length, source, command
    if (request.size() < head)
        return {};
    const uint8_t address = request[0];
    const uint8_t command = request[3];
    // The data the length byte names, as far as the frame holds it.
    const size_t data_length = std::min<size_t>(request[1] >= head ? request[1] - head : 0u, request.size() - head);
    const std::vector<uint8_t> d(request.begin() + head, request.begin() + long(head + data_length));
    return frame_of_reply(address, command, data_of_reply(address, command, d));
}

bool is_drive_target(const std::vector<uint8_t>& request)
{
    return request.size() >= 4 && request[3] == drive_target;
}

std::vector<uint8_t> stalled_drive_reply(const std::vector<uint8_t>& request)
{
    return frame_of_reply(request[0], drive_target, period_and_pulses(0, drive_pulses));
}

bool is_scale_request(const std::vector<uint8_t>& text)
{
    if (text.size() != scale_request_length || text[0] != 'S' || text[1] != '2' || text[2] < '0' || text[2] > '8')
        return false;
    for (size_t i = 0; i < sizeof scale_header - 1; ++i)
        if (text[3 + i] != uint8_t(scale_header[i]))
            return false;
    return text[10] == '\r' && text[11] == '\n' && text[12] == ascii_etx;
}

std::vector<uint8_t> scale_reply_to(const std::vector<uint8_t>& request)
{
    const int scale = request[2] - '0';
    char text[32];
    std::snprintf(text, sizeof text, "S%02X%s%08X\r\n", 0x80 | scale, scale_header,
                  uint32_t(scale_count + 100 * scale));
    std::vector<uint8_t> reply(text, text + 20);
    reply.push_back(ascii_etx);
    return reply;
}

std::string hex(const std::vector<uint8_t>& bytes)
{
    std::string text;
    char two[4];
    for (size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(two, sizeof two, i ? " %02x" : "%02x", bytes[i]);
        text += two;
    }
    return text;
}

std::string printable(const std::vector<uint8_t>& text)
{
    std::string out = "\"";
    char escaped[8];
    for (uint8_t c : text) {
        if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\')
            out += char(c);
        else {
            std::snprintf(escaped, sizeof escaped, "\\x%02x", c);
            out += escaped;
        }
    }
    return out + "\"";
}

std::string describe(const std::vector<uint8_t>& request)
{
    const bool monitor = request[0] == 57 || request[0] >= 68;
    if (request[3] != drive_target || monitor || request.size() < 9)
        return {};
    const uint32_t period = request[5] | request[6] << 8 | request[7] << 16;
    std::string text = "channel " + std::to_string(request[4]) + " period " + std::to_string(period);
    // A spray ECU's target has no flags byte.
    if (request[1] >= 9)
        text += " flags " + std::to_string(request[8]);
    return text;
}

}
