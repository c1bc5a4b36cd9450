#pragma once
#include "platform/iso/TC_client_Designator.h"
#include "platform/iso/TC_client_Process_data_element.h"

namespace TC_client {

// A condensed work-state entry: the process data with a name of its own (at
// most 33 characters), which it designates itself with.
class Condensed_work_state_pd_element : public Process_data_element {
public:
    static constexpr int max_text = 33;

    Condensed_work_state_pd_element() { set_designator(&designator_); }

    // Keeps at most max_text characters of the text.
    void set_designator_text(const char* text);

private:
    class Own_designator : public Designator {
    public:
        int get_utf8(const char* locale, char* out, int max) const override;
        char text[max_text + 1] = {};
    };

    Own_designator designator_;
};

}
