// dump_code_pool: writes the seeder's pool, built in code for a 240 x 240
// data mask as start-up builds it, to a file of ISO 11783-6 object records.
#include "vt_pool/VtWriter.h"
#include "vt_pool/build_seeder_pool.h"

#include <cstdio>
#include <memory>

int main(int argc, char** argv)
{
    if (argc != 2 || argv[1][0] == '-') {
        std::fprintf(stderr, "usage: dump_code_pool FILE\n"
                             "Builds the seeder's object pool in code for a 240 x 240 data mask, as start-up\n"
                             "does, and writes its ISO 11783-6 object records (no header) to FILE.\n"
                             "Exit status: 0 written, 1 the pool did not fit its %u bytes, 2 not written.\n",
                     unsigned(seeder_pool_writer_size));
        return 2;
    }
    auto ids = std::make_unique<Seeder_pool_ids>();
    VtWriter writer(seeder_pool_writer_size, nullptr);
    if (!build_seeder_pool(*ids, writer, VtSize(240, 240))) {
        std::fprintf(stderr, "dump_code_pool: the pool does not fit in %u bytes\n", unsigned(seeder_pool_writer_size));
        return 1;
    }
    std::FILE* file = std::fopen(argv[1], "wb");
    const bool written = file && std::fwrite(writer.getData(), 1, writer.getLength(), file) == writer.getLength();
    if (!file || std::fclose(file) != 0 || !written) {
        std::fprintf(stderr, "dump_code_pool: cannot write \"%s\"\n", argv[1]);
        return 2;
    }
    std::printf("%s: %u bytes\n", argv[1], unsigned(writer.getLength()));
    return 0;
}
