#pragma once
#include "platform/iso/VT_vtui_pool.h"

#include <cstdint>
#include <memory>
#include <vector>

struct Ui_test_pool_table {
    static constexpr unsigned short slot_count = VT::vtui_pool::common_count + 400;
    VT::VT_obj* table_slots[slot_count] = {};
};

// A pool for screens under test: the library's common objects, a working set
// showing an intro mask, and the objects a test makes, each with the next ID
// from first_id on. record() writes a made ID into a field of an object-ID
// table (anything with an oid), as the code-built pool fills its table. The
// VT gets the objects made before the pool is shown.
class Ui_test_pool : private Ui_test_pool_table, public VT::vtui_pool {
public:
    static constexpr uint16_t first_id = 5000;
    static constexpr uint16_t none = 0xFFFF;

    explicit Ui_test_pool(module_man* man);
    // Ends the client's task before its objects go.
    ~Ui_test_pool() override;

    uint16_t get_working_set_id() const { return working_set_id_; }
    uint16_t get_intro_mask_id() const { return intro_mask_id_; }

    uint16_t data_mask(uint16_t soft_key_mask = none);
    uint16_t alarm_mask(const char* name, uint8_t priority = 1, uint16_t soft_key_mask = none);
    uint16_t soft_key_mask(const std::vector<uint16_t>& keys);
    uint16_t key();
    uint16_t button();
    uint16_t input_number(uint32_t min = 0, uint32_t max = 1000000, int32_t offset = 0, uint16_t variable = none);
    uint16_t output_number(int32_t offset = 0, uint16_t variable = none);
    uint16_t number_variable(uint32_t value = 0);
    uint16_t object_pointer(uint16_t value = none);
    // A list of entries (none for an empty one).
    uint16_t input_list(const std::vector<uint16_t>& items);
    uint16_t output_string(uint16_t length);
    uint16_t input_string(uint8_t length);
    uint16_t container(bool hidden = false);
    uint16_t rectangle(uint16_t fill_attributes);
    uint16_t fill_attributes(uint8_t colour);

    template <class Field>
    static uint16_t record(Field& field, uint16_t id)
    {
        field.oid = id;
        return id;
    }
    // The object of the ID when it is a T, looked up under the pool lock.
    template <class T>
    T* object(uint16_t id) const
    {
        lock_pool();
        T* found = dynamic_cast<T*>(__find_object(id));
        unlock_pool();
        return found;
    }

private:
    uint16_t add(std::unique_ptr<VT::VT_obj> object);
    uint16_t next_id() const { return uint16_t(first_id + objects_.size()); }
    char* text_buffer(size_t length);

    std::vector<std::unique_ptr<VT::VT_obj>> objects_;
    std::vector<std::unique_ptr<char[]>> texts_;
    std::vector<std::shared_ptr<void>> children_;
    uint16_t font_id_ = none;
    uint16_t line_id_ = none;
    uint16_t working_set_id_ = none;
    uint16_t intro_mask_id_ = none;
};
