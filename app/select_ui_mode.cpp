#include "app/select_ui_mode.h"
#include "app/App_objects.h"
#include "app/Parameter_file.h"
#include "app/Store_watch.h"
#include "data_store/Data_store.h"
#include "params/parameters_t.h"
#include "platform/rtos/Debug_base.h"

namespace {

int use_vt_mode(const App_objects& objects)
{
    auto& mapping = objects.parameters.app.swbox_mapping;
    for (int i = 0; i < int(mapping.size()); ++i)
        mapping[i]->channel.set(int8_t(i));
    return 1;
}

}

int select_ui_mode(const App_objects& objects)
{
    if (!objects.parameters.system.non_vtt_connected.get()) {
        Debug_print::dprint("Starting in VT Mode\n");
        objects.main_waiter.flush();
        return use_vt_mode(objects);
    }
    Debug_print::dprint("Looking for Solvane...\n");
    CDS::Head& head = objects.store.head;
    const ds_system& system = objects.store.body.system;
    Store_watch watch(head, objects.main_waiter);
    watch.add(system.non_vtt_connected);
    watch.add(system.non_vtt_timeout);
    watch.add(system.initiate_shutdown);
    // The items are read before every wait, so that a change that came
    // before the registrations is not missed.
    int mode = 0;
    for (;;) {
        if (objects.stop_requested)
            break;
        if (head.get(system.non_vtt_connected)) {
            Debug_print::dprint("Starting in Solvane Mode\n");
            break;
        }
        if (head.get(system.non_vtt_timeout)) {
            Debug_print::dprint("Switching to VT Mode\n");
            objects.parameter_file.reset(false);
            mode = 1;
            break;
        }
        if (head.get(system.initiate_shutdown) != 0) {
            Debug_print::dprint("Initiating Shutdown\n");
            break;
        }
        waiter_event event;
        objects.main_waiter.wait(event);
    }
    watch.clear();
    objects.main_waiter.flush();
    return mode == 1 ? use_vt_mode(objects) : 0;
}
