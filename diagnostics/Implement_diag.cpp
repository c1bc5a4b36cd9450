#include "diagnostics/Implement_diag.h"
#include "data_store/Data_store.h"

#include <algorithm>
#include <initializer_list>
#include <string>

namespace {

// A functionality of the control function: its code, its generation and
// its option byte (0: no option bytes).
struct Functionality {
    uint8_t code;
    uint8_t generation;
    uint8_t options;
};

// 0xFF, the number of functionalities, then each one; at least 8 bytes,
// padded with 0xFF.
Iso11783::Msg_Functionalities functionalities_of(std::initializer_list<Functionality> list)
{
    Iso11783::Msg_Functionalities message;
    uint8_t* at = message.data();
    *at++ = 0xFF;
    *at++ = uint8_t(list.size());
    for (const Functionality& f : list) {
        *at++ = f.code;
        *at++ = f.generation;
        *at++ = f.options ? 1 : 0;
        if (f.options)
            *at++ = f.options;
    }
    message.resize(std::max<size_t>(8, size_t(at - message.data())));
    return message;
}

}

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
    set_identification();
    return Diner::start();
}

void Implement_diag::set_identification()
{
    Iso11783::Msg_ECUIdentification ecu;
    const std::string hardware_id = std::string(36, '0') + "#RQ-71 Board Rev 1.0";
    const char* const ecu_fields[] = {"PXT8812", "00:00:00:00:00:00", "On Cart", "RQ-71", "Vemtra Precision Agriculture",
                                      hardware_id.c_str()};
    for (int i = 0; i < Iso11783::Msg_ECUIdentification::fields; ++i)
        ecu.set_delim_field(i, ecu_fields[i]);
    ecu.pad_delimiters(Iso11783::Msg_ECUIdentification::fields);
    ecu.finish();
    set_ecu_id_response(ecu);

    // Minimum control function, universal terminal working set and task
    // controller section control client, each of the first generation.
    set_functionalities_response(functionalities_of({{0, 1, 0}, {2, 1, 0}, {12, 1, 0}}));

    Iso11783::Msg_ProductIdentification product;
    const char* const product_fields[] = {"Orrvan RQ-71", "Vemtra Precision Agriculture", "RQ-71"};
    for (int i = 0; i < Iso11783::Msg_ProductIdentification::fields; ++i)
        product.set_delim_field(i, product_fields[i]);
    product.finish();
    set_product_id_response(product);

    char version[sizeof store_.body.system.firmware_version.string + 1] = {};
    store_.head.lock();
    std::copy_n(store_.body.system.firmware_version.string, sizeof version - 1, version);
    store_.head.unlock();
    Iso11783::Msg_SoftwareIdentification software;
    software.data()[0] = 1;
    software.set_delim_field(0, version);
    software.finish();
    set_software_id_response(software);
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
