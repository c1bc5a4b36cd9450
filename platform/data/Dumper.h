#pragma once

namespace Debug {

// Receives a walk over items: one value entry per scalar, and lists around
// the elements of arrays and the children of structures. This one prints
// "name = value" lines through the debug printer, indented by list depth.
class Dumper {
public:
    virtual ~Dumper() = default;
    virtual void value(const char* name, const char* text);
    // False refuses the list: the caller then skips its contents.
    virtual bool open_list(const char* name);
    virtual void close_list(const char* name);

private:
    int depth_ = 0;
};

}
