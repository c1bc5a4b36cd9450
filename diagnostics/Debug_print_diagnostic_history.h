#pragma once
#include "diagnostics/Diagnostic_history.h"

// Prints the fault history on the diagnostics debug channel.
class Debug_print_diagnostic_history : public Diagnostic_history {
public:
    void _output(uint8_t source, uint16_t oc, uint16_t err, uint32_t seconds, unsigned milliseconds) override;
    void reset() override;
    void notify_done() override;
};
