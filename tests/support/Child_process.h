#pragma once
#include <functional>
#include <string>

// Runs a function in a forked child with its standard output and error
// captured, for behaviour that ends the process.
struct Child_result {
    std::string output;
    bool exited = false;
    int exit_status = 0;
    int signal = 0; // the signal that ended the child, or 0
};

Child_result run_in_child(const std::function<void()>& body);
