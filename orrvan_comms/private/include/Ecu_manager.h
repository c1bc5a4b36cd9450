#pragma once
#include "orrvan_comms/include/Ecu_manager_iface.h"
#include "orrvan_comms/include/Ecu_test_iface.h"
#include "orrvan_comms/private/include/Ecu.h"
#include "orrvan_comms/private/include/Ecu_common.h"
#include "orrvan_comms/private/legacy/hw/tessaryn/spi/Spi_port.h"
#include "platform/rtos/Diner.h"
#include "platform/rtos/Diner_protection.h"
#include "platform/rtos/Timeout.h"

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace Next_gen {

// The library's manager: finds the slave ECU at start-up, keeps every ECU by
// NAME and runs the "EcuManager" task, which every 10 ms ticks the link, each
// ECU in ascending NAME order and the detection countdown.
//
// The task lock guards the ECU map: the task ticks copies of the ECUs taken
// under it, so test operations may add ECUs while the task runs. Ticks are
// one at a time: a test harness's manual ticks wait for the task's.
class Ecu_manager : public Ecu_manager_iface, public Ecu_test_iface, public Diner_protection<Diner> {
public:
    using Spi_port_factory = std::function<std::unique_ptr<Tessaryn_slave_spi::Spi_port>()>;

    // Reads the slave processor on its spidev device.
    Ecu_manager();
    // Reads the slave processor through the ports the factory makes.
    explicit Ecu_manager(Spi_port_factory make_spi_port);
    ~Ecu_manager() override;

    // Ecu_manager_iface
    void initialise(Ecu_comms_iface& comms, std::string bus, std::string identity_override) override;
    void finalise() override;
    void detect_ecus() override;
    Observable_iface<Ecu_manager_iface, Ecu_detect_status>& get_detect_status() override;
    std::vector<uint64_t> get_iso_names() const override;
    Ecu_iface& get_ecu(uint64_t name) const override;
    void reset_ecu_faults() override;

    // Ecu_test_iface
    void tick(unsigned n) override;
    void set_pin(uint64_t name, unsigned connector, unsigned pin, Ecu_pin_value_status status,
                 float value) override;
    void set_pin(uint64_t name, unsigned connector, unsigned pin, Ecu_pin_value_status status, bool value) override;
    void set_pin(uint64_t name, unsigned connector, unsigned pin, Ecu_pin_value_status status,
                 unsigned value) override;
    void add_ecu(uint64_t name, Ecu_version_info version, bool version_fixed) override;
    void add_connector(uint64_t name, QString connector) override;
    void set_fault_status(uint64_t name, unsigned fault, bool active) override;
    int add_fault_category(uint64_t name, QString category, unsigned id) override;
    void add_fault(uint64_t name, int category, QString text, unsigned id) override;
    void set_spi_version(Ecu_version_info version) override;

protected:
    void diner_start() override;
    void diner_stop() override;
    void handle_event(waiter_event& event) override;
    void handle_timeout(Timeout& timeout) override;

private:
    // One 10 ms step; the caller holds the tick mutex.
    void tick_once();
    // Reads identity and version from the slave processor.
    void read_slave_processor();
    uint64_t find_slave_name(Ecu_comms_iface& comms) const;
    // Empties the map and hands over its ECUs, to be let go outside the lock:
    // their observers go with them, and releasing those runs client code.
    std::map<uint64_t, std::shared_ptr<Ecu>> take_ecus();
    // NAME 0 stands for the slave ECU once initialise has found its NAME.
    uint64_t slave_if_0(uint64_t name) const;
    // The ECU of that NAME, or null.
    std::shared_ptr<Ecu> find_ecu(uint64_t name) const;
    template <class T>
    void force_pin(uint64_t name, unsigned connector, unsigned pin, Ecu_pin_value_status status, T value);

    const Spi_port_factory m_make_spi_port;
    Timeout m_tick{true};
    std::atomic<Ecu_comms_iface*> m_comms{nullptr};
    // Held through each tick, so that ticks never overlap.
    std::mutex m_tick_mutex;
    // The tick's own copy of the ECUs, kept for its capacity; under the tick mutex.
    std::vector<std::shared_ptr<Ecu>> m_ticked_ecus;
    std::map<uint64_t, std::shared_ptr<Ecu>> m_ecus;
    Observable_impl<Ecu_manager_iface, Ecu_detect_status> m_detect_status{this};
    std::atomic<uint32_t> m_detect_countdown{1499};
    int32_t m_slave_identity = -1;
    std::atomic<uint64_t> m_slave_name{0};
    bool m_test_version_set = false;
    Ecu_version_info m_version;
};

}
