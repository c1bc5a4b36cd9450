#include "bench/Bench_arguments.h"

#include <cstdio>
#include <cstring>

bool bench_arguments(int argc, char** argv, const char* about, int& status)
{
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    status = 0;
    if (argc == 1)
        return true;
    if (argc == 2 && (std::strcmp(argv[1], "-h") == 0 || std::strcmp(argv[1], "--help") == 0)) {
        std::printf("usage: %s\n%s", argv[0], about);
        return false;
    }
    std::fprintf(stderr, "%s: unknown argument %s; see -h\n", argv[0], argv[1]);
    status = 2;
    return false;
}
