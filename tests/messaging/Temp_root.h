#pragma once
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

// KX4_ROOT set to a fresh folder (or a folder below it) while it lives, so
// that the files a client writes go there; the folder goes with it.
class Temp_root {
public:
    explicit Temp_root(const std::string& below = "")
    {
        char pattern[] = "/tmp/kx4_client_XXXXXX";
        top_ = mkdtemp(pattern);
        path_ = top_ + below;
        setenv("KX4_ROOT", path_.c_str(), 1);
    }
    ~Temp_root()
    {
        unsetenv("KX4_ROOT");
        std::filesystem::remove_all(top_);
    }
    Temp_root(const Temp_root&) = delete;
    Temp_root& operator=(const Temp_root&) = delete;

    // Where a client caches the description of this CRC and length.
    std::string cache(uint32_t crc, uint32_t length) const
    {
        return path_ + "/var/data/kx4/data/cds_cache_" + hex(crc) + "_" + std::to_string(length);
    }
    static std::string hex(uint32_t v)
    {
        char text[16];
        std::snprintf(text, sizeof text, "%x", unsigned(v));
        return text;
    }

private:
    std::string top_, path_;
};
