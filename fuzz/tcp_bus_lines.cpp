// The TCP bus client's reading of what its CAN server sends: the message
// reader and the text parser on their own, then a bus connected to a
// server that sends the input.
//
// Input: the bytes the server sends after the handshake.
//
// Holds: the reader finds the same messages however the bytes are split
// across reads; what it passes on is one whole, printable, short message;
// frames and sends that parse print back to text that parses to the same
// frame; the bus delivers only valid frames and reads on after any input.
#include "fuzz/Fuzz_check.h"
#include "platform/can/Bus_select.h"
#include "platform/can/Socketcand_reader.h"
#include "platform/can/Socketcand_text.h"
#include "platform/rtos/Debug_base.h"

#include <algorithm>
#include <arpa/inet.h>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <memory>
#include <mutex>
#include <netinet/in.h>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

// What the reader gave, kept past the next feed.
struct Read_item {
    bool bad;
    std::string text;
    bool operator==(const Read_item& o) const { return bad == o.bad && text == o.text; }
};

std::vector<Read_item> read_all(const std::string& bytes, bool in_pieces)
{
    Socketcand_reader reader;
    std::vector<Read_item> items;
    Socketcand_reader::Item item;
    for (size_t at = 0, piece = 1; at < bytes.size(); at += piece, piece = piece % 7 + 1) {
        const size_t length = in_pieces ? std::min(piece, bytes.size() - at) : bytes.size();
        reader.feed(bytes.data() + at, length);
        while (reader.next(item))
            items.push_back(Read_item{item.bad, std::string(item.text)});
        if (!in_pieces)
            break;
    }
    return items;
}

bool frame_is_valid(const Can_frame& frame)
{
    return frame.dlc <= 8 && frame.id <= (frame.extended ? Can_frame::max_extended_id : Can_frame::max_standard_id);
}

void check_text(const std::string& bytes)
{
    const std::vector<Read_item> items = read_all(bytes, false);
    fuzz_check(items == read_all(bytes, true), "the reader finds the same messages in any pieces");
    for (const Read_item& item : items) {
        if (item.bad)
            continue;
        const std::string& text = item.text;
        fuzz_check(text.size() >= 2 && text.size() <= Socketcand_reader::max_message && text.front() == '<' &&
                       text.back() == '>' && text.find_first_of("<>", 1) == text.size() - 1,
                   "a message is one whole message of at most 128 characters");
        for (char c : text)
            fuzz_check((c >= 0x20 && c < 0x7F) || c == ' ' || c == '\t' || c == '\r' || c == '\n',
                       "a message holds no control character");
        const Socketcand_text::Words words = Socketcand_text::words(text);
        Can_frame frame, again;
        std::string error;
        if (Socketcand_text::parse_frame(words, frame)) {
            fuzz_check(frame_is_valid(frame), "a parsed frame is valid");
            const std::string printed(Socketcand_text::format_frame(frame, 1234567890, 999999).view());
            fuzz_check(printed.size() <= Socketcand_reader::max_message &&
                           Socketcand_text::parse_frame(Socketcand_text::words(printed), again) && again == frame,
                       "a frame prints back to the same frame");
        }
        if (Socketcand_text::parse_send(text, frame, error)) {
            fuzz_check(frame_is_valid(frame), "a parsed send is valid");
            const std::string printed(Socketcand_text::format_send(frame).view());
            fuzz_check(printed.size() <= Socketcand_reader::max_message &&
                           Socketcand_text::parse_send(printed, again, error) && again == frame,
                       "a send prints back to the same frame");
        }
    }
}

