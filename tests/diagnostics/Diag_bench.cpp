#include "tests/diagnostics/Diag_bench.h"
#include "platform/io/Binary_message.h"
#include "platform/io/Gril_parser.h"
#include "platform/io/PCFile_data_stream.h"
#include "platform/io/pcf_files.h"

#include <fstream>
#include <iterator>
#include <sys/stat.h>

std::vector<cross_ref_t> definitions(size_t count)
{
    std::vector<cross_ref_t> out;
    for (size_t i = 0; i < count; ++i)
        out.push_back(cross_ref_t{uint32_t(0x10 + i / 100), uint32_t(i % 32), uint16_t(i + 1), uint32_t(1000 + i),
                                  "test entry"});
    return out;
}

Diag_bench::Diag_bench()
{
    setenv("KX4_ROOT", root.path().c_str(), 1);
    for (uint32_t pgn : {Diagnostics::pgn_dm1, Diagnostics::pgn_dm2, uint32_t(0xE800)})
        EXPECT_EQ(tool.stack.register_pgn(pgn, &tool.waiter, nullptr, ZEV_stack::PGN_DATA), 0);
}

Diag_bench::~Diag_bench()
{
    diag.reset();
    unsetenv("KX4_ROOT");
}

Test_diag& Diag_bench::start(std::vector<cross_ref_t> defs, uint8_t report_types)
{
    diag = std::make_unique<Test_diag>(std::move(defs), report_types);
    EXPECT_TRUE(diag->init(*Diner_info_list::get(), &ecu.stack, Known_names::get_seeder(1), false, true));
    diag->begin();
    return *diag;
}

void Diag_bench::settle()
{
    for (int i = 0; i < 3; ++i) {
        bench.settle();
        if (diag)
            diag->run_pending();
    }
}

void Diag_bench::run_for(int ms)
{
    for (int t = 0; t < ms; t += 5) {
        bench.run_for(5);
        settle();
    }
}

void Diag_bench::report(uint8_t source, const std::vector<uint16_t>& codes)
{
    Diagnostics_messages::Msg_RR rr;
    rr.set_source(source);
    for (uint16_t code : codes)
        rr.add_code(code);
    diag->receive_error_report(rr);
}

void Diag_bench::request(uint32_t pgn, uint8_t to)
{
    uint8_t requested[3];
    Binary_message::set_uint24_le(requested, pgn);
    ZEV_header h(tool_address, to, 0xEA00, 6, 0, 3);
    ASSERT_EQ(tool.stack.write_now(h, requested), 0);
    settle();
}

std::vector<Can_frame> Diag_bench::frames(uint32_t pgn, uint8_t from) const
{
    std::vector<Can_frame> out;
    for (const Can_frame& f : wire.heard)
        if (pgn_of(f) == pgn && (f.id & 0xFF) == from)
            out.push_back(f);
    return out;
}

std::vector<std::vector<uint8_t>> Diag_bench::messages(uint32_t pgn)
{
    std::vector<std::vector<uint8_t>> out;
    for (std::vector<uint8_t> m; !(m = tool.read(pgn)).empty();)
        out.push_back(m);
    return out;
}

std::string Diag_bench::file(int n) const
{
    return pcf_path(("j1939Diag" + std::to_string(n) + ".dat").c_str());
}

bool Diag_bench::has_file(int n) const
{
    struct stat st;
    return ::stat(file(n).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::vector<uint8_t> Diag_bench::file_bytes(int n) const
{
    std::ifstream in(file(n), std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void Diag_bench::write_file(int n, const std::vector<uint8_t>& bytes) const
{
    EXPECT_TRUE(pcfIsMounted(nullptr));
    std::ofstream out(file(n), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

std::vector<uint8_t> record(uint8_t source, uint16_t oc, uint16_t err, uint32_t seconds, uint8_t quarter_ms)
{
    Diagnostics_messages::Msg_SP sp;
    sp.set(source, oc, err, seconds, quarter_ms);
    return std::vector<uint8_t>(sp.data(), sp.data() + sp.size);
}

std::vector<Diagnostics_messages::Msg_SP> Diag_bench::records(int n) const
{
    std::vector<Diagnostics_messages::Msg_SP> out;
    PCFile_data_stream stream;
    if (!stream.open_read(("j1939Diag" + std::to_string(n) + ".dat").c_str(), PCFile_data_stream::append_create))
        return out;
    Gril_parser parser(stream);
    uint8_t packet[Gril_parser::max_packet];
    for (int got; (got = parser.get_packet(packet, sizeof packet)) != 0;) {
        out.emplace_back();
        if (got != int(Diagnostics_messages::Msg_SP::size) || !out.back().assign(packet, size_t(got)) ||
            !out.back().is_valid())
            out.pop_back();
    }
    return out;
}
