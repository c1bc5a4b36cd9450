#pragma once
#include "data_store/Lookup_data_store_body.h"
#include "data_store/data_store_body.h"
#include "platform/data/CDS_Head.h"

class module_man;

// A live data store: the head (lock, change events), the body with its
// initial values, and the lookup tree over the body, built in that order.
// The program keeps one as its global store; tests build their own.
class Data_store {
public:
    // manager null: the process's module manager. version_text: the
    // program's version, kept as the firmware version text (at most 11
    // characters; a longer text is cut there).
    Data_store(module_man* manager, const char* version_text);
    Data_store(const Data_store&) = delete;
    Data_store& operator=(const Data_store&) = delete;

    CDS::Head head;
    data_store_body body;
    CDS::Lookup_data_store_body lookup;
};

// A body with every field at its start value: zero, except the ones the
// other subsystems expect to find set from the start.
data_store_body initial_data_store_body(const char* version_text);
