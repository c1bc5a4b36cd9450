#pragma once
#include "platform/data/CDS_Access_base.h"
#include "platform/data/CDS_Head.h"
#include "platform/rtos/Bugger.h"

namespace CDS {

// Typed access to one field of a data store, on top of Base (Virt_access: a
// listener on the field's range). Reads and writes take the store's lock; a
// write signals its change while the field still holds the old value.
template <class T, class Base>
class Access : public Base {
    static_assert(std::is_trivially_copyable<T>::value, "store fields are plain data");

public:
    // A null head or item makes an access that reports a bug when used.
    Access(Head* head, T* item)
        : Base(head && item ? Access_base(*head, head->offset_of(item), sizeof(T)) : Access_base()),
          item_(item), head_(head)
    {
    }

    T get() const
    {
        check();
        head_->lock();
        T value = *item_;
        head_->unlock();
        return value;
    }

    void set(const T& value)
    {
        check();
        head_->set(*item_, value);
    }

    T* get_item() const { return item_; }
    Head* get_head() const { return head_; }

private:
    void check() const
    {
        if (!item_ || !head_)
            Bugger::report_bug("CDS: Tried to set with no init");
    }

    T* item_;
    Head* head_;
};

}
