// ISO 11783-6 object records loaded into a VT object pool.
//
// Input: the records, as a pool's image or built screens hand them over.
//
// Holds: an input refused loads nothing; an input loaded comes back out of
// the pool as an image that loads into a second pool and comes out the same,
// object for object.
#include "fuzz/Fuzz_check.h"
#include "platform/iso/VT_Object_deserial.h"
#include "platform/iso/VT_Object_pool.h"
#include "platform/rtos/Debug_base.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool quiet = (Debug_print::set_sink([](const char*) {}), true);
    (void)quiet;
    VT::Object_pool pool(nullptr, nullptr, 0);
    VT::Object_deserial loader;
    loader.init(&pool);
    if (!loader.run(data, size)) {
        fuzz_check(pool.get_loaded_count() == 0, "a refused input loaded objects");
        return 0;
    }
    const std::vector<uint8_t> image = pool.serialise();
    VT::Object_pool again(nullptr, nullptr, 0);
    loader.init(&again);
    fuzz_check(loader.run(image.data(), image.size()), "the pool's own image refused");
    fuzz_check(again.get_loaded_count() == pool.get_loaded_count(), "objects lost on the way back");
    fuzz_check(again.serialise() == image, "the image changed on the way back");
    return 0;
}
