#pragma once
#include "platform/data/NV_container.h"
#include "platform/rtos/Bugger.h"

namespace NV_store {

// A fixed array of N records of type T, held in place. Element i is a
// standalone T re-parented to the array under id i, so all elements share
// the type's name ("channel_t") and differ by id.
template <unsigned N, class T>
class NV_item_array : public NV_container {
public:
    NV_item_array(NV_container* parent, NV_root* root, unsigned short id, const char* name)
        : NV_container(parent, root, id, name)
    {
        for (unsigned i = 0; i < N; ++i)
            _set_parent(elements_[i], this, (unsigned short)i);
        _set_root(root);
    }

    item_type_t get_type() const override { return type_item_array; }
    bool children_have_unique_names() const override { return false; }
    static constexpr unsigned size() { return N; }

    // Element index; any index outside 0 to N - 1 stops the program.
    T* operator[](int index) { return &elements_[checked(index)]; }
    const T* operator[](int index) const { return &elements_[checked(index)]; }

protected:
    // The elements are copied one by one; the array itself announces nothing.
    bool assign_from(const NV_item& other, notify_t mode) override
    {
        return assign_children(static_cast<const NV_container&>(other), mode);
    }

private:
    static unsigned checked(int index)
    {
        if (unsigned(index) >= N)
            Bugger::report_bug("index < SIZE");
        return unsigned(index);
    }

    T elements_[N];
};

}
