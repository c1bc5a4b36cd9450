// fake_file_server: an ISO 11783-13 file server on a CAN bus, serving the
// subfolders of a folder as its volumes, for the demonstration and for tests
// that run kx4.
#include "tests/support/Fake_file_server.h"
#include "tests/support/Fake_program.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>

namespace {
void usage(FILE* out)
{
    std::fprintf(out, "usage: fake_file_server BUS_SPEC FOLDER [options]\n"
                      "Serves the subfolders of FOLDER as the volumes of a read-only file server on\n"
                      "the bus (\"mem,name=X\" or \"tcp,addr=A,port=P\"), one line per request.\n"
                      "  --address A          the address to claim (default 250)\n"
                      "  --manufacturer N     the manufacturer code of its NAME (default 1111)\n"
                      "  --empty-root         the root lists no volumes\n"
                      "  --open-error CODE    every file open answers this error\n"
                      "  --error-at BYTE      a read that would pass this byte answers error 11\n"
                      "  --silent-at BYTE     a read that would pass this byte makes it fall silent\n"
                      "  --busy               says it is busy and holds every request\n"
                      "Ends on SIGINT or SIGTERM.\n");
}

bool number(const char* text, long long low, long long high, long long& value)
{
    char* end = nullptr;
    value = std::strtoll(text, &end, 10);
    return end && end != text && *end == '\0' && value >= low && value <= high;
}
}

int main(int argc, char** argv)
{
    if (argc < 3) {
        usage(argc > 1 && std::string(argv[1]) == "--help" ? stdout : stderr);
        return argc > 1 && std::string(argv[1]) == "--help" ? 0 : 2;
    }
    const std::string spec = argv[1];
    Fake_file_server::Settings settings;
    settings.folder = argv[2];
    long long address = 250;
    for (int i = 3; i < argc; ++i) {
        const std::string arg = argv[i];
        long long value = 0;
        const bool has_value = i + 1 < argc;
        if (arg == "--empty-root") {
            settings.empty_root = true;
        } else if (arg == "--busy") {
            settings.busy = true;
        } else if (arg == "--address" && has_value && number(argv[i + 1], 0, 253, value)) {
            address = value;
            ++i;
        } else if (arg == "--manufacturer" && has_value && number(argv[i + 1], 0, 2047, value)) {
            settings.manufacturer = uint16_t(value);
            ++i;
        } else if (arg == "--open-error" && has_value && number(argv[i + 1], 1, 255, value)) {
            settings.open_error = uint8_t(value);
            ++i;
        } else if (arg == "--error-at" && has_value && number(argv[i + 1], 0, 0xFFFFFFFFLL, value)) {
            settings.error_at = value;
            ++i;
        } else if (arg == "--silent-at" && has_value && number(argv[i + 1], 0, 0xFFFFFFFFLL, value)) {
            settings.silent_at = value;
            ++i;
        } else {
            std::fprintf(stderr, "fake_file_server: unknown or incomplete argument \"%s\"\n", arg.c_str());
            usage(stderr);
            return 2;
        }
    }
    struct stat st {};
    if (stat(settings.folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        std::fprintf(stderr, "fake_file_server: \"%s\" is not a folder\n", settings.folder.c_str());
        return 2;
    }

    // The signals are taken by sigwait below; the threads inherit the mask.
    const sigset_t stop_signals = block_stop_signals();

    module_man manager;
    ZEV_smart_stack stack;
    if (!join_bus("fake_file_server", spec, manager, stack))
        return 1;
    {
        Fake_file_server server(stack, settings, [](const std::string& line) {
            std::printf("fake_file_server: %s\n", line.c_str());
            std::fflush(stdout);
        });
        if (!server.init(&manager, uint8_t(address)) || !server.start()) {
            std::fprintf(stderr, "fake_file_server: cannot start\n");
            return 1;
        }
        std::printf("fake_file_server: serving %s on %s\n", settings.folder.c_str(), spec.c_str());
        std::fflush(stdout);
        int signal = 0;
        sigwait(&stop_signals, &signal);
    }
    stack.close();
    return 0;
}
