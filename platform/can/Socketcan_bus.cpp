#include "platform/can/Socketcan_bus.h"
#include "platform/rtos/Debug_base.h"

#include <cerrno>
#include <cstring>
#include <linux/can.h>
#include <linux/can/raw.h>
#include <net/if.h>
#include <sys/socket.h>
#include <unistd.h>

std::unique_ptr<Socketcan_bus> Socketcan_bus::open(const std::string& interface, std::string& error)
{
    int fd = socket(PF_CAN, SOCK_RAW | SOCK_CLOEXEC, CAN_RAW);
    if (fd < 0) {
        error = std::string("this kernel offers no SocketCAN (AF_CAN): ") + std::strerror(errno);
        return nullptr;
    }
    sockaddr_can addr{};
    addr.can_family = AF_CAN;
    addr.can_ifindex = int(if_nametoindex(interface.c_str()));
    if (addr.can_ifindex == 0 || bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) < 0) {
        error = "cannot open CAN interface " + interface + ": " + std::strerror(errno);
        close(fd);
        return nullptr;
    }
    return std::unique_ptr<Socketcan_bus>(new Socketcan_bus(fd, interface));
}

Socketcan_bus::Socketcan_bus(int fd, std::string interface) : fd_(fd), interface_(std::move(interface))
{
    thread_.start(fd_, [this] { return on_input(); }, "can.socketcan");
}

Socketcan_bus::~Socketcan_bus()
{
    thread_.stop();
    close(fd_);
}

bool Socketcan_bus::send(const Can_frame& frame)
{
    if (frame.dlc > 8)
        return false;
    can_frame out{};
    out.can_id = frame.extended ? (frame.id & CAN_EFF_MASK) | CAN_EFF_FLAG : frame.id & CAN_SFF_MASK;
    out.can_dlc = frame.dlc;
    std::memcpy(out.data, frame.data, frame.dlc);
    return write(fd_, &out, sizeof out) == ssize_t(sizeof out);
}

bool Socketcan_bus::on_input()
{
    can_frame in{};
    ssize_t n = read(fd_, &in, sizeof in);
    if (n < 0 && (errno == EINTR || errno == EAGAIN))
        return true;
    if (n != ssize_t(sizeof in)) {
        Debug_print::dprint("CAN bus %s: reading failed: %s\n", interface_.c_str(),
                            n < 0 ? std::strerror(errno) : "short frame");
        return false;
    }
    if (in.can_id & (CAN_RTR_FLAG | CAN_ERR_FLAG))
        return true; // remote and error frames carry nothing for us
    Can_frame frame;
    frame.extended = (in.can_id & CAN_EFF_FLAG) != 0;
    frame.id = in.can_id & (frame.extended ? CAN_EFF_MASK : CAN_SFF_MASK);
    frame.dlc = in.can_dlc > 8 ? 8 : in.can_dlc;
    std::memcpy(frame.data, in.data, frame.dlc);
    deliver(frame);
    return true;
}
