#include "orrvan_comms/private/include/Ecu_fault.h"

namespace Next_gen {

Ecu_fault::Ecu_fault(std::shared_ptr<Ecu_fault_category> category, QString name, unsigned id)
    : m_category(std::move(category)), m_name(std::move(name)), m_id(id), m_status(this)
{
}

QString Ecu_fault::get_name() const
{
    return m_name;
}

unsigned Ecu_fault::get_id() const
{
    return m_id;
}

Observable_iface<Ecu_fault_iface, bool>& Ecu_fault::get_status()
{
    return m_status;
}

const Ecu_fault_category_iface& Ecu_fault::get_fault_category() const
{
    return *m_category;
}

void Ecu_fault::set_status(bool active)
{
    m_status.set_value(active);
}

}
