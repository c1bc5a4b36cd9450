#include "control_logic/Gpio_output.h"
#include "tests/control_logic/Temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

namespace {

namespace fs = std::filesystem;

std::string text_of(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A sysfs GPIO folder under a temporary KX4_ROOT; the test shapes it.
struct Gpio_folder : ::testing::Test {
    Temp_folder root;
    fs::path gpio = fs::path(root.path()) / "sys/class/gpio";
    fs::path pin = gpio / "gpio53";

    Gpio_folder() { setenv("KX4_ROOT", root.path().c_str(), 1); }
    ~Gpio_folder() override { unsetenv("KX4_ROOT"); }

    // The files of a pin that can be exported and driven.
    void make_files()
    {
        fs::create_directories(pin);
        for (const fs::path& f : {gpio / "export", gpio / "unexport", pin / "direction", pin / "value"})
            std::ofstream(f) << "stale";
    }
};

TEST_F(Gpio_folder, exports_pin_53_as_an_output_and_drives_it_active_low)
{
    make_files();
    testing::internal::CaptureStderr();
    {
        Gpio_output output;
        EXPECT_EQ(output.get_status(), Gpio_output::ready);
        EXPECT_EQ(text_of(gpio / "export"), "53");
        EXPECT_EQ(text_of(pin / "direction"), "out");
        output.set_termination(true);
        EXPECT_EQ(text_of(pin / "value"), "0");
        EXPECT_EQ(Gpio_output::get_value(53), 0);
        output.set_termination(false);
        EXPECT_EQ(text_of(pin / "value"), "1");
        EXPECT_EQ(Gpio_output::get_value(53), 1);
    }
    EXPECT_EQ(text_of(gpio / "unexport"), "53");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST_F(Gpio_folder, a_failed_export_gives_status_1_and_the_pin_is_still_driven)
{
    make_files();
    // An already exported pin refuses the export in the write, as /dev/full does.
    fs::remove(gpio / "export");
    fs::create_symlink("/dev/full", gpio / "export");
    testing::internal::CaptureStderr();
    Gpio_output output;
    output.set_termination(true);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Failed to write to export file.\n");
    EXPECT_EQ(output.get_status(), Gpio_output::export_failed);
    EXPECT_EQ(text_of(pin / "direction"), "out");
    EXPECT_EQ(text_of(pin / "value"), "0");
}

TEST_F(Gpio_folder, without_sysfs_gpio_every_step_says_so_and_the_caller_goes_on)
{
    testing::internal::CaptureStderr();
    {
        Gpio_output output;
        EXPECT_EQ(output.get_status(), Gpio_output::direction_failed);
        output.set_termination(false);
        EXPECT_EQ(Gpio_output::get_value(53), -1);
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Failed to open export file for writing.\n"
              "Failed to open direction file for writing.\n"
              "Failed to open value file for writing.\n"
              "Failed to open value file for reading.\n"
              "Failed to open unexport file for writing.\n");
}

TEST_F(Gpio_folder, reading_a_value_that_is_not_a_number_fails)
{
    fs::create_directories(pin);
    for (const std::function<void()>& shape : std::vector<std::function<void()>>{
             [&] { std::ofstream(pin / "value") << ""; },
             [&] { std::ofstream(pin / "value") << "high"; },
             [&] { fs::create_directory(pin / "value"); }, // opens, but gives nothing to read
         }) {
        fs::remove_all(pin / "value");
        shape();
        testing::internal::CaptureStderr();
        EXPECT_EQ(Gpio_output::get_value(53), -1);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "Failed to read from value file.\n");
    }
}

}
