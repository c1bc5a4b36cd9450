#include "tests/diagnostics/Isobus_bench.h"
#include "platform/io/Binary_message.h"
#include "platform/io/File_checksummed_data_stream.h"
#include "platform/io/File_util.h"
#include "platform/rtos/Platform.h"

Isobus_bench::Isobus_bench()
{
    for (uint32_t pgn : identification_pgns)
        EXPECT_EQ(tool.stack.register_pgn(pgn, &tool.waiter, nullptr, ZEV_stack::PGN_DATA), 0);
    EXPECT_TRUE(isobus->init(*Diner_info_list::get(), &ecu.stack, Known_names::get_seeder(1), false, true));
    isobus->begin();
}

void Isobus_bench::settle_isobus()
{
    for (int i = 0; i < 3; ++i) {
        bench.settle();
        isobus->run_pending();
    }
}

void Isobus_bench::run_isobus(int ms)
{
    for (int t = 0; t < ms; t += 5) {
        bench.run_for(5);
        settle_isobus();
    }
}

bool Isobus_bench::write_certificate(const std::string& path, const std::vector<Record>& records,
                                     const std::string& stray)
{
    std::string error;
    const size_t slash = path.rfind('/');
    if (slash != std::string::npos && !File_util::make_folders(path.substr(0, slash), error))
        return false;
    File_checksummed_data_stream file;
    if (!file.open_write(path.c_str()))
        return false;
    for (const Record& r : records) {
        uint8_t header[8];
        Binary_message::set_uint32_le(header, r.type);
        Binary_message::set_uint32_le(header + 4, uint32_t(r.length == -1 ? int(r.payload.size()) : r.length));
        file.__write(header, sizeof header);
        file.__write(reinterpret_cast<const uint8_t*>(r.payload.data()), r.payload.size());
    }
    file.__write(reinterpret_cast<const uint8_t*>(stray.data()), stray.size());
    return file.close();
}

std::string Isobus_bench::default_certificate() const
{
    return Platform::instance().get_certificate_dir() + "j1939diag-cert.bin";
}

std::string text_of(const std::vector<uint8_t>& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}
