#pragma once
#include "app/Console_ds.h"
#include "platform/data/Dumper.h"

#include <cstddef>
#include <cstdio>

class Data_store;
namespace NV_quvel {
class parameters_t;
}
namespace NV_store {
class NV_item;
}
namespace CDS {
class Lookup_item;
}

// The text test console: a line shell for service and bench work that shows
// and sets parameters by path and data-store items by their lookup path,
// shows the store's groups as tables and sets the items a bench changes by
// hand (the "ds" commands), and can stop the program. Its answers go to the
// debug output.
class Test_console {
public:
    // A line, its terminator included, must fit in this many characters.
    static constexpr size_t line_size = 256;

    Test_console(Data_store& store, NV_quvel::parameters_t& parameters);
    Test_console(const Test_console&) = delete;
    Test_console& operator=(const Test_console&) = delete;

    // Reads lines with readline from in (its prompt and echo go to out) and
    // runs them, until quit, the end of the input or an empty line, or
    // alive found cleared after a line.
    void run(FILE* in, FILE* out);
    // Runs one line of input; false when the console ends.
    bool handle_line(const char* line);

private:
    // False for quit.
    bool run_command(char* buffer);
    void set_parameter(Console_tokens& tokens, const char* input);
    void get_parameter(Console_tokens& tokens);
    NV_store::NV_item* find_parameter(Console_tokens& tokens);
    void print_parameter(const NV_store::NV_item& item);
    void set_store_item(Console_tokens& tokens, const char* input);
    void get_store_item(Console_tokens& tokens);
    void print_store_item(const CDS::Lookup_item& item);
    bool alive() const;

    Data_store& store_;
    NV_quvel::parameters_t& parameters_;
    Console_ds ds_;
    Debug::Dumper dumper_;
};

// Starts the console as the task "STC" on standard input and output, working
// on the program's own data store and parameters.
void start_test_console();
