// The pool checker that the fake VT runs on the object pools a working set
// sends it. Input: the pool's bytes.
//
// Holds: every error carries one of the End of Object Pool codes; a sound
// pool has exactly one Working Set, whose active mask is a Data or Alarm
// Mask, and every child it places is in the pool; the pool less its last
// byte is never sound.
#include "fuzz/Fuzz_check.h"
#include "tests/support/Iop_check.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::vector<uint8_t> pool(data, data + size);
    const Iop_check check(pool);
    size_t counted = 0;
    for (uint8_t type = 0; type < Iop_check::type_count; ++type)
        counted += check.count(type);
    fuzz_check(counted == check.objects().size(), "an object of no known type");
    for (const Iop_check::Error& error : check.errors())
        fuzz_check(error.code == Iop_check::unsupported || error.code == Iop_check::missing_object ||
                       error.code == Iop_check::other_error,
                   "an error code End of Object Pool has not");
    if (!check.sound())
        return 0;
    fuzz_check(check.count(0) == 1, "a sound pool without exactly one Working Set");
    const Iop_check::Object* mask = check.find(check.find(check.working_set())->active_mask);
    fuzz_check(mask && (mask->type == 1 || mask->type == 2), "a sound pool whose active mask is no mask");
    for (const auto& entry : check.objects())
        if (entry.second.type != 10) // an Input List may hold empty items
            for (const auto& child : entry.second.children)
                fuzz_check(check.find(child.id) != nullptr, "a sound pool placing an object it does not hold");
    const std::vector<uint8_t> cut(pool.begin(), pool.end() - 1);
    fuzz_check(!Iop_check(cut).sound(), "a sound pool still sound without its last byte");
    return 0;
}
