#pragma once
#include "orrvan_comms/private/include/Ecu_fault.h"
#include "orrvan_comms/private/include/Ecu_fault_category.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace Next_gen {

// The faults one ECU supports, grouped in categories, in the order they were
// added. Neither category nor fault IDs need be unique. Faults are declared
// from a test harness's thread while the ECU ticks on the "EcuManager" task,
// so the lists are locked; status observers are called outside the lock.
class Ecu_fault_list {
public:
    // The ECU's NAME, for its debug lines.
    explicit Ecu_fault_list(uint64_t ecu_name);

    // Returns the new category's index, counting from 0.
    int add_fault_category(QString name, unsigned id);
    // A fault of the category at that index, status off. An index that names
    // no category adds nothing and says so on the debug channel.
    void add_fault(int category_index, QString name, unsigned id);
    // Sets the status of the first fault added with that ID; an unknown ID
    // changes nothing.
    void set_fault_status(unsigned id, bool active);
    // The references stay valid until clear().
    std::vector<std::reference_wrapper<Ecu_fault_iface>> get_all_supported_faults() const;
    // Runs each fault's status tick, so that status changes reach observers.
    // Only the ECU's task ticks.
    void tick();
    // Lets go of every fault and category (faults still held elsewhere keep
    // their category).
    void clear();

private:
    const uint64_t m_ecu_name;
    mutable std::mutex m_mutex;
    std::vector<std::shared_ptr<Ecu_fault_category>> m_fault_categories;
    std::vector<std::shared_ptr<Ecu_fault>> m_faults;
    // The tick's own copy of the faults, kept for its capacity.
    std::vector<std::shared_ptr<Ecu_fault>> m_ticked_faults;
};

}
