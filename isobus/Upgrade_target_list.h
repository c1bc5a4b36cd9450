#pragma once
#include "platform/can/ZEV_name_RAWNAME.h"

#include <cstdint>
#include <string>
#include <vector>

// The slave ECUs that a firmware upgrade is to flash, by NAME, and the folder
// in which their upgrade script is written.
class Upgrade_target_list {
public:
    explicit Upgrade_target_list(std::string directory) : directory_(std::move(directory)) {}

    void add(const ZEV_name::RAWNAME& name) { names_.push_back(name); }
    const std::string& get_directory() const { return directory_; }
    const std::vector<ZEV_name::RAWNAME>& get_names() const { return names_; }

    // The NAME that an ECU record of the data store holds in its 64-bit NAME
    // field. The field holds the NAME's value (as the slave ECU start-up
    // writes it), so its bytes are the NAME's bytes in their own order.
    static ZEV_name::RAWNAME name_of_stored(uint64_t stored) { return ZEV_name::RAWNAME(stored); }

private:
    std::string directory_;
    std::vector<ZEV_name::RAWNAME> names_;
};
