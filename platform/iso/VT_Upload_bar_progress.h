#pragma once
#include "platform/iso/VT_Upload_progress.h"

namespace VT {

class Number_variable_obj;

// Shows the upload in a Number Variable on the scale 0 to 1000 (a bar
// graph's), sent to the VT as a change when the VT shows the pool.
class Upload_bar_progress : public Upload_progress {
public:
    explicit Upload_bar_progress(Number_variable_obj* variable) : variable_(variable) {}
    void report(size_t sent, size_t total) override;

private:
    Number_variable_obj* variable_;
};

}
