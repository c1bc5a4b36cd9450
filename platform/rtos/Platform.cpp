#include "platform/rtos/Platform.h"

#include <cstdlib>

Platform& Platform::instance()
{
    static Platform platform;
    return platform;
}

void Platform::set_application_name(const char* name)
{
    instance().application_name_ = name ? name : "";
}

const char* const* Platform::get_identification() const
{
    static const char* const texts[identification_count] = {
        "KX4-ECU", "*", "Implement", "Seeder ECU", "*", "KX4-HW1", "KX4", "*", "Air Seeder",
    };
    return texts;
}

std::string Platform::rooted(const std::string& absolute_path)
{
    const char* root = std::getenv("KX4_ROOT");
    if (!root || !*root)
        return absolute_path;
    std::string prefix(root);
    while (!prefix.empty() && prefix.back() == '/')
        prefix.pop_back();
    return prefix + absolute_path;
}

std::string Platform::get_application_dir() const
{
    return rooted("/var/data/kx4/app/");
}

std::string Platform::get_data_dir() const
{
    return rooted("/var/data/kx4/data/");
}

std::string Platform::get_certificate_dir() const
{
    return rooted("/var/data/kx4/certs/");
}
