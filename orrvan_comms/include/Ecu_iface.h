#pragma once
#include "orrvan_comms/include/Ecu_block_control_iface.h"
#include "orrvan_comms/include/Ecu_connector_iface.h"
#include "orrvan_comms/include/Ecu_fault_iface.h"
#include "orrvan_comms/include/Ecu_input_pin_block_iface.h"
#include "orrvan_comms/include/Ecu_output_pin_block_iface.h"
#include "orrvan_comms/include/Ecu_prop_control_algorithm_block_iface.h"
#include "orrvan_comms/include/Ecu_reg_control_algorithm_block_iface.h"
#include "orrvan_comms/include/Ecu_status.h"
#include "orrvan_comms/include/Ecu_type.h"
#include "orrvan_comms/include/Observable_iface.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace Next_gen {

// One slave ECU: its identity, status, connectors, function blocks and faults.
class Ecu_iface {
public:
    virtual ~Ecu_iface() = default;

    virtual void initialise() = 0;
    virtual void finalise() = 0;
    // False for the null ECU that look-ups return when there is no ECU.
    virtual bool is_valid() const = 0;
    virtual uint64_t get_iso_name() const = 0;
    virtual Observable_iface<Ecu_iface, Ecu_status>& get_status() = 0;
    // "major.minor.patch"
    virtual QString get_firmware_version() const = 0;
    virtual QString get_hardware_description() const = 0;
    virtual QString get_serial_number() const = 0;
    virtual void identify(bool on) = 0;
    virtual bool is_legacy() const = 0;
    virtual Ecu_type get_ecu_type() const = 0;
    virtual std::vector<std::reference_wrapper<Ecu_fault_iface>> get_all_supported_faults() const = 0;
    virtual void power_cycle() = 0;
    // The null connector for an index the ECU does not have.
    virtual Ecu_connector_iface& get_connector(unsigned index) = 0;
    virtual const Ecu_connector_iface& get_connector(unsigned index) const = 0;
    virtual std::vector<std::reference_wrapper<Ecu_connector_iface>> get_connectors() const = 0;
    virtual Ecu_block_control_iface& get_block_controller() = 0;
    // Each call creates a further block, held by the block controller too.
    virtual std::shared_ptr<Ecu_prop_control_algorithm_block_iface> get_prop_control_algorithm_block() = 0;
    virtual std::shared_ptr<Ecu_reg_control_algorithm_block_iface> get_reg_control_algorithm_block() = 0;
    virtual std::shared_ptr<Ecu_input_pin_block_iface> get_pin_block(Ecu_pin_analogue_iface& pin) = 0;
    virtual std::shared_ptr<Ecu_input_pin_block_iface> get_pin_block(Ecu_pin_encoder_input_iface& pin) = 0;
    virtual std::shared_ptr<Ecu_output_pin_block_iface> get_pin_block(Ecu_pin_pwm_output_iface& pin) = 0;
};

}
