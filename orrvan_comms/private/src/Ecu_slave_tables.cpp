#include "orrvan_comms/private/include/Ecu_slave_tables.h"

namespace Next_gen {

const Ecu_slave_iface& Ecu_slave_tables::get_table(Ecu_type type) const
{
    if (type <= 2)
        return m_rq71;
    if (type == 3)
        return m_rq71_s2_test;
    return m_rq73;
}

}
