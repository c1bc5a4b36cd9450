#include "app/Test_console.h"
#include "app/Console_tokens.h"
#include "app/Store_watch.h"
#include "app/seeder_globals.h"
#include "data_store/Data_store.h"
#include "params/parameters_t.h"
#include "platform/data/NV_container.h"
#include "platform/rtos/Debug_base.h"
#include "platform/rtos/Task.h"

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

#include <readline/history.h>
#include <readline/readline.h>

namespace {

bool is_basic(Data_item::item_type_t type)
{
    return (type >= 2 && type <= 12) || type == Data_item::type_uint64 || type == Data_item::type_int64;
}

// A text takes the rest of the line: it may hold blanks, '=' or nothing.
bool is_text(const NV_store::NV_item& item)
{
    return item.get_type() == Data_item::type_char && item.get_class_type() == Data_item::class_array;
}

// The console's end is not the program's.
void say_program_runs_on()
{
    Debug_print::dprint("kx4 runs on without its console; Ctrl-C stops it\n");
}

void console_task(void*)
{
    Test_console console(data_store, parameters);
    console.run(stdin, stdout);
}

// A stop signal ends the program while readline may hold the terminal
// without echo; give the terminal back.
void restore_terminal()
{
    rl_deprep_terminal();
}

// Debug output since the prompt was last shown.
std::atomic<unsigned> output_count{0};
unsigned output_at_prompt = 0;

void count_output(const char* text)
{
    std::fputs(text, stdout);
    std::fflush(stdout);
    ++output_count;
}

// On a terminal the start-up lines, and any later lines of other tasks,
// print below the prompt; readline calls this about ten times a second
// while it waits for a key, on the console's own thread, so the prompt is
// shown again under them once they have stopped coming for a second.
int show_prompt_again()
{
    constexpr int quiet_looks = 10;
    static unsigned last_look = 0;
    static int quiet = 0;
    const unsigned count = output_count;
    quiet = count == last_look ? quiet + 1 : 0;
    last_look = count;
    if (count != output_at_prompt && quiet >= quiet_looks) {
        output_at_prompt = count;
        rl_on_new_line();
        rl_redisplay();
    }
    return 0;
}

}

Test_console::Test_console(Data_store& store, NV_quvel::parameters_t& parameters)
    : store_(store), parameters_(parameters), ds_(store, parameters)
{
}

void Test_console::run(FILE* in, FILE* out)
{
    rl_instream = in;
    rl_outstream = out;
    // The program's own stop handlers must hear SIGINT and SIGTERM at once,
    // whichever thread they reach; readline's would hold them until a key.
    rl_catch_signals = 0;
    for (;;) {
        output_at_prompt = output_count;
        char* line = readline("> ");
        if (!line || !*line) {
            std::free(line);
            Debug_print::dprint("Got nothing!\n");
            say_program_runs_on();
            return;
        }
        add_history(line);
        const bool go_on = handle_line(line);
        std::free(line);
        if (!go_on)
            return;
    }
}

bool Test_console::handle_line(const char* line)
{
    const size_t length = std::strlen(line);
    if (length >= line_size) {
        Debug_print::dprint("Line of %zu characters refused: the console takes at most %zu\n", length,
                            line_size - 1);
    } else {
        char buffer[line_size];
        std::memcpy(buffer, line, length + 1);
        buffer[std::strcspn(buffer, "\n")] = '\0';
        if (!run_command(buffer))
            return false;
    }
    if (!alive()) {
        Debug_print::dprint("shutdown event detected...test console terminating\n");
        return false;
    }
    return true;
}

