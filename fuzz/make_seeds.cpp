// Writes the binary seed inputs of the fuzz targets into the corpus folder
// given: parameter files built from the tree itself, step lists for the
// ISO 11783, file-server, Task Controller, VT client and slave ECU targets, object pools
// for the pool checker and VT object records.
#include "fuzz/Fs_script.h"
#include "fuzz/Iso_script.h"
#include "fuzz/Slave_script.h"
#include "fuzz/Tc_script.h"
#include "fuzz/Vt_script.h"
#include "params/parameters_t.h"
#include "platform/data/NV_iterator.h"
#include "tests/support/Iop_records.h"
#include "tests/vt_pool/Vt_record_cases.h"
#include "vt_pool/VtObject.h"

#include <cstdio>
#include <fstream>
#include <initializer_list>
#include <list>
#include <string>
#include <utility>
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

// The seeds of one target, each a named step list, written together.
class Seeds {
public:
    explicit Seeds(const char* target) : target_(target) {}
    Script& add(const char* name)
    {
        list_.push_back({name, {}});
        return list_.back().second;
    }
    bool write_to(const std::string& folder) const
    {
        for (const auto& seed : list_)
            if (!write(folder, target_, seed.first, seed.second.bytes))
                return false;
        return true;
    }

private:
    const char* target_;
    std::list<std::pair<const char*, Script>> list_; // a list: a Script stays where add put it
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
    Seeds seeds("iso_receive");
    auto add = [&](const char* name) -> Script& { return seeds.add(name); };
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
    return seeds.write_to(folder);
}

// An answer of the file server to the client's last request: its function
// and TAN, the error and the bytes after them.
Script& fs_reply(Script& s, uint8_t error, std::initializer_list<uint8_t> bytes)
{
    s.step(fs_answer, {0, error}).u16(uint16_t(bytes.size()));
    s.bytes.insert(s.bytes.end(), bytes);
    return s;
}

// A listed directory entry: the name, then attributes, date, time and size.
void entry(Bytes& out, const std::string& name, uint8_t attributes)
{
    out.push_back(uint8_t(name.size()));
    out.insert(out.end(), name.begin(), name.end());
    out.push_back(attributes);
    out.insert(out.end(), 8, 0);
}

bool write_fs_seeds(const std::string& folder)
{
    Seeds seeds("fs_answers");
    // The server's status and properties: connected.
    auto add = [&](const char* name) -> Script& {
        return seeds.add(name).step(fs_status, {0}).step(fs_wait, {5}).step(fs_properties, {3});
    };
    // A file of 20 bytes: open, seek to the end and back, one read, close.
    {
        Script& s = add("read_file").step(fs_read_file, {});
        fs_reply(s, 0, {7});
        fs_reply(s, 0, {0xFF, 20, 0, 0, 0});
        fs_reply(s, 0, {0xFF, 0, 0, 0, 0});
        s.step(fs_answer, {0, 0}).u16(22).u16(20);
        for (uint8_t i = 0; i < 20; ++i)
            s.u8(i);
        fs_reply(s, 0, {});
    }
    // The volumes: change to the root, open it, read two entries, close.
    {
        Script& s = add("list_volumes").step(fs_list, {});
        fs_reply(s, 0, {});
        fs_reply(s, 0, {3});
        Bytes listing{2, 0};
        entry(listing, "USB1", 0x18);
        entry(listing, "SD", 0x18);
        s.step(fs_answer, {0, 0}).u16(uint16_t(listing.size()));
        s.bytes.insert(s.bytes.end(), listing.begin(), listing.end());
        fs_reply(s, 0, {});
    }
    // A missing file; an answer of another function and TAN, then none in time.
    {
        Script& s = add("errors").step(fs_read_file, {});
        fs_reply(s, 4, {});
        s.step(fs_list, {}).step(fs_answer, {3, 0x22, 0x99, 0}).u16(0);
        for (int i = 0; i < 5; ++i) // the server still there, 2.5 s apart
            s.step(fs_wait, {250}).step(fs_status, {0});
    }
    // A busy server, then one that falls silent in the middle of a read.
    {
        Script& s = add("busy_then_silent").step(fs_status, {1}).step(fs_read_file, {});
        fs_reply(s, 0, {7});
        s.step(fs_wait, {200}).step(fs_status, {0}).step(fs_wait, {255}).step(fs_wait, {255}).step(fs_wait, {255});
    }
    // A read cancelled on its way.
    {
        Script& s = add("cancel").step(fs_read_file, {});
        fs_reply(s, 0, {7});
        fs_reply(s, 0, {0xFF, 0, 0x40, 0, 0});
        s.step(fs_cancel, {}).step(fs_wait, {10});
    }
    return seeds.write_to(folder);
}

