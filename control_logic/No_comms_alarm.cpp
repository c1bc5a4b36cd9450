#include "control_logic/No_comms_alarm.h"
#include "data_store/Data_store.h"

void set_no_comms(Data_store& store)
{
    store.head.set_changed(store.body.alarms.no_comms.triggered, true);
}

void clear_no_comms(Data_store& store)
{
    store.head.set_changed(store.body.alarms.no_comms.triggered, false);
}
