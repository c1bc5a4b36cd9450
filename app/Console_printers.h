#pragma once

class Data_store;
namespace NV_quvel {
class parameters_t;
}

// What the console's printers read: the store, each item under its lock,
// and the parameters some lines show beside it.
struct Console_view {
    Data_store& store;
    const NV_quvel::parameters_t& parameters;
};

// Prints the entry index of a group (0 .. count - 1, checked by the caller),
// or every entry for -1.
using Console_printer = void (*)(Console_view& view, int index);

// The entries a printer shows: first_of(index) up to end_of(index, count).
inline int first_of(int index)
{
    return index < 0 ? 0 : index;
}
inline int end_of(int index, int count)
{
    return index < 0 ? count : index + 1;
}

// A line of 79 '=', the title from column 31 between "==" and "==" (79
// characters too), and the line of '=' again.
void print_banner(const char* title);

// The status printers of the store's groups.
void print_channels(Console_view& view, int index);
void print_vehicle(Console_view& view, int index);
void print_operation(Console_view& view, int index);
void print_fans(Console_view& view, int index);
void print_alarms(Console_view& view, int index);
void print_booms(Console_view& view, int index);
