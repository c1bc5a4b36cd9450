#include "orrvan_comms/private/include/Ecu_manager.h"
#include "orrvan_comms/private/include/Ecu_null_objects.h"
#include "orrvan_comms/private/include/Ecu_pin_private_iface.h"
#include "orrvan_comms/private/include/Ecu_pin_value_private_iface.h"
#include "orrvan_comms/private/legacy/hw/tessaryn/spi/Spi_handler.h"
#include "orrvan_comms/private/legacy/hw/tessaryn/spi/Spidev_port.h"
#include "orrvan_comms/private/legacy/hw/tessaryn/spi/TTessarynSlaveSPIData.h"
#include "platform/can/Known_names.h"
#include "platform/rtos/Debug_base.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>

namespace Next_gen {

namespace {

constexpr uint32_t detect_ticks = 1499;

// The identity and type of "<identity>,<type>", two decimal numbers.
bool parse_identity_override(const std::string& text, int& identity, int& type)
{
    const size_t comma = text.find(',');
    if (comma == std::string::npos)
        return false;
    // The whole part, without blanks; strtol alone would skip leading ones.
    auto number = [](const std::string& part, int& value) {
        if (part.empty() || std::isspace(static_cast<unsigned char>(part[0])))
            return false;
        char* end = nullptr;
        errno = 0;
        const long parsed = std::strtol(part.c_str(), &end, 10);
        if (errno != 0 || *end != '\0' || parsed < INT_MIN || parsed > INT_MAX)
            return false;
        value = int(parsed);
        return true;
    };
    return number(text.substr(0, comma), identity) && number(text.substr(comma + 1), type);
}

}

Ecu_manager::Ecu_manager()
    : Ecu_manager([] { return std::make_unique<Tessaryn_slave_spi::Spidev_port>(); })
{
}

Ecu_manager::Ecu_manager(Spi_port_factory make_spi_port) : m_make_spi_port(std::move(make_spi_port))
{
}

// The task must end before the members it ticks go.
Ecu_manager::~Ecu_manager() { terminate(1, 1000); }

void Ecu_manager::initialise(Ecu_comms_iface& comms, std::string bus, std::string identity_override)
{
    Debug_base::print(DEBUG_MODULE, "orrvan_comms: EcuManager::Initalise()\n");
    // A second initialise starts afresh: the task must not tick the map it empties.
    terminate(1, 1000);
    m_comms = &comms;
    take_ecus();

    int identity = -1;
    int type_override = -1;
    if (!identity_override.empty() && !parse_identity_override(identity_override, identity, type_override)) {
        std::fprintf(stderr,
                     "orrvan_comms: bad identity override \"%s\", expected \"<identity>,<type>\"; "
                     "reading the slave processor instead\n",
                     identity_override.c_str());
        identity = -1;
        type_override = -1;
    }
    m_slave_identity = identity;
    if (m_slave_identity == -1)
        read_slave_processor();

    comms.initialise(m_slave_identity, bus);
    // The type counts only with an identity of the override's own.
    if (identity > 0 && type_override > 0)
        m_version.ecu_type = uint8_t(type_override);
    if (m_version.ecu_type != 0) {
        m_slave_name = comms.get_slave_iso_name(m_version.ecu_type);
    } else if (const uint64_t found = find_slave_name(comms); found != 0) {
        m_slave_name = found;
    }

    add_ecu(m_slave_name, m_version, m_test_version_set);

    init(Diner_info_list::get(), nullptr, "EcuManager", 50, 20480, true, false);
    submit_timeout(m_tick, int(TICK_INTERVAL_MS));
    start();
}

void Ecu_manager::read_slave_processor()
{
    Tessaryn_slave_spi::TTessarynSlaveSPIData data;
    Tessaryn::identity_t identity;
    Tessaryn::version_t version;
    {
        Tessaryn_slave_spi::Spi_handler handler(m_make_spi_port());
        if (handler.open()) {
            handler.wait_for_identity(identity);
            handler.wait_for_version(version);
            handler.close();
        }
    }
    std::printf("SPI data retrieval success=%d\n", !identity.dirty && !version.dirty ? 1 : 0);
    std::fflush(stdout);
    version.print();
    identity.print();
    data.SetSlaveVersion(version);
    data.SetSlaveIdentity(identity);

    m_slave_identity = data.GetSlaveIdentity().id;
    if (m_test_version_set)
        return;
    const Tessaryn::version_t read = data.GetSlaveVersion();
    m_version.ecu_type = read.ecu_type;
    m_version.ecu_series = read.ecu_series;
    m_version.ecu_firmware_type = read.ecu_firmware_type;
    m_version.major = read.major;
    m_version.minor = read.minor;
    m_version.patch = read.patch;
}

// Without a type the model is not known: the slave is whichever node on the
// link carries one of the two slave NAMEs with the identity. 0 when none does.
uint64_t Ecu_manager::find_slave_name(Ecu_comms_iface& comms) const
{
    const uint64_t nextgen = Known_names::get_tessaryn_nextgen_slave(m_slave_identity).get_value();
    const uint64_t legacy = Known_names::get_tessaryn_slave(m_slave_identity).get_value();
    for (const uint64_t name : comms.get_iso_names())
        if (name == nextgen || name == legacy)
            return name;
    return 0;
}

// The task ends before the link closes, so that no tick uses a closing link.
void Ecu_manager::finalise()
{
    Debug_base::print(DEBUG_MODULE, "orrvan_comms: begin finalise\n");
    terminate(1, 1000);
    if (Ecu_comms_iface* comms = m_comms)
        comms->close();
    for (const auto& entry : take_ecus())
        entry.second->finalise();
    Debug_base::print(DEBUG_MODULE, "orrvan_comms: end finalise\n");
}

void Ecu_manager::detect_ecus()
{
    if (m_detect_status.get_value() != 0)
        return;
    m_detect_countdown = detect_ticks;
    m_detect_status.set_value(1);
    Debug_base::print(DEBUG_MODULE, "orrvan_comms: EcuManager::Detect()\n");
}

Observable_iface<Ecu_manager_iface, Ecu_detect_status>& Ecu_manager::get_detect_status()
{
    return m_detect_status;
}

std::vector<uint64_t> Ecu_manager::get_iso_names() const
{
    Debug_base::print(DEBUG_MODULE, "orrvan_comms: EcuManager::GetNames()\n");
    std::vector<uint64_t> names;
    lock(-1);
    for (const auto& entry : m_ecus)
        names.push_back(entry.first);
    unlock();
    return names;
}

Ecu_iface& Ecu_manager::get_ecu(uint64_t name) const
{
    if (std::shared_ptr<Ecu> ecu = find_ecu(slave_if_0(name)))
        return *ecu;
    return get_ecu_invalid();
}

void Ecu_manager::reset_ecu_faults() {}

void Ecu_manager::tick(unsigned n)
{
    for (unsigned i = 0; i < n; ++i) {
        std::lock_guard<std::mutex> one_at_a_time(m_tick_mutex);
        tick_once();
    }
}

void Ecu_manager::tick_once()
{
    if (Ecu_comms_iface* comms = m_comms)
        comms->tick();
    lock(-1);
    for (const auto& entry : m_ecus)
        m_ticked_ecus.push_back(entry.second);
    unlock();
    for (const auto& ecu : m_ticked_ecus)
        ecu->tick();
    m_ticked_ecus.clear();
    if (m_detect_countdown != 0 && m_detect_status.get_value() == 1 && --m_detect_countdown == 0)
        m_detect_status.set_value(0);
}

template <class T>
void Ecu_manager::force_pin(uint64_t name, unsigned connector, unsigned pin, Ecu_pin_value_status status, T value)
{
    // Holding the ECU keeps its connectors' pins alive for the call.
    const std::shared_ptr<Ecu> ecu = find_ecu(slave_if_0(name));
    if (!ecu)
        return;
    Ecu_pin_iface& target = ecu->get_connector(connector).get_pin(pin);
    if (!target.is_valid())
        return;
    if (auto* private_pin = dynamic_cast<Ecu_pin_private_iface*>(&target))
        private_pin->set_pin_value_status(status);
    if (auto* value_pin = dynamic_cast<Ecu_pin_value_private_iface<T>*>(&target))
        value_pin->set_pin_value(value);
}

void Ecu_manager::set_pin(uint64_t name, unsigned connector, unsigned pin, Ecu_pin_value_status status, float value)
{
    force_pin(name, connector, pin, status, value);
}

void Ecu_manager::set_pin(uint64_t name, unsigned connector, unsigned pin, Ecu_pin_value_status status, bool value)
{
    force_pin(name, connector, pin, status, value);
}

void Ecu_manager::set_pin(uint64_t name, unsigned connector, unsigned pin, Ecu_pin_value_status status,
                          unsigned value)
{
    force_pin(name, connector, pin, status, value);
}

void Ecu_manager::add_ecu(uint64_t name, Ecu_version_info version, bool version_fixed)
{
    auto ecu = std::make_shared<Ecu>(m_comms, name, version, version_fixed);
    std::shared_ptr<Ecu> replaced;
    lock(-1);
    std::shared_ptr<Ecu>& slot = m_ecus[name];
    replaced.swap(slot);
    slot = ecu;
    unlock();
    ecu->initialise();
}

void Ecu_manager::add_connector(uint64_t name, QString connector)
{
    if (std::shared_ptr<Ecu> ecu = find_ecu(name))
        ecu->add_connector(std::move(connector));
}

void Ecu_manager::set_fault_status(uint64_t name, unsigned fault, bool active)
{
    if (std::shared_ptr<Ecu> ecu = find_ecu(name))
        ecu->set_fault_status(fault, active);
}

int Ecu_manager::add_fault_category(uint64_t name, QString category, unsigned id)
{
    if (std::shared_ptr<Ecu> ecu = find_ecu(name))
        return ecu->add_fault_category(std::move(category), id);
    return -1;
}

void Ecu_manager::add_fault(uint64_t name, int category, QString text, unsigned id)
{
    if (std::shared_ptr<Ecu> ecu = find_ecu(name))
        ecu->add_fault(category, std::move(text), id);
}

void Ecu_manager::set_spi_version(Ecu_version_info version)
{
    m_test_version_set = true;
    m_version = version;
}

std::map<uint64_t, std::shared_ptr<Ecu>> Ecu_manager::take_ecus()
{
    std::map<uint64_t, std::shared_ptr<Ecu>> ecus;
    lock(-1);
    ecus.swap(m_ecus);
    unlock();
    return ecus;
}

uint64_t Ecu_manager::slave_if_0(uint64_t name) const
{
    const uint64_t slave = m_slave_name;
    return name == 0 && slave != 0 ? slave : name;
}

std::shared_ptr<Ecu> Ecu_manager::find_ecu(uint64_t name) const
{
    lock(-1);
    const auto found = m_ecus.find(name);
    std::shared_ptr<Ecu> ecu = found == m_ecus.end() ? nullptr : found->second;
    unlock();
    return ecu;
}

void Ecu_manager::diner_start() { Debug_base::print(DEBUG_MODULE, "Ecu_manager::diner_start()\n"); }

void Ecu_manager::diner_stop() { Debug_base::print(DEBUG_MODULE, "Ecu_manager::diner_stop()\n"); }

void Ecu_manager::handle_event(waiter_event& event)
{
    Debug_base::print(DEBUG_MODULE, "Ecu_manager::handle_event  Module:%d Event:%d is unhandled\n", event.module,
                      int(event.code));
}

// The task never waits for a tick run by hand: that tick stands in for its
// own, and the task stays free to end when asked meanwhile.
void Ecu_manager::handle_timeout(Timeout& timeout)
{
    if (&timeout != &m_tick)
        return;
    std::unique_lock<std::mutex> one_at_a_time(m_tick_mutex, std::try_to_lock);
    if (one_at_a_time.owns_lock())
        tick_once();
}

}
