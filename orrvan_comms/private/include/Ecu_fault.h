#pragma once
#include "orrvan_comms/include/Ecu_fault_iface.h"
#include "orrvan_comms/private/include/Ecu_common.h"
#include "orrvan_comms/private/include/Ecu_fault_category.h"

#include <QString>
#include <cstdint>
#include <memory>

namespace Next_gen {

// A fault keeps its category alive, also after the ECU has let go of it.
class Ecu_fault : public Ecu_fault_iface {
public:
    Ecu_fault(std::shared_ptr<Ecu_fault_category> category, QString name, unsigned id);

    QString get_name() const override;
    unsigned get_id() const override;
    Observable_iface<Ecu_fault_iface, bool>& get_status() override;
    const Ecu_fault_category_iface& get_fault_category() const override;

    // Its observers hear of a change on a later tick of the status.
    void set_status(bool active);

private:
    const std::shared_ptr<Ecu_fault_category> m_category;
    const QString m_name;
    const uint32_t m_id;
    Observable_impl<Ecu_fault_iface, bool> m_status;
};

}
