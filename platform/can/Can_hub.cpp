#include "platform/can/Can_hub.h"
#include "platform/can/Socketcand_reader.h"
#include "platform/can/Socketcand_text.h"
#include "platform/rtos/Bugger.h"
#include "platform/rtos/Debug_base.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
// A client whose unread output passes this is not reading and is dropped.
constexpr size_t max_unsent = 1 << 20;
// What one read takes: under load a whole burst, stamped with one time.
constexpr size_t read_size = 1 << 16;
}

struct Can_hub::Client {
    Client(int f, size_t p) : fd(f), port_index(p) {}
    int fd;
    size_t port_index;
    enum class State { greeted, opened, raw } state = State::greeted;
    Socketcand_reader reader;
    std::string unsent;
    bool dead = false;
};

Can_hub::Can_hub(std::vector<int> ports) : ports_(std::move(ports)), read_buffer_(new char[read_size])
{
    wake_fd_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (wake_fd_ < 0)
        Bugger::report_bug("Can_hub: cannot create eventfd");
    spare_fd_ = open("/dev/null", O_RDONLY | O_CLOEXEC);
}

Can_hub::~Can_hub()
{
    request_stop();
    wait();
    close_all();
    close(wake_fd_);
    if (spare_fd_ >= 0)
        close(spare_fd_);
}

bool Can_hub::start(std::string& error)
{
    for (int& port : ports_) {
        int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        int one = 1;
        setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        addr.sin_port = htons(uint16_t(port));
        socklen_t len = sizeof addr;
        if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&addr), len) < 0 || listen(fd, SOMAXCONN) < 0 ||
            getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) < 0) {
            error = "cannot listen on 127.0.0.1 port " + std::to_string(port) + ": " + std::strerror(errno);
            if (fd >= 0)
                close(fd);
            close_all();
            return false;
        }
        port = ntohs(addr.sin_port);
        listen_fds_.push_back(fd);
    }
    thread_ = std::thread([this] { serve(); });
    return true;
}

void Can_hub::request_stop()
{
    uint64_t one = 1;
    ssize_t n = write(wake_fd_, &one, sizeof one);
    (void)n;
}

void Can_hub::wait()
{
    if (thread_.joinable())
        thread_.join();
}

void Can_hub::close_all()
{
    for (int fd : listen_fds_)
        close(fd);
    listen_fds_.clear();
    for (auto& c : clients_)
        close(c->fd);
    clients_.clear();
}

void Can_hub::serve()
{
    std::vector<pollfd> fds;
    for (;;) {
        fds.assign(1, pollfd{wake_fd_, POLLIN, 0});
        for (int fd : listen_fds_)
            fds.push_back({fd, POLLIN, 0});
        for (auto& c : clients_)
            fds.push_back({c->fd, short(POLLIN | (c->unsent.empty() ? 0 : POLLOUT)), 0});
        if (poll(fds.data(), fds.size(), -1) < 0)
            continue; // interrupted by a signal
        if (fds[0].revents)
            break;
        size_t i = 1;
        for (size_t p = 0; p < listen_fds_.size(); ++p, ++i)
            if (fds[i].revents)
                accept_client(p);
        // Clients accepted just now were not polled; they come after the others.
        for (auto it = clients_.begin(); it != clients_.end() && i < fds.size(); ++it, ++i) {
            Client& c = **it;
            if (fds[i].revents & (POLLIN | POLLHUP | POLLERR))
                c.dead = c.dead || !read_client(c);
        }
        // Everything the reads brought goes to each client in one write.
        for (auto it = clients_.begin(); it != clients_.end();) {
            if (!(*it)->dead && !(*it)->unsent.empty())
                flush(**it);
            if ((*it)->dead) {
                close((*it)->fd);
                it = clients_.erase(it);
            } else {
                ++it;
            }
        }
    }
    close_all();
}

