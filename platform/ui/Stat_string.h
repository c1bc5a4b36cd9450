#pragma once
#include "platform/ui/Stat.h"

#include <string>

namespace VT {
class Input_string_obj;
class Output_string_obj;
}

// A text field on an output or input string. The object keeps as many
// characters as it holds and pads the rest.
class Stat_string : public Stat {
public:
    Stat_string() = default;

    // The integer is accepted for the callers' sake only.
    void init(Stat_collector* collector, VT::Output_string_obj* output, VT::vtui_pool* pool, int integer);
    void init(Stat_collector* collector, VT::Input_string_obj* input, VT::vtui_pool* pool, int integer);

    Stat_string& operator=(const char* text);
    // The text as last set or entered (an entry as the VT sent it).
    const std::string& get_text() const { return text_; }

    bool takes(uint16_t object) const override;
    void take_vt_string(const std::string& text) override;
    void send_update(bool all) override;

private:
    void bind_objects(Stat_collector* collector, VT::vtui_pool* pool, VT::Output_string_obj* output,
                      VT::Input_string_obj* input);

    VT::Output_string_obj* output_ = nullptr;
    VT::Input_string_obj* input_ = nullptr;
    std::string text_;
    bool sent_ = false;
};
