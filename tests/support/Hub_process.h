#pragma once
#include "tests/support/Spawned_process.h"

#include <sstream>
#include <string>

// can_hub run by a test on two ports the system picks (or on the given
// ones), with the bus specs of its ISOBUS and slave-bus ports once it
// listens.
class Hub_process {
public:
    explicit Hub_process(const std::string& program, int isobus_port = 0, int abus_port = 0,
                         int timeout_ms = 10000)
        : process_({program, std::to_string(isobus_port), std::to_string(abus_port)})
    {
        if (!process_.wait_for_output("listening", timeout_ms))
            return;
        std::istringstream line(process_.output().substr(process_.output().find("ports") + 5));
        line >> isobus_port_ >> abus_port_;
    }

    // False when it did not come up: output() says why.
    bool listening() const { return isobus_port_ > 0 && abus_port_ > 0; }
    int isobus_port() const { return isobus_port_; }
    int abus_port() const { return abus_port_; }
    std::string isobus() const { return spec(isobus_port_); }
    std::string abus() const { return spec(abus_port_); }
    static std::string spec(int port) { return "tcp,addr=127.0.0.1,port=" + std::to_string(port); }

    Spawned_process& process() { return process_; }
    const std::string& output() const { return process_.output(); }

private:
    Spawned_process process_;
    int isobus_port_ = 0;
    int abus_port_ = 0;
};