// A process-data message of the Task Controller: command, element, DDI, value.
Script& pd(Script& s, uint8_t command, uint16_t element, uint16_t ddi, uint32_t value)
{
    s.step(tc_message, {uint8_t(command | element << 4), uint8_t(element >> 4)}).u16(ddi).u32(value);
    return s;
}

// A technical or device-descriptor message: its first byte, then the rest.
Script& tc(Script& s, uint8_t first, std::initializer_list<uint8_t> rest)
{
    s.step(tc_message, {first});
    s.bytes.insert(s.bytes.end(), rest);
    return s;
}

bool write_tc_seeds(const std::string& folder)
{
    Seeds seeds("tc_receive");
    const std::initializer_list<uint8_t> none = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    const std::initializer_list<uint8_t> ok = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    // Found, version 4, no pool held: transfer, activation.
    auto active = [&](const char* name) -> Script& {
        Script& s = seeds.add(name);
        s.step(tc_status, {0}).step(tc_wait, {30});
        tc(s, 0x10, {4, 0xFF, 0x1F, 0x00, 1, 16, 10});
        tc(s, 0x11, none);
        tc(s, 0x51, ok).step(tc_wait, {20});
        tc(s, 0x71, ok);
        return tc(s, 0x91, ok).step(tc_wait, {5});
    };
    // Commands: a value, a request, the default request, intervals, thresholds,
    // an unknown element and DDI, a set with acknowledge, peer control.
    {
        Script& s = active("commands");
        pd(s, 0x3, 0, 141, 1);
        pd(s, 0x2, 0, 119, 0);
        pd(s, 0x2, 0, 0xDFFF, 0);
        pd(s, 0x4, 0, 119, 1000);
        pd(s, 0x5, 0, 119, 100);
        pd(s, 0x6, 0, 119, 5);
        pd(s, 0x7, 0, 119, 50);
        pd(s, 0x8, 0, 119, 1);
        pd(s, 0x3, 0xFFF, 6, 15000);
        pd(s, 0xA, 2, 0xFFFF, 0x80000000);
        pd(s, 0x9, 0, 141, 0);
        s.step(tc_wait, {200});
    }
    // A pool held under other labels: deleted, then transferred.
    {
        Script& s = seeds.add("held_pool");
        s.step(tc_status, {1}).step(tc_wait, {30});
        tc(s, 0x10, {3, 0xFF, 0x1F, 0x00, 1, 16, 10});
        tc(s, 0x11, {1, 2, 3, 4, 5, 6, 7});
        tc(s, 0xB1, ok);
        tc(s, 0x51, ok).step(tc_wait, {20});
        tc(s, 0x71, ok);
        tc(s, 0x91, ok).step(tc_wait, {250});
    }
    // A reset and a disabled client while active; messages short and long.
    {
        Script& s = active("rebuild_disable_sizes");
        s.step(tc_rebuild, {}).step(tc_wait, {10}).step(tc_enable, {0}).step(tc_wait, {10}).step(tc_enable, {1});
        s.step(tc_sized, {3, 0x03, 0x00, 141});
        s.step(tc_sized, {12, 0x03, 0x00, 141, 0, 1, 0, 0, 0, 9, 9, 9, 9});
        s.step(tc_wait, {100});
    }
    return seeds.write_to(folder);
}

bool write_slave_seeds(const std::string& folder)
{
    constexpr uint8_t device_info = 0, discrete_inputs = 1, relays = 2, block_probe = 4, value_command = 3;
    Seeds seeds("slave_messages");
    auto add = [&](const char* name) -> Script& { return seeds.add(name); };
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
    return seeds.write_to(folder);
}

bool write_pool_seeds(const std::string& folder)
{
    using namespace iop;
    const std::map<uint16_t, Bytes> sample = sample_pool();
    std::map<uint16_t, Bytes> dangling = sample;
    dangling[1000] = data_mask(1000, 4000, {{12999, 0, 0}, {23000, 0, 0}, {3000, 0, 0}});
    std::map<uint16_t, Bytes> bad_values = sample;
    bad_values[23000] = font(23000, 15);
    bad_values[20000] = picture(20000, 8, 2, 2, 0x04, {8, 1, 7, 2});
    bad_values[2] = working_set(2, 1000, {});
    Bytes cut = join(sample);
    cut.resize(cut.size() - 3);
    return write(folder, "iop_check", "sample_pool", join(sample)) &&
           write(folder, "iop_check", "dangling_and_forbidden", join(dangling)) &&
           write(folder, "iop_check", "values_out_of_range", join(bad_values)) &&
           write(folder, "iop_check", "cut_record", cut);
}


