#pragma once
#include "diagnostics/Diagnostics_messages.h"
#include "diagnostics/Isobus_diagnostics.h"
#include "platform/can/ZEV_name_NAME.h"

#include <cstdint>

class Data_store;

// This controller's diagnostics, "j1939Diag" (task DIAG.j1939Diag). It
// defines no fault entries, so its store stays empty, but the whole service
// runs: DM1 once the fault files are ready and on request, DM2, DM3 and DM11,
// and the fault files. The store's alarms reach its task as change events;
// they do not become trouble codes. It answers the identification requests
// with this ECU's own texts and the program's version.
class Implement_diag : public Isobus_diagnostics {
public:
    // The source address of its own error report.
    static constexpr uint8_t report_source = 79;

    explicit Implement_diag(Data_store& store);
    ~Implement_diag() override;

    // Once, after the address claim: takes the stack, watches the alarms,
    // installs this ECU's identification replies and starts the task.
    bool init(module_man& manager, ZEV_smart_stack* stack, const ZEV_name::NAME& name);
    using Isobus_diagnostics::init;

protected:
    void define_items() override {}
    void handle_timeout(Timeout& timeout) override;

private:
    void set_identification();

    Data_store& store_;
    uint32_t alarm_word_ = 0;
    bool watching_ = false;
    Diagnostics_messages::Msg_RR report_;
};
