// The file-server client reading a file server's answers: the client (its
// link and its operations) and a server node on an in-process bus, on the
// manual clock; the server says what the input says. The steps are in
// Fs_script.h.
//
// Holds: the client settles without the clock moving; no answer is read past
// its length (each reaches the client as a buffer of exactly its bytes); the
// callbacks come while their operation is current, and one operation ends
// at most once, by a completion or an error; once the server falls silent,
// whatever ran ends within the client's time-outs; a completed read left a
// file of the size the server stated, and no partial file stays once
// nothing runs; a listed item holds at most 20 characters.
#include "fuzz/Fs_script.h"
#include "fuzz/Fuzz_bus.h"
#include "fuzz/Fuzz_input.h"
#include "fuzz/Scratch_folder.h"
#include "platform/can/Known_names.h"
#include "platform/iso/FS_client.h"
#include "platform/iso/FS_client_interface.h"
#include "platform/iso/FS_message.h"
#include "platform/rtos/Debug_base.h"
#include "platform/rtos/Platform.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr const char* bus_name = "fuzz_fs";
constexpr uint8_t client_address = 0x80, server_address = 0xF0;
constexpr const char* local_name = "f.bin";

using FS::FS_message;

// What the client reports, checked as it comes.
class Recorder : public FS::FS_client_interface {
public:
    // Before a start: an operation that runs has not ended, one that starts
    // may end at once.
    void starting() { ends_ = 0; }
    void file_read_complete() override
    {
        ended();
        std::error_code error;
        const auto size = std::filesystem::file_size(Platform::instance().get_data_dir() + local_name, error);
        fuzz_check(!error && size == total_, "a completed read left a file of the size stated");
    }
    void set_progress(uint32_t done, uint32_t total, bool complete) override
    {
        fuzz_check(get_operation() != op_none, "progress of an operation that runs");
        fuzz_check(done <= total, "no more done than there is");
        if (complete)
            total_ = total;
    }
    void handle_error(FS_message::gid_t, FS_message::fid_t, FS_message::error_t) override
    {
        ended();
        for (int i = 0; i < lstint_num_items(); ++i)
            fuzz_check(std::strlen(lstint_item(i)) <= item_size, "a listed item of at most 20 characters");
    }
    bool debug() const override { return false; }

private:
    void ended()
    {
        fuzz_check(get_operation() != op_none, "an end while its operation is current");
        fuzz_check(++ends_ == 1, "an operation ends once");
    }

    int ends_ = 0;
    uint32_t total_ = 0;
};

ZEV_name::NAME server_name()
{
    ZEV_name::NAME name;
    name.set(ZEV_name::Field::self_configurable, 1);
    name.set(ZEV_name::Field::industry_group, 2);
    name.set(ZEV_name::Field::function, 61);
    name.set(ZEV_name::Field::identity_number, 77);
    return ZEV_name::NAME(name, ~uint64_t(0));
}

struct Bench {
    Manual_clock& manual = fuzz_clock(); // first: the stacks start on it
    module_man modules;
    std::shared_ptr<Mem_bus_hub> hub = Mem_bus_hub::get(bus_name);
    Fuzz_node client_node, server;
    FS::FS_client client{&modules};
    waiter_descriptor owner;
    Recorder iface;
    std::vector<uint8_t> last_request{FS_message::status, 0};

    Bench()
    {
        client_node.open(modules, bus_name, Known_names::get_seeder(1), client_address);
        server.open(modules, bus_name, server_name(), server_address);
        server.stack.register_pgn(FS_message::pgn_to_server, &server.waiter, nullptr, ZEV_stack::PGN_DATA);
        run_for(300);
        fuzz_check(client.init(&client_node.stack, Known_names::get_seeder(1), ZEV_name::RAWNAME::GLOBAL_NAME, 0),
                   "the client starts");
        iface.init(&owner, &client);
    }
    void settle()
    {
        settle_bus(*hub, [this] {
            int ran = client_node.stack.run_pending() + server.stack.run_pending() + client.run_pending();
            waiter_event event;
            while (owner.poll(event)) {
                iface.handle_event(event);
                ++ran;
            }
            take_requests();
            return ran;
        });
    }
    void run_for(int ms)
    {
        run_clock(ms, [this] { settle(); });
    }
    void take_requests()
    {
        server.take_all(FS_message::pgn_to_server, [this](const ZEV_header&, const uint8_t* bytes, int n) {
            if (n >= 2 && bytes[0] != FS_message::status)
                last_request.assign(bytes, bytes + n);
        });
    }
    void send(std::vector<uint8_t> message, uint8_t to = client_address)
    {
        if (message.empty())
            message.push_back(0xFF);
        const ZEV_header header(server_address, to, FS_message::pgn_to_client, FS_message::priority, 0,
                                uint32_t(message.size()));
        server.stack.write(header, message.data(), int(message.size()), nullptr, 0);
        settle();
    }
};

bool set_up()
{
    Debug_print::set_sink([](const char*) {});
    const std::string folder = scratch_folder();
    return !folder.empty() && setenv("KX4_ROOT", folder.c_str(), 1) == 0;
}

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool ready = set_up();
    fuzz_check(ready, "no scratch folder");
    Bench bench;
    Fuzz_input in(data, size);
    while (!in.empty()) {
        switch (in.u8() % fs_step_count) {
        case fs_status:
            bench.send({FS_message::status, in.u8(), 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, 0xFF);
            break;
        case fs_properties:
            bench.send({FS_message::properties, in.u8(), 16, 0, 0xFF, 0xFF, 0xFF, 0xFF});
            break;
        case fs_answer: {
            const uint8_t mode = in.u8();
            std::vector<uint8_t> answer{bench.last_request[0], bench.last_request[1]};
            if (mode & 1)
                answer[0] = in.u8();
            if (mode & 2)
                answer[1] = in.u8();
            answer.push_back(in.u8());
            for (size_t n = in.u16() % 2048; n > 0; --n)
                answer.push_back(in.u8());
            bench.send(answer);
            break;
        }
        case fs_read_file:
            bench.iface.starting();
            bench.iface.start_file_read(local_name, "\\\\V\\f.bin");
            bench.settle();
            break;
        case fs_list:
            bench.iface.starting();
            bench.iface.start_dir_read("\\\\");
            bench.settle();
            break;
        case fs_cancel:
            bench.iface.cancel_operation();
            bench.settle();
            break;
        case fs_wait:
            bench.run_for(10 * in.u8());
            break;
        }
    }
    // The server says nothing more: lost after 6 s, or an answer missing after 10 s.
    for (int t = 0; t < 20000 && bench.iface.get_operation() != FS::FS_client_interface::op_none; t += 50)
        bench.run_for(50);
    fuzz_check(bench.iface.get_operation() == FS::FS_client_interface::op_none, "an operation ends in time");
    std::error_code none_yet;
    for (const auto& entry : std::filesystem::directory_iterator(Platform::instance().get_data_dir(), none_yet))
        fuzz_check(entry.path().filename().string().find(".part.") == std::string::npos, "no partial file stays");
    return 0;
}