// One record body of every type with every field set, attribute changes,
// and a pool whose objects name one another, with a cycle and a replaced
// object.
bool write_vt_seeds(const std::string& folder)
{
    for (const Record_case& record : record_cases()) {
        Bytes input{0, uint8_t(record.type)};
        const Bytes body = full_record(record);
        input.insert(input.end(), body.begin(), body.end());
        const std::string name = std::string("record_") + VtObject::getTypeName(record.type);
        if (!write(folder, "vt_records", name.c_str(), input))
            return false;
    }
    // An input number: width, scale, an ID it lacks, a size cut short.
    const Bytes number_attributes = bytes("01 09 01 50 00 0A CD CC CC 3D 0E 65 01 00");
    // A picture: its width and options.
    const Bytes picture_attributes = bytes("01 14 01 28 00 02 F2 03 01");
    // WS 10000 shows mask 10001, whose child pointer 10002 and pointer 10003
    // point at each other; number 10005 shows variable 10004, which a later
    // record replaces; list 10006 chooses between the two.
    const Bytes pool = bytes("02"
                             " 10 27 00 01 01 11 27 01 00 00 12 27 00 00 00 00"
                             " 11 27 01 01 FF FF 01 00 12 27 00 00 00 00"
                             " 12 27 1B 13 27"
                             " 13 27 1B 12 27"
                             " 14 27 15 2A 00 00 00"
                             " 15 27 0C 28 00 0C 00 01 FF FF 01 14 27 00 00 00 00 00 00 00 00 00 00 80 3F 00 00 00 00"
                             " 14 27 15 2B 00 00 00"
                             " 16 27 0A 28 00 0C 00 FF FF 00 02 01 00 14 27 15 27");
    return write(folder, "vt_records", "attributes_input_number", number_attributes) &&
           write(folder, "vt_records", "attributes_picture", picture_attributes) &&
           write(folder, "vt_records", "pool_with_cycle_and_replacement", pool);
}
// VT session inputs: messages, each with a 2-byte length. A pool with a
// working set, a mask, a container and pointers, then commands on it; a
// pool whose container holds itself and whose pointer points at itself;
// and every function code without its fields.
Bytes vt_messages(std::initializer_list<const char*> messages)
{
    Bytes out;
    for (const char* message : messages) {
        const Bytes one = bytes(message);
        out.push_back(uint8_t(one.size()));
        out.push_back(uint8_t(one.size() >> 8));
        out.insert(out.end(), one.begin(), one.end());
    }
    return out;
}

bool write_vt_session_seeds(const std::string& folder)
{
    const Bytes commands = vt_messages({
        "11 01 00 00 01 01 02 00 01 00 00 03 00 00 00 00 00"
        " 02 00 01 01 FF FF 02 00 03 00 05 00 05 00 04 00 00 00 00 00"
        " 03 00 03 14 00 14 00 00 01 00 05 00 01 00 01 00"
        " 04 00 1B 03 00 05 00 1B FF FF",
        "12",
        "A0 03 00 00",
        "A5 02 00 03 00 80 7E",
        "A8 04 00 FF 05 00",
        "AF 02 00 02 FF FF",
        "D0 61 62 63 64 65 66 67",
        "B2",
        "D1 61 62 63 64 65 66 67",
        "DF",
        "92",
    });
    const Bytes loops = vt_messages({
        "11 01 00 00 01 01 02 00 00 00 00"
        " 02 00 01 01 FF FF 02 00 06 00 00 00 00 00 07 00 00 00 00 00"
        " 06 00 03 0A 00 0A 00 00 01 00 06 00 00 00 00 00"
        " 07 00 1B 07 00",
        "12",
        "A8 07 00 FF 06 00",
    });
    const Bytes short_requests = vt_messages({"11", "12", "20", "21", "92", "A0", "A1", "A2", "A3", "A4", "A5", "A6",
                                              "A7", "A8", "A9", "AA", "AB", "AC", "AD", "AE", "AF", "B0", "B1", "B2",
                                              "B3", "B4", "C0", "C2", "C3", "C7", "D0", "D1", "D2", "DF", "FF"});
    return write(folder, "vt_session", "pool_and_commands", commands) &&
           write(folder, "vt_session", "pool_with_loops", loops) &&
           write(folder, "vt_session", "short_requests", short_requests);
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
    return write(folder, "vt_library", "screen", screen) && write(folder, "vt_library", "values", values)
           && write(folder, "vt_library", "lists", lists);
}

}

