#pragma once
#include "app/Console_printers.h"

class Console_tokens;

// The console's "ds" commands: "get ds.<group>[.<item>][.<index>]" shows a
// group of the store in a readable table, "set ds.<group>.<item>[.<index>]=<value>"
// sets one of the items a service bench changes by hand. Answers and
// messages go to the debug output.
class Console_ds {
public:
    Console_ds(Data_store& store, const NV_quvel::parameters_t& parameters);

    // The words after "get ds" or "set ds"; input is the whole line, for messages.
    void get(Console_tokens& tokens, const char* input);
    void set(Console_tokens& tokens, const char* input);

    static void print_help();

private:
    struct Group;
    struct Item;
    static const Group groups[];
    static const Item diagnostics_items[];
    static const Item monitor_items[];
    static const Item interface_items[];

    static const Group* find_group(const char* name);
    static const Item* find_item(const Item* table, const char* name);

    // Show operations of the groups.
    void show_indexed(Console_tokens& tokens, Console_printer printer, int count);
    void show_channels(Console_tokens& tokens, const char* input);
    void show_vehicle(Console_tokens& tokens, const char* input);
    void show_operation(Console_tokens& tokens, const char* input);
    void show_fans(Console_tokens& tokens, const char* input);
    void show_alarms(Console_tokens& tokens, const char* input);
    void show_diagnostics(Console_tokens& tokens, const char* input);
    void show_monitor(Console_tokens& tokens, const char* input);
    void show_interface(Console_tokens& tokens, const char* input);
    void show_item(const Item* table, const char* label, Console_tokens& tokens, const char* input);

    // Set operations of the groups.
    void set_channel(Console_tokens& tokens, const char* input);
    void set_vehicle(Console_tokens& tokens, const char* input);
    void set_monitor(Console_tokens& tokens, const char* input);
    void set_interface(Console_tokens& tokens, const char* input);
    void set_simulation(Console_tokens& tokens, const char* input);

    // The entry the text names, 0 .. count - 1; false after saying why not.
    static bool entry_of(const char* text, int count, int& index);
    // The same for the next word, which must be there.
    static bool take_index(Console_tokens& tokens, const char* name, int count, int& index);

    Console_view view_;
};
