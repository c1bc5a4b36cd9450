// Messages from a remote data-store server, as the peer's client receives
// them (after the transport's marker): descriptions, slices and values.
//
// Input: messages one after another, each a length byte and that many bytes.
// The client starts with a small tree of every kind of item, so that values
// have somewhere to go, and without a cache.
//
// Holds: a message leads to one request at most, and every request is one
// the protocol knows, of its own length.
#include "fuzz/Fuzz_check.h"
#include "fuzz/Fuzz_input.h"
#include "messaging/cds/CDS_Remote_Client.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Client : CDS::Remote::Client {
    Client() : CDS::Remote::Client(nullptr) {}
    std::vector<std::vector<uint8_t>> sent;
    uint8_t* get_tx_buffer(uint8_t* buffer, int& room) override
    {
        room -= 2;
        return buffer + 2;
    }
    bool send(uint8_t* message, int length) override
    {
        sent.emplace_back(message, message + length);
        return true;
    }
};

const std::string tree = "1:1:remote{1:2:s{2:3:b,3:4:c,4:5:u8,5:6:u16,6:7:u32,7:8:i8,8:9:i16,9:a:i32,a:b:f,b:c:d,"
                         "f:d:u64,10:e:i64},1:f:a{42:10:b,43:11:c,44:12:u8,49:13:i32,4b:14:d,50:15:i64},1:16:e{}}";

bool known_request(const std::vector<uint8_t>& m)
{
    if (m.empty())
        return false;
    switch (m[0]) {
    case 0x82:
        return m.size() == 7 && m[1] == 0 && m[2] == 0 && m[6] == 255;
    case 0x83:
        return m.size() == 5;
    default:
        return false;
    }
}

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // No cache: the data folder is one that does not exist and cannot be made.
    setenv("KX4_ROOT", "/proc/kx4_fuzz_no_root", 1);
    Client client;
    fuzz_check(client.build_tree(tree.data(), uint32_t(tree.size())), "the seed tree builds");
    Fuzz_input input(data, size);
    while (!input.empty()) {
        const uint8_t length = input.u8();
        std::vector<uint8_t> message;
        for (int i = 0; i < length; ++i)
            message.push_back(input.u8());
        const size_t before = client.sent.size();
        client.receive(message.data(), int(message.size()));
        fuzz_check(client.sent.size() <= before + 1, "one request per message at most");
        for (size_t i = before; i < client.sent.size(); ++i)
            fuzz_check(known_request(client.sent[i]), "a request the protocol knows");
        client.get_id("s.u8");
    }
    return 0;
}
