#include "orrvan_comms/private/include/Ecu_fault_list.h"
#include "platform/rtos/Debug_base.h"

namespace Next_gen {

Ecu_fault_list::Ecu_fault_list(uint64_t ecu_name) : m_ecu_name(ecu_name)
{
}

int Ecu_fault_list::add_fault_category(QString name, unsigned id)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_fault_categories.push_back(std::make_shared<Ecu_fault_category>(std::move(name), id));
    return int(m_fault_categories.size()) - 1;
}

void Ecu_fault_list::add_fault(int category_index, QString name, unsigned id)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (category_index < 0 || size_t(category_index) >= m_fault_categories.size()) {
        Debug_base::print(DEBUG_MODULE, "TEcu::%llx add_fault(%d, %s, %u): no such fault category\n",
                          static_cast<unsigned long long>(m_ecu_name), category_index,
                          name.toUtf8().constData(), id);
        return;
    }
    m_faults.push_back(std::make_shared<Ecu_fault>(m_fault_categories[size_t(category_index)],
                                                   std::move(name), id));
}

void Ecu_fault_list::set_fault_status(unsigned id, bool active)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    for (const auto& fault : m_faults) {
        if (fault->get_id() == id) {
            fault->set_status(active);
            return;
        }
    }
}

std::vector<std::reference_wrapper<Ecu_fault_iface>> Ecu_fault_list::get_all_supported_faults() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<std::reference_wrapper<Ecu_fault_iface>> faults;
    faults.reserve(m_faults.size());
    for (const auto& fault : m_faults)
        faults.emplace_back(*fault);
    return faults;
}

void Ecu_fault_list::tick()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_ticked_faults.assign(m_faults.begin(), m_faults.end());
    }
    for (const auto& fault : m_ticked_faults)
        fault->get_status().tick();
    m_ticked_faults.clear();
}

void Ecu_fault_list::clear()
{
    std::vector<std::shared_ptr<Ecu_fault_category>> categories;
    std::vector<std::shared_ptr<Ecu_fault>> faults;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        categories.swap(m_fault_categories);
        faults.swap(m_faults);
    }
    // Let go outside the lock: the faults' observers go with them, and
    // releasing those runs client code.
}

}
