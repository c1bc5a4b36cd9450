// A data store item set from text by its path, as the console does it.
//
// Input: "path=text", the path of names joined by '.' ("system.alive").
//
// Holds: a refused text changes no byte of the store and signals nothing; an
// accepted one changes only its item's bytes, with exactly one change event,
// is read up to a point inside the text, and leaves the store's lock free.
#include "data_store/Data_store.h"
#include "fuzz/Fuzz_check.h"
#include "platform/rtos/module_man.h"
#include "platform/rtos/waiter_descriptor.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct State {
    module_man manager;
    Data_store store{&manager, "1.2.3"};
    waiter_descriptor waiter;
    std::vector<unsigned char> initial;

    State()
    {
        store.head.event_register(&waiter, 0, sizeof store.body, CDS::reg_change, 1, nullptr, nullptr);
        initial = bytes();
    }
    unsigned char* body() { return reinterpret_cast<unsigned char*>(&store.body); }
    std::vector<unsigned char> bytes() { return std::vector<unsigned char>(body(), body() + sizeof store.body); }
    int take_events()
    {
        int count = 0;
        waiter_event event;
        while (waiter.poll(event))
            ++count;
        return count;
    }
};

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static State state;
    const std::string input(reinterpret_cast<const char*>(data), size);
    const size_t equals = input.find('=');
    if (equals == std::string::npos)
        return 0;
    // Both parts as C texts, as the console hands them over.
    const std::string path = input.substr(0, equals).c_str();
    const std::string text = input.substr(equals + 1).c_str();

    CDS::Lookup_item* item = state.store.lookup.find_data_item(path.c_str());
    if (!item)
        return 0;
    const char* end = item->from_string(text.c_str(), state.store.head);
    const int events = state.take_events();
    fuzz_check(state.store.head.owner_tid() == 0, "the store's lock is free after a text set");
    const std::vector<unsigned char> after = state.bytes();
    if (!end) {
        fuzz_check(after == state.initial, "a refused text changes no byte of the store");
        fuzz_check(events == 0, "a refused text signals nothing");
        return 0;
    }
    fuzz_check(end >= text.c_str() && end <= text.c_str() + text.size(), "the end of an accepted text is in it");
    fuzz_check(events == 1, "an accepted text signals one change");
    const uintptr_t at = reinterpret_cast<uintptr_t>(item->get_item_ptr());
    const uintptr_t body = reinterpret_cast<uintptr_t>(state.body());
    fuzz_check(at >= body && at - body + item->get_item_size() <= after.size(), "an item lies in the store's body");
    const size_t first = at - body;
    const size_t last = first + item->get_item_size();
    fuzz_check(std::memcmp(after.data(), state.initial.data(), first) == 0 &&
                   std::memcmp(after.data() + last, state.initial.data() + last, after.size() - last) == 0,
               "an accepted text changes only its item");
    std::memcpy(state.body(), state.initial.data(), state.initial.size());
    return 0;
}
