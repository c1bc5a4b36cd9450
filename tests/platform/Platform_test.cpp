#include "platform/rtos/Platform.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

class Platform_test : public ::testing::Test {
protected:
    ~Platform_test() override { unsetenv("KX4_ROOT"); }
};

TEST_F(Platform_test, paths_move_under_KX4_ROOT_when_it_is_set)
{
    unsetenv("KX4_ROOT");
    EXPECT_EQ(Platform::rooted("/var/data/kx4/cache/params"), "/var/data/kx4/cache/params");
    setenv("KX4_ROOT", "/tmp/run/", 1);
    EXPECT_EQ(Platform::rooted("/var/data/kx4/cache/params"), "/tmp/run/var/data/kx4/cache/params");
    EXPECT_EQ(Platform::instance().get_application_dir(), "/tmp/run/var/data/kx4/app/");
    setenv("KX4_ROOT", "", 1);
    EXPECT_EQ(Platform::rooted("/dev/spidev2.0"), "/dev/spidev2.0");
}

TEST_F(Platform_test, folders_end_with_a_slash_so_file_names_can_follow)
{
    Platform& p = Platform::instance();
    for (const std::string& dir : {p.get_application_dir(), p.get_data_dir(), p.get_certificate_dir()})
        EXPECT_EQ(dir.back(), '/') << dir;
}

TEST_F(Platform_test, keeps_the_application_name)
{
    Platform::set_application_name("kx4");
    EXPECT_EQ(Platform::instance().get_application_name(), "kx4");
}

}
