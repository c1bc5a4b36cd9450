#pragma once
#include "tests/support/Spawned_process.h"

#include <string>
#include <vector>

// can_hub run as a program, one bus per free port.
class Hub_process {
public:
    explicit Hub_process(int buses);
    ~Hub_process(); // ends it with SIGTERM

    // The ports it listens on; empty when it did not start.
    const std::vector<int>& ports() const { return ports_; }
    // The bus spec of a client of bus n.
    std::string spec(size_t n) const;

private:
    Spawned_process process_;
    std::vector<int> ports_;
};
