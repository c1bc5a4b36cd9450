#pragma once
#include "data_store/Data_store.h"
#include "platform/rtos/module_man.h"
#include "platform/rtos/waiter_descriptor.h"
#include "tests/support/Store_probe.h"

#include <memory>
#include <vector>

// A data store of a test's own: its own module manager, a fresh head, body
// and lookup tree, and a waiter to register on.
struct Store_fixture {
    static constexpr const char* version = "1.2.3";

    module_man manager;
    std::unique_ptr<Data_store> store = std::make_unique<Data_store>(&manager, version);
    waiter_descriptor waiter;

    CDS::Head& head() { return store->head; }
    data_store_body& body() { return store->body; }
    CDS::Lookup_data_store_body& root() { return store->lookup; }
    unsigned offset_of(const void* item) { return head().offset_of(item); }
    // Registers the fixture's waiter for size bytes at item, with the address-based word.
    void follow(const void* item, unsigned size, uint32_t word);
};
