#include "diagnostics/Implement_diag.h"
#include "data_store/Data_store.h"

Implement_diag::Implement_diag(Data_store& store) : Isobus_diagnostics("j1939Diag"), store_(store) {}

Implement_diag::~Implement_diag()
{
    terminate(1, 1000);
    if (watching_)
        store_.head.event_unregister(&get_waiter(), store_.head.offset_of(&store_.body.alarms),
                                     sizeof store_.body.alarms, CDS::reg_change, alarm_word_, nullptr, nullptr);
}

bool Implement_diag::init(module_man& manager, ZEV_smart_stack* stack, const ZEV_name::NAME& name)
{
    Diagnostics::init(manager, stack, name, false, true);
    report_.clear();
    alarm_word_ = CDS::event_word(&store_.body.alarms, sizeof store_.body.alarms);
    store_.head.event_register(&get_waiter(), store_.head.offset_of(&store_.body.alarms), sizeof store_.body.alarms,
                               CDS::reg_change, alarm_word_, nullptr, nullptr);
    watching_ = true;
    return Diner::start();
}

void Implement_diag::handle_timeout(Timeout& timeout)
{
    if (is_report_timer(timeout)) {
        lock(-1);
        report_.set_source(report_source);
        if (report_.get_count() > 0)
            _receive_error_report(report_);
        report_.clear();
        unlock();
    }
    Isobus_diagnostics::handle_timeout(timeout);
}
