#include "tests/support/Fake_slave_monitor.h"

namespace {

constexpr uint8_t controller_address = 0x31;
constexpr uint8_t version_major = 2;
constexpr uint8_t version_minor = 1;
constexpr uint32_t section_period = 1000; // 2 ms units per encoder pulse

bool monitor_address(uint8_t address)
{
    return address == 57 || (address >= 68 && address <= 71);
}

}

bool fake_monitor_reply(const std::vector<uint8_t>& request, std::vector<uint8_t>& reply)
{
    if (request.size() < 5 || !monitor_address(request[0]))
        return false;
    const uint8_t address = request[0];
    const uint8_t command = request[3];
    std::vector<uint8_t> data;
    switch (command) {
    case 9:
        data = {0, 3, 7, 255, version_major, version_minor};
        break;
    case 2:
    case 3:
        data = {1, 0, 0, 0, 0};
        break;
    case 1:
        data = {uint8_t(section_period), uint8_t(section_period >> 8), uint8_t(section_period >> 16), 0, 0};
        break;
    default:
        return false;
    }
    reply = {controller_address, uint8_t(4 + data.size()), address, command};
    reply.insert(reply.end(), data.begin(), data.end());
    unsigned sum = 0;
    for (uint8_t b : reply)
        sum += b;
    reply.push_back(uint8_t(sum));
    return true;
}
