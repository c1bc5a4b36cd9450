#pragma once
#include "platform/can/Socketcand_text.h"

#include <list>
#include <memory>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

// A CAN server for machines without CAN hardware: one virtual bus per TCP
// port on 127.0.0.1. Each client speaks socketcand's raw mode ("< hi >",
// "< open BUS >", "< rawmode >", then "< send ... >" and "< frame ... >");
// every frame a client sends goes to every other raw-mode client of the same
// port; what one turn of reads brings goes to each client in one write. Bad
// input gets "< error ... >" (cut to fit a reader's 128 characters) or is
// skipped, and never disturbs the other clients; a client that does not read
// its frames is dropped, and one that comes when no file descriptor is left
// is turned away at once.
class Can_hub {
public:
    // A port of 0 listens on a free port.
    explicit Can_hub(std::vector<int> ports);
    ~Can_hub(); // stops
    Can_hub(const Can_hub&) = delete;
    Can_hub& operator=(const Can_hub&) = delete;

    // Listens on every port and serves on a thread of its own; false with the
    // reason when a port cannot be opened.
    bool start(std::string& error);
    // The ports listened on, free ones filled in.
    const std::vector<int>& get_ports() const { return ports_; }

    // Async-signal-safe: asks the serving thread to end.
    void request_stop();
    // Waits until the serving thread has ended and every socket is closed.
    void wait();

private:
    struct Client;

    void serve();
    void accept_client(size_t port_index);
    bool read_client(Client& client);
    // A message of one read, stamped with the time the read came.
    void handle(Client& client, std::string_view message, const Socketcand_text::Stamp& stamp);
    void forward(const Client& sender, std::string_view frame_text);
    void queue(Client& client, std::string_view text);
    void queue_error(Client& client, std::string text);
    void flush(Client& client);
    void close_all();

    std::vector<int> ports_;
    std::vector<int> listen_fds_;
    std::list<std::unique_ptr<Client>> clients_;
    int wake_fd_ = -1;
    int spare_fd_ = -1; // given up to turn a client away when no descriptor is left
    std::unique_ptr<char[]> read_buffer_; // the serving thread's
    std::thread thread_;
};
