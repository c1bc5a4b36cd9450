#include "orrvan_comms/private/include/Ecu_fault_category.h"

namespace Next_gen {

Ecu_fault_category::Ecu_fault_category(QString name, unsigned id) : m_name(std::move(name)), m_id(id)
{
}

QString Ecu_fault_category::get_name() const
{
    return m_name;
}

unsigned Ecu_fault_category::get_id() const
{
    return m_id;
}

}
