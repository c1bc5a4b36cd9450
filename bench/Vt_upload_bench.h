#pragma once
#include <cstddef>
#include <string>

// The Virtual Terminal client uploading kx4's whole pool image (the
// application pool with the code-built screens loaded) to the fake VT on a
// bus, on the real clock.
struct Vt_upload_figures {
    bool ok = false;          // the pool arrived byte for byte
    size_t bytes = 0;         // the image's size
    size_t data_frames = 0;   // TP and ETP data frames
    size_t control_frames = 0; // their connection management, both ways
    double ms = 0;            // from the first transfer message to End of Object Pool
};

Vt_upload_figures upload_seeder_pool(const std::string& bus_spec);
