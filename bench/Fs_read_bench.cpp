// kx4_fs_read_bench: a 4 MiB file read from the fake file server by the
// file-server client, over the in-process bus and over can_hub: the payload
// bytes per CAN frame against the 7 of a TP or ETP data frame, and the time.
#include "bench/Bench_arguments.h"
#include "tests/support/Hub_process.h"
#include "platform/can/Bus_select.h"
#include "platform/can/Known_names.h"
#include "platform/can/ZEV_smart_stack.h"
#include "platform/iso/FS_client.h"
#include "platform/iso/FS_client_interface.h"
#include "platform/rtos/Diner.h"
#include "platform/rtos/module_man.h"
#include "tests/support/Fake_file_server.h"
#include "tests/support/Short_claims.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr size_t file_size = 4u << 20;
constexpr uint8_t client_address = 0x80, server_address = 250;
// A 29-bit frame of 8 bytes is about 134 bits on the wire, without stuffing.
constexpr double frame_ms_at_250k = 134.0 / 250.0;

// The client's interface on a task of its own, telling how the read ended.
class Reader : public Diner {
public:
    class Interface : public FS::FS_client_interface {
    public:
        std::promise<bool> done;
        std::atomic<bool> connected{false};
        void file_read_complete() override { done.set_value(true); }
        void handle_error(FS::FS_message::gid_t, FS::FS_message::fid_t, FS::FS_message::error_t e) override
        {
            if (e != 0)
                done.set_value(false);
        }
        bool debug() const override { return false; }
    };

    Interface iface;
    static constexpr uint32_t start_code = 1; // on module 0: start the read

protected:
    void handle_event(waiter_event& event) override
    {
        if (event.module == 0 && event.code == start_code)
            iface.start_file_read("bench.bin", "\\\\VOL\\bench.bin");
        else
            iface.handle_event(event);
        iface.connected = iface.is_server_connected();
    }
};

struct Figures {
    bool ok = false;
    double ms = 0;
    size_t frames = 0;
};

Figures read_over(const std::string& spec, const std::string& folder)
{
    Figures figures;
    module_man modules;
    std::atomic<size_t> frames{0};
    std::atomic<bool> counting{false};
    std::unique_ptr<Can_bus> counter(Bus_select::start(spec.c_str(), nullptr));
    if (!counter)
        return figures;
    counter->set_receiver([&](const Can_frame&) {
        if (counting)
            ++frames;
    });

    Short_claims short_claims;
    ZEV_smart_stack server_stack, client_stack;
    if (!server_stack.open(Bus_select::start(spec.c_str(), nullptr), &modules) || !server_stack.start() ||
        !client_stack.open(Bus_select::start(spec.c_str(), nullptr), &modules) || !client_stack.start())
        return figures;
    waiter_descriptor claims;
    const ZEV_name::NAME name = Known_names::get_seeder(1);
    client_stack.get_name_manager().add_local_name(name, client_address, &claims);
    if (!client_stack.wait_for_name(&claims, name, true))
        return figures;

    Fake_file_server::Settings settings;
    settings.folder = folder;
    {
        Fake_file_server server(server_stack, settings, nullptr);
        FS::FS_client client(&modules);
        Reader reader;
        if (!server.init(&modules, server_address) || !server.start() ||
            !client.init(&client_stack, name, ZEV_name::RAWNAME::GLOBAL_NAME, 0) || !client.start() ||
            !reader.init(&modules, nullptr, "READER", 50, 6144, true, false))
            return figures;
        reader.iface.init(&reader.get_waiter(), &client);
        if (!reader.start())
            return figures;
        for (int i = 0; i < 1000 && !reader.iface.connected; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (!reader.iface.connected)
            return figures;

        std::future<bool> done = reader.iface.done.get_future();
        counting = true;
        const auto start = std::chrono::steady_clock::now();
        // Started on the reader's own task, where the interface runs.
        reader.get_waiter().post(waiter_event{0, Reader::start_code, nullptr, nullptr});
        if (done.wait_for(std::chrono::seconds(120)) != std::future_status::ready)
            return figures;
        figures.ok = done.get();
        figures.ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        counting = false;
        reader.terminate(1, 1000);
        client.terminate(1, 1000);
        server.terminate(1, 1000);
    }
    counter->set_receiver(nullptr);
    figures.frames = frames;
    return figures;
}

void print(const char* bus, const Figures& f)
{
    if (!f.ok) {
        std::printf("  %-10s FAILED\n", bus);
        return;
    }
    std::printf("  %-10s %zu bytes in %zu frames: %.2f payload bytes per frame against the 7 of a TP or ETP data "
                "frame\n"
                "  %-10s %.1f ms, %.0f kB/s (a 250 kbit/s bus needs %.0f ms for these frames)\n",
                bus, file_size, f.frames, double(file_size) / double(f.frames), "", f.ms,
                double(file_size) / f.ms, double(f.frames) * frame_ms_at_250k);
}

}

const char* const about =
    "A 4 MiB file read by the file-server client from the fake file server, over the in-process\n"
    "bus and over can_hub: the payload bytes per CAN frame against the 7 of a TP or ETP data frame,\n"
    "the time, and the time a 250 kbit/s bus needs for the frames. Runs about half a minute.\n";

int main(int argc, char** argv)
{
    int status;
    if (!bench_arguments(argc, argv, about, status))
        return status;
    char served[] = "/tmp/kx4_fs_bench.XXXXXX";
    char local[] = "/tmp/kx4_fs_local.XXXXXX";
    if (!mkdtemp(served) || !mkdtemp(local)) {
        std::printf("no temporary folder\n");
        return 1;
    }
    setenv("KX4_ROOT", local, 1);
    std::filesystem::create_directories(std::string(served) + "/VOL");
    {
        std::vector<char> bytes(file_size);
        for (size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = char(i % 251);
        std::ofstream(std::string(served) + "/VOL/bench.bin", std::ios::binary).write(bytes.data(), long(bytes.size()));
    }
    std::printf("A %zu-byte file read from the fake file server, %u bytes per read request "
                "(frames: every frame on the bus during the read)\n",
                file_size, unsigned(FS::FS_client_interface::read_size));
    print("in-process", read_over("mem,name=fs_bench", served));
    Hub_process hub(CAN_HUB_PROGRAM);
    if (!hub.listening())
        std::printf("  can_hub did not start\n");
    else
        print("can_hub", read_over(hub.isobus(), served));
    std::filesystem::remove_all(served);
    std::filesystem::remove_all(local);
    return 0;
}