// A VT-to-ECU message of eight bytes.
Script& vt(Script& s, std::initializer_list<uint8_t> bytes)
{
    return s.step(vt_message, bytes);
}

bool write_vt_client_seeds(const std::string& folder)
{
    Seeds seeds("vt_receive");
    // Found, asked, uploaded (no version kept), stored and shown.
    auto shown = [&](const char* name) -> Script& {
        Script& s = seeds.add(name);
        s.step(vt_status, {0}).step(vt_wait, {20});
        vt(s, {192, 4, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
        vt(s, {194, 0xFF, 0xFF, 0xFF, 60, 32, 64, 6});
        vt(s, {195, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0x0F});
        vt(s, {199, 2, 2, 3, 0xE0, 1, 0xE0, 1});
        vt(s, {224, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}).step(vt_wait, {20});
        vt(s, {18, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0xFF});
        vt(s, {208, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0xFF, 0xFF});
        return s.step(vt_status, {1});
    };
    // Activations good and bad: keys, buttons, numbers, strings.
    {
        Script& s = shown("activations");
        vt(s, {0, 1, 0x36, 0x01, 0xC8, 0x00, 0, 0xFF});
        vt(s, {1, 0, 0x58, 0x02, 0xC8, 0x00, 0, 0xFF});
        vt(s, {0, 1, 0x90, 0x01, 0xC8, 0x00, 0, 0xFF});
        vt(s, {5, 0x90, 0x01, 0xFF, 55, 0, 0, 0});
        vt(s, {5, 0x90, 0x01, 0xFF, 101, 0, 0, 0});
        vt(s, {5, 0x92, 0x01, 0xFF, 1, 0, 0, 0});
        vt(s, {8, 0x91, 0x01, 2, 'O', 'K', 0xFF, 0xFF});
        vt(s, {8, 0x91, 0x01, 9, 'A', 'B', 'C', 'D'});
        s.step(vt_sized, {12, 8, 0x91, 0x01, 8, 'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H'});
        s.step(vt_sized, {3, 0, 1, 0x36});
    }
    // Changes with their responses, one refused, one never answered.
    {
        Script& s = shown("changes");
        s.step(vt_change, {0, 7});
        vt(s, {168, 0x93, 0x01, 0, 7, 0, 0, 0});
        s.step(vt_change, {4, 1});
        vt(s, {173, 0xC9, 0x00, 0x02, 0xFF, 0xFF, 0xFF, 0xFF});
        s.step(vt_change, {1, 1}).step(vt_wait, {40});
        s.step(vt_change, {2, 0}).step(vt_change, {3, 1}).step(vt_change, {5, 1});
    }
    // Silent, lost and found again with its version loaded; disabled.
    {
        Script& s = shown("lost_and_loaded");
        s.step(vt_wait, {40}).step(vt_status, {0}).step(vt_wait, {5});
        vt(s, {192, 4, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
        vt(s, {194, 0xFF, 0xFF, 0xFF, 60, 32, 64, 6});
        vt(s, {195, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0x0F});
        vt(s, {199, 2, 2, 3, 0xE0, 1, 0xE0, 1});
        s.step(vt_sized, {9, 224, 1, '0', '0', '0', '0', '0', '0', '0'});
        vt(s, {209, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0xFF, 0xFF});
        s.step(vt_enable, {0}).step(vt_wait, {20}).step(vt_enable, {1}).step(vt_wait, {20});
    }
    // Not enough memory; a refused pool.
    {
        Script& s = seeds.add("refusals");
        s.step(vt_status, {0}).step(vt_wait, {20});
        vt(s, {192, 4, 1, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
        s.step(vt_wait, {50});
        vt(s, {18, 1, 0x94, 0x01, 0xE7, 0x03, 2, 0xFF});
    }
    return seeds.write_to(folder);
}

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CORPUS_FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    const bool written = write_parameter_seeds(folder) && write_iso_seeds(folder) && write_fs_seeds(folder) &&
                         write_tc_seeds(folder) && write_slave_seeds(folder) && write_pool_seeds(folder) &&
                         write_vt_seeds(folder) && write_vt_record_seeds(folder) &&
                         write_vt_session_seeds(folder) && write_vt_client_seeds(folder);
    return written ? 0 : 1;
}
