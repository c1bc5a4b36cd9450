// iop_check: reads an ISO 11783-6 object pool file as a version 3 VT would
// and says what it holds and what is wrong with it.
#include "tests/support/Iop_check.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    if (argc != 2 || argv[1][0] == '-') {
        std::fprintf(stderr, "usage: iop_check FILE\n"
                             "Reads the ISO 11783-6 object pool in FILE (records of object ID, type and\n"
                             "attributes, no header) as a version 3 VT and prints the number of objects of\n"
                             "each type and every fault, one line each, with the faulty object, the object\n"
                             "that names it and the End of Object Pool error code (1 type not supported,\n"
                             "2 missing object, 4 any other). Exit status: 0 sound, 1 faulty, 2 unread.\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "iop_check: cannot read \"%s\"\n", argv[1]);
        return 2;
    }
    const std::vector<uint8_t> pool((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const Iop_check check(pool);
    std::printf("%s: %zu objects in %zu bytes\n%s", argv[1], check.objects().size(), pool.size(),
                check.summary().c_str());
    for (const Iop_check::Error& error : check.errors())
        std::printf("object %u, parent %u, code %u: %s\n", error.object, error.parent, unsigned(error.code),
                    error.text.c_str());
    if (check.sound()) {
        std::printf("%s: sound\n", argv[1]);
        return 0;
    }
    std::printf("%s: %zu %s\n", argv[1], check.errors().size(), check.errors().size() == 1 ? "fault" : "faults");
    return 1;
}
