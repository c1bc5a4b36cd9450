#pragma once
#include "orrvan_comms/include/Ecu_fault_category_iface.h"

#include <QString>
#include <cstdint>

namespace Next_gen {

class Ecu_fault_category : public Ecu_fault_category_iface {
public:
    Ecu_fault_category(QString name, unsigned id);

    QString get_name() const override;
    unsigned get_id() const override;

private:
    const QString m_name;
    const uint32_t m_id;
};

}
