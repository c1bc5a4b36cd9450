// A line typed at the test console.
//
// Input: the line, without its line end.
//
// Holds: a "get" line changes nothing, in the store or in the parameters;
// no line reads or writes outside what it names (the sanitizers watch).
#include "app/Console_tokens.h"
#include "app/Test_console.h"
#include "data_store/Data_store.h"
#include "fuzz/Fuzz_check.h"
#include "params/parameters_t.h"
#include "platform/data/Dumper.h"
#include "platform/rtos/Debug_base.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

std::string output;

void keep_output(const char* text)
{
    output += text;
}

std::string parameter_text(const NV_quvel::parameters_t& tree)
{
    output.clear();
    Debug::Dumper dumper;
    tree._print(dumper);
    return output;
}

std::vector<uint8_t> store_bytes(const Data_store& store)
{
    const auto* bytes = reinterpret_cast<const uint8_t*>(&store.body);
    return {bytes, bytes + sizeof store.body};
}

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static Data_store store{nullptr, "0.1.0"};
    static NV_quvel::parameters_t parameters(nullptr, 0, "PS");
    static Test_console console(store, parameters);
    Debug_print::set_sink(keep_output);

    std::string line(reinterpret_cast<const char*>(data), size);
    line = line.substr(0, line.find('\0'));
    // The command as the console reads it.
    std::string words = line;
    Console_tokens tokens(&words[0]);
    const char* command = tokens.next(Console_tokens::words);
    // "shutdown" stops the process that runs the console: here, the fuzzer.
    if (command && std::strcmp(command, "shutdown") == 0)
        return 0;
    const bool get = command && std::strcmp(command, "get") == 0;
    store.head.set(store.body.system.alive, true);
    const std::string parameters_before = get ? parameter_text(parameters) : "";
    const std::vector<uint8_t> store_before = get ? store_bytes(store) : std::vector<uint8_t>();

    console.handle_line(line.c_str());

    if (get) {
        fuzz_check(store_bytes(store) == store_before, "a get line leaves the store as it was");
        fuzz_check(parameter_text(parameters) == parameters_before, "a get line leaves the parameters as they were");
    }
    output.clear();
    return 0;
}
