// kx4: the application of the air seeder's ISOBUS implement controller.
#include "app/Command_line.h"
#include "app/Test_console.h"
#include "app/seeder_app.h"
#include "platform/rtos/Debug_base.h"
#include "platform/rtos/Platform.h"

#include <optional>

int main(int argc, char* argv[])
{
    Command_line settings;
    if (std::optional<int> status = settings.parse(argc, argv))
        return *status;
    if (settings.test_console)
        start_test_console();
    Debug_base::set_filters(settings.debug_filter.c_str());
    Platform::set_application_name("kx4");
    seeder_app_thread(settings);
}
