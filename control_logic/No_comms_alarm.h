#pragma once

class Data_store;

// The no_comms alarm: the control task triggers it while a slave is flagged
// in ECU_status and clears it on a reply when none is. The flag is written
// only when it changes.
void set_no_comms(Data_store& store);
void clear_no_comms(Data_store& store);
