#include "ui/screens/Multi_tank_cal.h"

#include "data_store/Data_store.h"
#include "params/parameters_t.h"
#include "platform/ui/Stat_string.h"
#include "ui/screens/Operator_name.h"
#include "ui/screens/Screen_vt.h"
#include "ui/screens/Seeder_tanks.h"

#include <string>

namespace Multi_tank_cal {

namespace {

std::string row_name(const Screen_objects& objects, int tank)
{
    std::string name = Operator_name::shown(Seeder_tanks::channel(objects.parameters, tank).name);
    const char* const blanks = " \t\n\v\f\r";
    name.erase(name.find_last_not_of(blanks) + 1);
    name.erase(0, name.find_first_not_of(blanks));
    return name.empty() ? "......." : name;
}

}

bool takes_part(const Screen_objects& objects, int tank)
{
    const NV_quvel::channel_t& channel = Seeder_tanks::channel(objects.parameters, tank);
    return channel.mode.get() == Seeder_tanks::granular && channel.enabled.get() &&
           objects.store.head.get(objects.store.body.channels.channels[tank].product_assigned);
}

void show_row(const Screen& screen, const Screen_objects& objects, int tank, VT::Container_obj* row,
              Stat_string& name)
{
    Screen_vt::set_hidden(screen, row, !takes_part(objects, tank));
    name = row_name(objects, tank).c_str();
}

}