// A CAN server that greets, opens and enters raw mode for each client that
// connects, then reads and drops what the client sends. send() goes to the
// client connected last.
class Fake_server {
public:
    Fake_server()
    {
        listen_fd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof addr;
        fuzz_check(listen_fd_ >= 0 && bind(listen_fd_, reinterpret_cast<sockaddr*>(&addr), len) == 0 &&
                       listen(listen_fd_, 4) == 0 &&
                       getsockname(listen_fd_, reinterpret_cast<sockaddr*>(&addr), &len) == 0,
                   "the fake server listens");
        port_ = ntohs(addr.sin_port);
        thread_ = std::thread([this] { serve(); });
        thread_.detach(); // serves until the process ends
    }
    int port() const { return port_; }
    void send(const std::string& bytes)
    {
        std::unique_lock<std::mutex> lock(mutex_);
        fuzz_check(ready_.wait_for(lock, std::chrono::seconds(10), [this] { return client_fd_ >= 0; }),
                   "the bus connects to its server");
        for (size_t done = 0; done < bytes.size();) {
            ssize_t n = ::send(client_fd_, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
            fuzz_check(n > 0, "the bus keeps its connection");
            done += size_t(n);
        }
    }

private:
    void serve()
    {
        for (;;) {
            int fd = accept4(listen_fd_, nullptr, nullptr, SOCK_CLOEXEC);
            if (fd < 0)
                continue;
            std::string heard;
            bool ok = write_all(fd, "< hi >") && wait_for(fd, heard, "< open can0 >") && write_all(fd, "< ok >") &&
                      wait_for(fd, heard, "< rawmode >") && write_all(fd, "< ok >");
            if (!ok) {
                close(fd);
                continue;
            }
            {
                std::lock_guard<std::mutex> lock(mutex_);
                if (client_fd_ >= 0)
                    close(client_fd_);
                client_fd_ = fd;
            }
            ready_.notify_all();
            drain(fd);
        }
    }
    static bool write_all(int fd, const std::string& text)
    {
        return ::send(fd, text.data(), text.size(), MSG_NOSIGNAL) == ssize_t(text.size());
    }
    static bool wait_for(int fd, std::string& heard, const std::string& expected)
    {
        while (heard.find(expected) == std::string::npos) {
            char buf[256];
            ssize_t n = recv(fd, buf, sizeof buf, 0);
            if (n <= 0)
                return false;
            heard.append(buf, size_t(n));
        }
        heard.erase(0, heard.find(expected) + expected.size());
        return true;
    }
    // Reads until the client goes or connects again.
    void drain(int fd)
    {
        for (;;) {
            pollfd p[2] = {{fd, POLLIN, 0}, {listen_fd_, POLLIN, 0}};
            if (poll(p, 2, -1) < 0)
                continue;
            if (p[1].revents)
                return;
            char buf[4096];
            if (p[0].revents && recv(fd, buf, sizeof buf, 0) <= 0)
                return;
        }
    }

    int listen_fd_ = -1;
    int port_ = 0;
    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable ready_;
    int client_fd_ = -1;
};

// What the bus delivers, waited for by the frame that ends a run.
class Delivered {
public:
    void take(const Can_frame& frame)
    {
        fuzz_check(frame_is_valid(frame), "the bus delivers valid frames only");
        std::lock_guard<std::mutex> lock(mutex_);
        last_ = frame;
        arrived_.notify_all();
    }
    bool wait_for(const Can_frame& end)
    {
        std::unique_lock<std::mutex> lock(mutex_);
        return arrived_.wait_for(lock, std::chrono::seconds(10), [&] { return last_ == end; });
    }

private:
    std::mutex mutex_;
    std::condition_variable arrived_;
    Can_frame last_;
};

struct Bus {
    Fake_server server;
    Delivered delivered;
    std::unique_ptr<Can_bus> bus;
    Bus()
    {
        Debug_print::set_sink([](const char*) {});
        const std::string spec = "tcp,addr=127.0.0.1,port=" + std::to_string(server.port());
        bus.reset(Bus_select::start(spec.c_str(), nullptr));
        fuzz_check(bus != nullptr, "the bus opens");
        bus->set_receiver([this](const Can_frame& frame) { delivered.take(frame); });
    }
};

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static Bus bus;
    static uint32_t run = 0;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    check_text(bytes);

    // A frame of this run only ends it: once it arrives, the bus has read
    // the input and is reading on.
    Can_frame end;
    end.id = Can_frame::max_extended_id;
    end.dlc = 4;
    ++run;
    for (int i = 0; i < 4; ++i)
        end.data[i] = uint8_t(run >> (8 * i));
    bus.server.send(bytes + std::string(Socketcand_text::format_frame(end, 0, 0).view()));
    fuzz_check(bus.delivered.wait_for(end), "the bus reads on after any input");
    return 0;
}
