#pragma once
#include <cstddef>
#include <string>

// The Task Controller client uploading the seeder's largest description (6
// booms of 10 sections, 10 bins, 5 downforce channels) to the fake Task
// Controller on a bus, on the real clock.
struct Tc_upload_figures {
    bool ok = false;     // the pool arrived sound and was activated
    size_t bytes = 0;    // the description's size
    size_t frames = 0;   // transport frames on the bus, both ways
    double ms = 0;       // from the transfer request to the pool's arrival
};

Tc_upload_figures upload_largest_description(const std::string& bus_spec);
