#pragma once
#include "orrvan_comms/include/Ecu_type.h"
#include "orrvan_comms/private/include/RQ71_s2_test_slave.h"
#include "orrvan_comms/private/include/RQ71_slave.h"
#include "orrvan_comms/private/include/RQ73_slave.h"

namespace Next_gen {

// An ECU's model element tables, one of each, chosen by its current type.
class Ecu_slave_tables {
public:
    // Types 0 to 2 use RQ71_slave, type 3 RQ71_s2_test_slave, 4 to 8
    // RQ73_slave. A type above 8 (an unknown model, from the wire or the
    // command line) also uses RQ73_slave, so that a table is always in use.
    const Ecu_slave_iface& get_table(Ecu_type type) const;

private:
    RQ73_slave m_rq73;
    RQ71_slave m_rq71;
    RQ71_s2_test_slave m_rq71_s2_test;
};

}