void Can_hub::accept_client(size_t port_index)
{
    int fd = accept4(listen_fds_[port_index], nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
    if (fd < 0 && (errno == EMFILE || errno == ENFILE) && spare_fd_ >= 0) {
        // Out of descriptors: a connection left waiting would wake the hub
        // again at once, for ever. Take it on the spare one and end it, so
        // that the client hears at once.
        close(spare_fd_);
        int refused = accept4(listen_fds_[port_index], nullptr, nullptr, SOCK_CLOEXEC);
        if (refused >= 0)
            close(refused);
        spare_fd_ = open("/dev/null", O_RDONLY | O_CLOEXEC);
        Debug_print::dprint("can_hub: port %d: no file descriptors left; a new client is turned away\n",
                            ports_[port_index]);
        return;
    }
    if (fd < 0)
        return;
    int one = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    clients_.push_back(std::unique_ptr<Client>(new Client(fd, port_index)));
    queue(*clients_.back(), "< hi >");
    flush(*clients_.back());
}

bool Can_hub::read_client(Client& client)
{
    ssize_t n = recv(client.fd, read_buffer_.get(), read_size, 0);
    if (n < 0 && (errno == EINTR || errno == EAGAIN))
        return true;
    if (n <= 0)
        return false;
    client.reader.feed(read_buffer_.get(), size_t(n));
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    const Socketcand_text::Stamp stamp = Socketcand_text::stamp(now.tv_sec, int(now.tv_nsec / 1000));
    Socketcand_reader::Item item;
    while (!client.dead && client.reader.next(item)) {
        if (item.bad)
            queue_error(client, std::string(item.text));
        else
            handle(client, item.text, stamp);
    }
    return true;
}

void Can_hub::handle(Client& client, std::string_view message, const Socketcand_text::Stamp& stamp)
{
    using State = Client::State;
    // Frames first: they are nearly all that comes.
    Can_frame frame;
    std::string error;
    if (client.state != State::greeted && Socketcand_text::parse_send(message, frame, error)) {
        forward(client, Socketcand_text::format_frame(frame, stamp).view());
        return;
    }
    const std::string_view command = Socketcand_text::command(message);
    if (command == "send") {
        queue_error(client, client.state == State::greeted ? "open a bus first" : error);
    } else if (command == "open") {
        if (client.state != State::greeted)
            queue_error(client, "a bus is already open");
        else if (Socketcand_text::words(message).size() != 2)
            queue_error(client, "open needs one bus name");
        else {
            client.state = State::opened;
            queue(client, "< ok >");
            flush(client); // in a write of its own, as some clients expect
        }
    } else if (command == "rawmode") {
        if (client.state != State::opened)
            queue_error(client, client.state == State::raw ? "already in raw mode" : "open a bus first");
        else {
            client.state = State::raw;
            queue(client, "< ok >");
            flush(client);
        }
    } else {
        queue_error(client, command.empty() ? "empty message" : "unknown command " + std::string(command));
    }
}

void Can_hub::forward(const Client& sender, std::string_view frame_text)
{
    for (auto& c : clients_)
        if (c.get() != &sender && !c->dead && c->port_index == sender.port_index && c->state == Client::State::raw)
            queue(*c, frame_text);
}

void Can_hub::queue_error(Client& client, std::string text)
{
    // What it quotes is cut so that the reply stays within what a reader takes.
    const size_t room = Socketcand_reader::max_message - std::strlen("< error  >");
    if (text.size() > room)
        text = text.substr(0, room - 3) + "...";
    for (char& ch : text)
        if (ch == '<' || ch == '>')
            ch = '?'; // would end the message early
    queue(client, "< error " + text + " >");
}

void Can_hub::queue(Client& client, std::string_view text)
{
    if (client.unsent.size() + text.size() > max_unsent) {
        client.dead = true;
        Debug_print::dprint("can_hub: port %d: dropping a client that does not read its frames\n",
                            ports_[client.port_index]);
        return;
    }
    client.unsent += text;
}

void Can_hub::flush(Client& client)
{
    while (!client.unsent.empty()) {
        ssize_t n = ::send(client.fd, client.unsent.data(), client.unsent.size(), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN)
            return; // the rest goes when the socket has room
        if (n <= 0) {
            client.dead = true;
            return;
        }
        client.unsent.erase(0, size_t(n));
    }
}
