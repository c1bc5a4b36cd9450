// The parameter file as the program reads it from disk into its tree.
//
// Input: a mode byte, then either a whole file (mode bit 0 set) or the
// payload alone, which gets the file's frame and a correct CRC here so that
// the fuzzer reaches the items.
//
// Holds: a refused file changes no value; an accepted one leaves a tree whose
// own file loads back to the same tree, bit for bit.
#include "fuzz/Fuzz_check.h"
#include "params/parameters_t.h"
#include "platform/data/NV_file_iterator.h"
#include "platform/io/Binary_message.h"
#include "platform/io/Util.h"
#include "platform/rtos/Debug_base.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using NV_store::NV_iterator;

std::vector<uint8_t> image_of(const NV_store::NV_container& tree)
{
    NV_iterator it;
    it.start_image();
    fuzz_check(tree.serialise(&it) && it.finish_image(), "a tree serialises");
    return it.get_image();
}

bool load(NV_store::NV_container& tree, std::vector<uint8_t> image)
{
    NV_iterator it;
    return it.open_image(std::move(image)) && tree.deserialise(&it);
}

// "1" into every value: a tree far from its defaults, so that a refused
// file that still writes defaults shows.
void set_all_to_one(NV_store::NV_item& item)
{
    if (auto container = dynamic_cast<NV_store::NV_container*>(&item)) {
        for (auto child = container->get_first_child(); child; child = child->get_next_sibling())
            set_all_to_one(*child);
    } else {
        item._from_string("1");
    }
}

std::vector<uint8_t> framed(const uint8_t* payload, size_t size)
{
    std::vector<uint8_t> file{'K', 'X', 'N', 'V', 0, 0, 0, 0, 0, 0};
    Binary_message::set_uint16_le(&file[4], NV_iterator::format_version);
    Binary_message::set_uint32_le(&file[6], uint32_t(size));
    file.insert(file.end(), payload, payload + size);
    uint8_t crc[4];
    Binary_message::set_uint32_le(crc, Util::crc32(0, file.data(), file.size()));
    file.insert(file.end(), crc, crc + 4);
    return file;
}

struct State {
    NV_quvel::parameters_t tree{nullptr, 0, "PS"};
    std::vector<uint8_t> before;
    std::string folder;
    std::string path;

    State()
    {
        Debug_print::set_sink([](const char*) {}); // a complaint for each bad file
        set_all_to_one(tree);
        before = image_of(tree);
        char pattern[] = "/tmp/kx4_fuzz_XXXXXX";
        fuzz_check(mkdtemp(pattern) != nullptr, "a scratch folder is made");
        folder = pattern;
        path = folder + "/params";
    }
    ~State()
    {
        unlink(path.c_str());
        rmdir(folder.c_str());
    }
    void write(const std::vector<uint8_t>& file) const
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));
        fuzz_check(bool(out.flush()), "the scratch file is written");
    }
};

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static State state;
    if (size == 0)
        return 0;
    state.write(data[0] & 1 ? std::vector<uint8_t>(data + 1, data + size) : framed(data + 1, size - 1));

    if (!NV_store::NV_file_iterator::load(state.tree, state.path.c_str())) {
        fuzz_check(image_of(state.tree) == state.before, "a refused file changed no value");
        return 0;
    }
    const std::vector<uint8_t> loaded = image_of(state.tree);
    fuzz_check(load(state.tree, loaded), "the tree's own file loads");
    fuzz_check(image_of(state.tree) == loaded, "the tree's own file loads back to the same values");
    fuzz_check(load(state.tree, state.before), "the starting values load again");
    return 0;
}
