#pragma once
#include <cstdlib>
#include <filesystem>
#include <string>

// A fresh folder under /tmp, removed with everything in it when this goes.
class Temp_folder {
public:
    Temp_folder()
    {
        char name[] = "/tmp/kx4_control_XXXXXX";
        if (mkdtemp(name))
            path_ = name;
    }
    ~Temp_folder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    Temp_folder(const Temp_folder&) = delete;
    Temp_folder& operator=(const Temp_folder&) = delete;

    const std::string& path() const { return path_; }

private:
    std::string path_;
};
