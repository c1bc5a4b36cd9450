#include "tests/app/App_fixture.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

Temp_folder::Temp_folder()
{
    char pattern[] = "/tmp/kx4_app_XXXXXX";
    if (!mkdtemp(pattern))
        std::abort(); // nowhere to put the test's files
    path_ = std::string(pattern) + "/";
}

Temp_folder::~Temp_folder()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::vector<uint8_t> read_bytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string text_of(const std::string& path)
{
    const std::vector<uint8_t> bytes = read_bytes(path);
    return std::string(bytes.begin(), bytes.end());
}

void write_bytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

bool exists(const std::string& path)
{
    return std::filesystem::exists(path);
}

size_t count_of(const std::string& text, const std::string& part)
{
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

App_fixture::App_fixture()
{
    std::filesystem::create_directories(cache);
}