bool Test_console::run_command(char* buffer)
{
    // The words are cut out of the buffer; the messages show the whole line.
    const std::string input = buffer;
    Console_tokens tokens(buffer);
    const char* command = tokens.next(Console_tokens::words);
    if (!command) {
        report_parse_error(input.c_str());
        return true;
    }
    if (std::strcmp(command, "help") == 0 || std::strcmp(command, "h") == 0) {
        Console_ds::print_help();
        return true;
    }
    if (std::strcmp(command, "quit") == 0) {
        Debug_print::dprint("Exiting test console\n");
        say_program_runs_on();
        return false;
    }
    if (std::strcmp(command, "shutdown") == 0) {
        Debug_print::dprint("Shutting down\n");
        std::raise(SIGTERM);
        return true;
    }
    const bool set = std::strcmp(command, "set") == 0;
    if (!set && std::strcmp(command, "get") != 0) {
        Debug_print::dprint("Received unknown command: [%s]\n", command);
        Debug_print::dprint("See supported commands, enter [help|h]\n");
        return true;
    }
    const char* tree = tokens.next(Console_tokens::words);
    if (tree && std::strcmp(tree, "params") == 0) {
        if (set)
            set_parameter(tokens, input.c_str());
        else
            get_parameter(tokens);
    } else if (tree && std::strcmp(tree, "data_store") == 0) {
        if (set)
            set_store_item(tokens, input.c_str());
        else
            get_store_item(tokens);
    } else if (tree && std::strcmp(tree, "ds") == 0) {
        if (set)
            ds_.set(tokens, input.c_str());
        else
            ds_.get(tokens, input.c_str());
    } else {
        report_parse_error(input.c_str());
    }
    return true;
}

// Follows the names down from the root to the first item with a value, or
// to the last name given; null after naming a name that is not there.
NV_store::NV_item* Test_console::find_parameter(Console_tokens& tokens)
{
    NV_store::NV_item* item = &parameters_;
    while (!is_basic(item->get_type())) {
        auto container = dynamic_cast<NV_store::NV_container*>(item);
        const char* name = container ? tokens.next(Console_tokens::words) : nullptr;
        if (!name)
            break;
        container->lock();
        NV_store::NV_item* child = container->_search(name, '/');
        container->unlock();
        if (!child) {
            Debug_print::dprint("Could not find parameter:%s\n", name);
            return nullptr;
        }
        item = child;
    }
    return item;
}

void Test_console::set_parameter(Console_tokens& tokens, const char* input)
{
    NV_store::NV_item* item = find_parameter(tokens);
    if (!item)
        return;
    const char* value = nullptr;
    if (is_text(*item))
        value = tokens.rest_after('=');
    else if (is_basic(item->get_type()))
        value = tokens.next(Console_tokens::values);
    if (!value) {
        report_parse_error(input);
        return;
    }
    item->lock();
    const bool taken = item->_from_string(value) != nullptr;
    item->unlock();
    if (!taken)
        Debug_print::dprint("Not a value for %s: [%s]\n", item->get_name(), value);
    print_parameter(*item);
}

void Test_console::get_parameter(Console_tokens& tokens)
{
    if (NV_store::NV_item* item = find_parameter(tokens))
        print_parameter(*item);
}

void Test_console::print_parameter(const NV_store::NV_item& item)
{
    item.lock();
    item._print(dumper_);
    item.unlock();
    Debug_print::dprint("\n");
}

void Test_console::set_store_item(Console_tokens& tokens, const char* input)
{
    const char* path = tokens.next(Console_tokens::values);
    const char* value = tokens.next(Console_tokens::values);
    if (!path || !value) {
        report_parse_error(input);
        return;
    }
    CDS::Lookup_item* item = store_.lookup.find_item(path, '.');
    if (!item) {
        Debug_print::dprint("Could not find data store item:%s\n", path);
        return;
    }
    const bool taken = item->from_string(value, store_.head) != nullptr;
    print_store_item(*item);
    if (!taken)
        Debug_print::dprint("Set failed, not a basic type! type=%d\n", int(item->get_type()));
}

void Test_console::get_store_item(Console_tokens& tokens)
{
    const char* path = tokens.next(" ");
    CDS::Lookup_item* item = path ? store_.lookup.find_item(path, '.') : &store_.lookup;
    if (!item) {
        Debug_print::dprint("Could not find data store item:%s\n", path);
        return;
    }
    print_store_item(*item);
}

// Under the store's lock, so that the values printed are the values held.
void Test_console::print_store_item(const CDS::Lookup_item& item)
{
    store_.head.lock();
    item.print(0);
    store_.head.unlock();
}

bool Test_console::alive() const
{
    return store_.head.get(store_.body.system.alive);
}

void start_test_console()
{
    static Task task("STC", 20480, 1, 0);
    std::atexit(restore_terminal);
    if (isatty(STDIN_FILENO) && isatty(STDOUT_FILENO)) {
        Debug_print::set_sink(count_output);
        rl_event_hook = show_prompt_again;
    }
    task.start(5, console_task, nullptr);
}
