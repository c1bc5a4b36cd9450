#pragma once

namespace TC_client {

// The way the library reads a list the program keeps: objects in the order
// they go into the device description.
template <class T>
class List_facade {
public:
    virtual ~List_facade() = default;
    virtual int count() const = 0;
    virtual T* element(int index) = 0;
    virtual const T* element(int index) const = 0;
    virtual void append(T* item) = 0;
};

}
