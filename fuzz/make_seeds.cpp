// Writes the binary seed inputs of the fuzz targets into the corpus folder
// given: parameter files built from the tree itself, and step lists for the
// ISO 11783 and slave ECU targets.
#include "fuzz/Iso_script.h"
#include "fuzz/Slave_script.h"
#include "params/parameters_t.h"
#include "platform/data/NV_iterator.h"

#include <cstdio>
#include <fstream>
#include <initializer_list>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

bool write(const std::string& folder, const char* target, const char* name, const Bytes& bytes)
{
    const std::string path = folder + "/" + target + "/" + name;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

// The parameter target's input: a mode byte (1: a whole file, 0: a payload).
Bytes file_input(const NV_store::NV_iterator& it)
{
    Bytes input{1};
    input.insert(input.end(), it.get_image().begin(), it.get_image().end());
    return input;
}

Bytes payload_input(const NV_store::NV_iterator& it)
{
    const Bytes& image = it.get_image();
    Bytes input{0};
    input.insert(input.end(), image.begin() + 10, image.end() - 4); // without the frame and the CRC
    return input;
}

// The tree's top with one of its groups.
void image_of_group(NV_store::NV_iterator& it, const NV_quvel::parameters_t& tree, const NV_store::NV_item& group)
{
    it.start_image();
    it.push_header(tree.get_type_byte(), NV_store::form_container, tree.get_id());
    group.serialise(&it);
    it.close_container();
    it.finish_image();
}

bool write_parameter_seeds(const std::string& folder)
{
    NV_quvel::parameters_t tree(nullptr, 0, "PS");
    tree.app.channels[3]->name._from_string("Wheat");
    tree.system.config_hash.set(0xDEADBEEF);
    NV_store::NV_iterator it;
    it.start_image();
    tree.serialise(&it);
    it.finish_image();
    bool ok = write(folder, "param_file", "tree.file", file_input(it)) &&
              write(folder, "param_file", "tree.payload", payload_input(it));
    image_of_group(it, tree, tree.can);
    ok = ok && write(folder, "param_file", "can.file", file_input(it)) &&
         write(folder, "param_file", "can.payload", payload_input(it));
    image_of_group(it, tree, tree.system);
    return ok && write(folder, "param_file", "system.payload", payload_input(it));
}

// Step lists.
struct Script {
    Bytes bytes;
    Script& step(uint8_t op, std::initializer_list<uint8_t> args)
    {
        bytes.push_back(op);
        bytes.insert(bytes.end(), args);
        return *this;
    }
    Script& u8(uint8_t value)
    {
        bytes.push_back(value);
        return *this;
    }
    Script& u16(uint16_t value) { return u8(uint8_t(value)).u8(uint8_t(value >> 8)); }
    Script& u32(uint32_t value) { return u16(uint16_t(value)).u16(uint16_t(value >> 16)); }
};

// A frame of the raw node: priority 6 (7 for transport), data page, PF, PS
// (destination), source, data.
Script& frame(Script& s, uint8_t pf, uint8_t ps, uint8_t source, std::initializer_list<uint8_t> data,
              uint8_t data_page = 0)
{
    const uint8_t priority = pf >= 0xEB && pf <= 0xEC ? 7 : 6;
    s.step(iso_frame, {uint8_t(priority | data_page << 3), pf, ps, source, uint8_t(data.size())});
    s.bytes.insert(s.bytes.end(), data);
    return s;
}

bool write_iso_seeds(const std::string& folder)
{
    struct Seed {
        const char* name;
        Script script;
    };
    std::vector<Seed> seeds;
    auto add = [&](const char* name) -> Script& {
        seeds.push_back({name, {}});
        return seeds.back().script;
    };
    // Sends between the stacks: one frame, TP, BAM and ETP.
    add("send_frame").step(iso_send_a, {0, 0}).u16(8).step(iso_wait, {10}).step(iso_read, {});
    add("send_tp").step(iso_send_a, {0, 0}).u16(100).step(iso_wait, {10}).step(iso_read, {});
    add("send_bam").step(iso_send_b, {1, 1}).u16(100).step(iso_wait, {100}).step(iso_read, {});
    add("send_etp").step(iso_send_a, {0, 0}).u16(2000).step(iso_wait, {10}).step(iso_read, {});
    // One frame of the registered PGN (data page 1) to a, and one to all.
    {
        Script& s = add("receive_frame");
        frame(s, 0xEF, 0x80, 0x90, {1, 2, 3, 4, 5, 6, 7, 8}, 1);
        frame(s, 0xFF, 0x10, 0x90, {1, 2, 3}).step(iso_read, {});
    }
    // A TP to a from a raw node: RTS of 20 bytes in 3 packets, then the packets.
    {
        Script& s = add("receive_tp");
        frame(s, 0xEC, 0x80, 0x90, {16, 20, 0, 3, 16, 0x00, 0xEF, 0x01});
        for (uint8_t n = 1; n <= 3; ++n)
            frame(s, 0xEB, 0x80, 0x90, {n, 1, 2, 3, 4, 5, 6, 7});
        s.step(iso_wait, {10}).step(iso_read, {});
    }
    // A BAM to all from a raw node, 50 ms between packets.
    {
        Script& s = add("receive_bam");
        frame(s, 0xEC, 0xFF, 0x90, {32, 20, 0, 3, 0xFF, 0x10, 0xFF, 0x00});
        for (uint8_t n = 1; n <= 3; ++n)
            frame(s, 0xEB, 0xFF, 0x90, {n, 1, 2, 3, 4, 5, 6, 7}).step(iso_wait, {5});
        s.step(iso_read, {});
    }
    // An ETP to a from a raw node: RTS of 2000 bytes, a data packet offset,
    // three packets, then silence until it times out.
    {
        Script& s = add("receive_etp");
        frame(s, 0xC8, 0x80, 0x90, {20, 0xD0, 0x07, 0, 0, 0x00, 0xEF, 0x01});
        frame(s, 0xC8, 0x80, 0x90, {22, 3, 0, 0, 0, 0x00, 0xEF, 0x01});
        for (uint8_t n = 1; n <= 3; ++n)
            frame(s, 0xC7, 0x80, 0x90, {n, 1, 2, 3, 4, 5, 6, 7});
        s.step(iso_wait, {200}).step(iso_read, {});
    }
    // Requests: for a registered PGN to a, for the address claim to all.
    {
        Script& s = add("requests");
        frame(s, 0xEA, 0x80, 0x90, {0x00, 0xFE, 0x00});
        frame(s, 0xEA, 0xFF, 0x90, {0x00, 0xEE, 0x00});
        s.step(iso_wait, {30}).step(iso_read, {});
    }
    // A NAME that wins 0x80 from a, then a sends again.
    {
        Script& s = add("lost_address");
        frame(s, 0xEE, 0xFF, 0x80, {0, 0, 0, 0, 0, 0, 0, 0});
        s.step(iso_wait, {30}).step(iso_send_a, {0, 0}).u16(100).step(iso_wait, {10});
    }
    // b aborts a's TP at once.
    {
        Script& s = add("abort");
        s.step(iso_send_a, {0, 0}).u16(100);
        frame(s, 0xEC, 0x80, 0x81, {255, 1, 0xFF, 0xFF, 0xFF, 0x00, 0xEF, 0x01});
        s.step(iso_wait, {200});
    }
    for (const Seed& seed : seeds)
        if (!write(folder, "iso_receive", seed.name, seed.script.bytes))
            return false;
    return true;
}

bool write_slave_seeds(const std::string& folder)
{
    constexpr uint8_t device_info = 0, discrete_inputs = 1, relays = 2, block_probe = 4, value_command = 3;
    struct Seed {
        const char* name;
        Script script;
    };
    std::vector<Seed> seeds;
    auto add = [&](const char* name) -> Script& {
        seeds.push_back({name, {}});
        return seeds.back().script;
    };
    // The handshake to the running state, then a while of running.
    add("running").step(slave_tick, {255}).step(slave_tick, {255});
    // Inputs on while running, then the slave falls silent.
    add("inputs_then_silence")
        .step(slave_tick, {200})
        .step(slave_value, {discrete_inputs})
        .u16(0)
        .u32(0xFFFFFFFF)
        .u8(value_command)
        .step(slave_tick, {10})
        .step(slave_silent, {1})
        .step(slave_tick, {255});
    // A version of another model while running.
    add("version_change")
        .step(slave_tick, {200})
        .step(slave_raw, {1, 8, 0xFE, 0x00, 2, 1, 0, 1, 2, 3})
        .step(slave_tick, {20});
    // Junk: short messages, unknown PGNs and elements.
    add("junk")
        .step(slave_raw, {0, 3, 1, 2, 3})
        .step(slave_raw, {1, 1, 0xFE})
        .step(slave_raw, {1, 8, 0x12, 0x34, 0, 0, 0, 0, 0, 0})
        .step(slave_raw, {2})
        .u32(0x1234)
        .u8(0)
        .step(slave_value, {5})
        .u16(0x777)
        .u16(1)
        .u32(2)
        .u8(value_command)
        .step(slave_tick, {50});
    // Probe values for the analogue and encoder pins, the relays' report, the outputs.
    {
        Script& s = add("probes_and_outputs");
        s.step(slave_tick, {200});
        for (uint16_t index = 0; index < 3; ++index)
            s.step(slave_value, {block_probe}).u16(index).u32(0x41200000).u8(value_command);
        s.step(slave_output, {1}).step(slave_tick, {60});
        s.step(slave_value, {relays}).u16(0).u32(0x3FFFD).u8(value_command);
        s.step(slave_value, {device_info}).u16(0).u32(2).u8(value_command).step(slave_report, {});
        s.step(slave_tick, {60});
    }
    for (const Seed& seed : seeds)
        if (!write(folder, "slave_messages", seed.name, seed.script.bytes))
            return false;
    return true;
}

// ISO 11783-6 object records, written byte by byte.
bool write_vt_record_seeds(const std::string& folder)
{
    const Bytes screen = {
        0x10, 0x27, 0, 0x01, 0x01, 0x11, 0x27, 0x01, 0x00, 0x00, 0x12, 0x27, 0x05, 0x00, 0x05, 0x00, // working set
        0x11, 0x27, 1, 0x01, 0x13, 0x27, 0x02, 0x01, 0x14, 0x27, 0x00, 0x00, 0x00, 0x00, 0x15, 0x27, 0x0A, 0x00,
        0x0A, 0x00, 0x0A, 0x01, // data mask with a macro
        0x13, 0x27, 4, 0x07, 0x01, 0x00, 0x16, 0x27, // soft-key mask
        0x16, 0x27, 5, 0x51, 0x02, 0x00, 0x00,       // key
    };
    const Bytes values = {
        0x20, 0x27, 21, 0x40, 0xE2, 0x01, 0x00,                                                  // number variable
        0x21, 0x27, 22, 0x04, 0x00, 'a', 'b', ' ', ' ',                                          // string variable
        0x22, 0x27, 11, 0x64, 0x00, 0x19, 0x00, 0x0C, 0x23, 0x27, 0x01, 0x21, 0x27, 0x00, 0x00, 0x00, 0x00,
        0x23, 0x27, 23, 0x00, 0x01, 0x01, 0x00, 0x00,                                            // font attributes
        0x24, 0x27, 20, 0x02, 0x00, 0x04, 0x00, 0x02, 0x00, 0x02, 0x04, 0x00, 0x04, 0x00, 0x00, 0x00, 0x00, 0x05,
        0x01, 0x03, 0x02, // picture
    };
    const Bytes lists = {
        0x30, 0x27, 3, 0xF0, 0x00, 0x30, 0x00, 0x00, 0x02, 0x01, 0x31, 0x27, 0x00, 0x00, 0x00, 0x00, 0x32, 0x27,
        0x0A, 0x00, 0x14, 0x00, 0x01, 0x33, // container with a macro
        0x31, 0x27, 10, 0x64, 0x00, 0x14, 0x00, 0xFF, 0xFF, 0x00, 0x02, 0x01, 0x00, 0x32, 0x27, 0xFF, 0xFF,
        0x32, 0x27, 16, 0x0A, 0x00, 0x0A, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x03, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x0A, 0x00, 0x00, 0x00, 0x05, 0x00, 0x0A, 0x00, // polygon
        0x33, 0x27, 28, 0x03, 0x00, 0xA0, 0x30, 0x27, // macro
    };
    return write(folder, "vt_records", "screen", screen) && write(folder, "vt_records", "values", values)
           && write(folder, "vt_records", "lists", lists);
}

}

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CORPUS_FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    return write_parameter_seeds(folder) && write_iso_seeds(folder) && write_slave_seeds(folder)
                   && write_vt_record_seeds(folder)
               ? 0
               : 1;
}
