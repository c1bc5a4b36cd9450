#include "bench/Hub_process.h"

#include <csignal>
#include <sstream>

namespace {
std::vector<std::string> arguments(int buses)
{
    std::vector<std::string> out{CAN_HUB_PROGRAM};
    out.insert(out.end(), size_t(buses), "0");
    return out;
}
}

Hub_process::Hub_process(int buses) : process_(arguments(buses))
{
    // "can_hub: listening on 127.0.0.1 port(s) P [P...]"
    std::string line;
    if (!process_.read_line(line, 10000) || line.find("listening") == std::string::npos)
        return;
    std::istringstream words(line.substr(line.find("port")));
    std::string skip;
    words >> skip;
    for (int port; words >> port;)
        ports_.push_back(port);
}

Hub_process::~Hub_process()
{
    process_.stop(SIGTERM);
}

std::string Hub_process::spec(size_t n) const
{
    return "tcp,addr=127.0.0.1,port=" + std::to_string(n < ports_.size() ? ports_[n] : 0);
}
