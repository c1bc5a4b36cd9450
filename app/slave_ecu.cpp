#include "app/slave_ecu.h"
#include "app/Store_watch.h"
#include "app/slave_version.h"
#include "data_store/Data_store.h"
#include "orrvan_comms/include/Ecu_entry_points.h"
#include "params/parameters_t.h"
#include "platform/rtos/Debug_base.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

// The remote master mode in which the slave's input is the master switch.
constexpr uint8_t remote_master_from_slave_input = 3;
constexpr unsigned master_switch_connector = 2;
constexpr unsigned master_switch_pin = 1;
constexpr unsigned master_switch_report_ms = 200;

// Checked in every build: the program cannot run without its slave ECU. An
// empty list of NAMEs counts as no slave ECU rather than being indexed.
Next_gen::Ecu_iface& the_slave_ecu(Next_gen::Ecu_manager_iface& manager)
{
    const std::vector<uint64_t> names = manager.get_iso_names();
    Next_gen::Ecu_iface* ecu_slave = names.empty() ? nullptr : &manager.get_ecu(names[0]);
    if (!ecu_slave || !ecu_slave->is_valid()) {
        std::fflush(stdout);
        std::fprintf(stderr, "%s:%d: %s: Assertion `ecu_slave.is_valid()' failed.\n", __FILE__, __LINE__, __func__);
        std::abort();
    }
    return *ecu_slave;
}

}

void start_slave_ecu(const std::string& bus_spec, const std::string& identity_override, Data_store& store,
                     const NV_quvel::parameters_t& parameters)
{
    // Said first: when the bus cannot be reached the library ends the process,
    // and this line tells which of the two buses that was.
    Debug_print::dprint("Connecting to the slave ECUs on \"%s\"\n", bus_spec.c_str());
    Next_gen::Ecu_comms_iface& comms = Next_gen::get_default_comms_iface();
    Next_gen::Ecu_manager_iface& manager = Next_gen::get_ecu_manager();
    manager.initialise(comms, bus_spec, identity_override);
    comms.open();
    manager.detect_ecus();
    Next_gen::Ecu_iface& ecu_slave = the_slave_ecu(manager);

    // Recorded before its status is observed, so that a status observer that
    // comes early cannot have its version wiped by this write.
    ds_ecu_info info{};
    info.iso_name = ecu_slave.get_iso_name();
    store.head.set(store.body.ecu_config.ecu_info[1], info);
    ecu_slave.get_status().register_observer(
        std::make_shared<std::function<void(const Next_gen::Ecu_iface&, const Next_gen::Ecu_status&)>>(
            [&store](const Next_gen::Ecu_iface& ecu, const Next_gen::Ecu_status& status) {
                on_slave_status(store, ecu, status);
            }));

    Next_gen::Ecu_pin_digital_input_iface& input =
        ecu_slave.get_connector(master_switch_connector).get_pin_digital_input(master_switch_pin, "DIG Input 1");
    input.set_active_high(false);
    input.get_value_observer().set_on_time_update_interval(master_switch_report_ms);
    input.get_value_observer().register_observer(
        std::make_shared<std::function<void(const Next_gen::Ecu_pin_digital_input_iface&, const bool&)>>(
            [&store, &parameters](const Next_gen::Ecu_pin_digital_input_iface&, const bool& value) {
                on_master_switch_input(store, parameters, value);
            }));
    Debug_print::dprint("Slave ECU %016llx registered\n", static_cast<unsigned long long>(info.iso_name));
}

void on_slave_status(Data_store& store, const Next_gen::Ecu_iface& ecu, Next_gen::Ecu_status status)
{
    if (status != 1)
        return;
    ds_ecu_info info = store.head.get(store.body.ecu_config.ecu_info[1]);
    info.version = parse_slave_version(ecu.get_firmware_version().toStdString().c_str());
    store.head.set(store.body.ecu_config.ecu_info[1], info);
}

void on_master_switch_input(Data_store& store, const NV_quvel::parameters_t& parameters, bool value)
{
    if (parameters.app.swbox_remote_master_mode.get() == remote_master_from_slave_input)
        store.head.set(store.body.operation.master_switch_active, value);
}
