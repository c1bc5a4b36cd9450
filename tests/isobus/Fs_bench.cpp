#include "tests/isobus/Fs_bench.h"
#include "platform/can/Known_names.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <sys/resource.h>
#include <cstdlib>
#include <dirent.h>
#include <filesystem>
#include <fstream>
#include <iterator>

Scratch_folder::Scratch_folder()
{
    char name[] = "/tmp/kx4_fs.XXXXXX";
    path_ = mkdtemp(name) ? name : "";
}

Scratch_folder::~Scratch_folder()
{
    std::error_code error;
    std::filesystem::remove_all(path_, error);
}

void Scratch_folder::make_folder(const std::string& relative) const
{
    std::filesystem::create_directories(path_ + "/" + relative);
}

void Scratch_folder::write(const std::string& relative, const std::vector<uint8_t>& bytes) const
{
    std::ofstream out(path_ + "/" + relative, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

bool Scratch_folder::exists(const std::string& relative) const
{
    return std::filesystem::exists(path_ + "/" + relative);
}

std::vector<uint8_t> Scratch_folder::read(const std::string& relative) const
{
    std::ifstream in(path_ + "/" + relative, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> Scratch_folder::names(const std::string& relative) const
{
    std::vector<std::string> out;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(path_ + "/" + relative, error))
        out.push_back(entry.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
}

File_size_limit::File_size_limit(unsigned long bytes)
{
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    old_ = limit.rlim_cur;
    old_handler_ = std::signal(SIGXFSZ, SIG_IGN);
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
}

File_size_limit::~File_size_limit()
{
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = old_;
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, old_handler_);
}

Rooted_in::Rooted_in(const std::string& folder)
{
    setenv("KX4_ROOT", folder.c_str(), 1);
}

Rooted_in::~Rooted_in()
{
    unsetenv("KX4_ROOT");
}

Fs_bench::Fs_bench(const Fake_file_server::Settings& settings) : client(&modules_)
{
    Zev_bench::Node& client_node = bench.add_claimed_node(Known_names::get_seeder(1), client_address);
    Zev_bench::Node& server_node = bench.add_node();
    server = std::make_unique<Fake_file_server>(server_node.stack, settings,
                                                [this](const std::string& line) { lines.push_back(line); });
    EXPECT_TRUE(server->init(&modules_, server_address));
    EXPECT_TRUE(client.init(&client_node.stack, Known_names::get_seeder(1), ZEV_name::RAWNAME::GLOBAL_NAME, 0));
    iface.init(&owner_, &client);
    active_ = &iface;
}

void Fs_bench::use(FS::FS_client_interface& other)
{
    other.init(&owner_, &client);
    active_ = &other;
}

Fs_bench::~Fs_bench()
{
    server.reset();
}

void Fs_bench::settle()
{
    for (int ran = 1; ran > 0;) {
        bench.settle();
        ran = client.run_pending() + server->run_pending();
        waiter_event event;
        while (owner_.poll(event)) {
            active_->handle_event(event);
            ++ran;
        }
    }
}

void Fs_bench::run_for(int ms)
{
    for (int t = 0; t < ms; t += 5) {
        bench.run_for(5);
        settle();
    }
}

bool Fs_bench::connect()
{
    for (int t = 0; t < 10000 && !active_->is_server_connected(); t += 50)
        run_for(50);
    return active_->is_server_connected();
}
