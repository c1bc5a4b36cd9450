#pragma once
#include "platform/iso/TC_client_List_facade.h"

#include <QList>

namespace TC_client {

// A list the library reads, kept in a QList of pointers it does not own.
template <class T>
class QList_list_facade : public List_facade<T> {
public:
    int count() const override { return list_.count(); }
    // The non-const QList access detaches a shared list before the element
    // can be changed through it.
    T* element(int index) override { return list_[index]; }
    const T* element(int index) const override { return list_.at(index); }
    void append(T* item) override { list_.append(item); }
    void clear() { list_.clear(); }

private:
    QList<T*> list_;
};

}
