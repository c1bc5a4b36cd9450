#pragma once
#include "platform/data/CDS_Remote_Receive_buffer.h"
#include "platform/data/CDS_Remote_Send_buffer.h"
#include "platform/data/Data_item_text.h"
#include "platform/data/Dumper.h"
#include "platform/data/NV_iterator.h"
#include "platform/rtos/Bugger.h"

#include <atomic>
#include <cstring>
#include <type_traits>

namespace NV_store {

// A scalar parameter: one value of type T, with the default it was built with.
// Reads and writes are atomic, so any thread may use them without a lock.
template <class T, Data_item::item_type_t type>
class NV_number : public NV_item {
    static_assert(data_item_type_of<T>() == type, "the type code names the value type");

public:
    NV_number(NV_container* parent, unsigned short id, T default_value, const char* name)
        : NV_item(parent, id, name), default_(default_value), value_(default_value)
    {
    }

    item_type_t get_type() const override { return type; }
    form_t get_form() const override { return form_value; }

    T get() const { return value_.load(std::memory_order_relaxed); }
    // Stores the value and notifies when it changed; returns whether it did.
    bool set(T value) { return store(value, notify_set); }
    // Takes the value of other, an item of the same type.
    bool _set(const NV_item& other, notify_t mode)
    {
        if (other.get_type() != type)
            Bugger::report_bug("NV_number::_set from an item of another type");
        return store(static_cast<const NV_number&>(other).get(), mode);
    }
    // Compares as T: a template, so that "item == 0" is not taken for a text.
    template <class U, std::enable_if_t<std::is_arithmetic<U>::value, int> = 0>
    bool operator==(U value) const
    {
        return get() == T(value);
    }
    // True when the text parses to the current value.
    bool operator==(const char* text) const override
    {
        T parsed;
        return Data_item_destringify<T>::from_string(text, parsed) && parsed == get();
    }

    bool set_default(bool flag) override
    {
        if (flag)
            value_.store(default_, std::memory_order_relaxed);
        return true;
    }

    bool serialise(NV_iterator* it) const override
    {
        return it->push_header(get_type_byte(), form_value, get_id()) && it->push_value(get());
    }

    bool deserialise(NV_iterator* it) override
    {
        T value;
        if (!it->pop_header_of(*this) || !it->pop_value(value))
            return false;
        value_.store(value, std::memory_order_relaxed);
        return true;
    }

    int _to_string(char* buffer, int length) const override
    {
        return Data_item_stringify<T>::to_string(get(), buffer, length);
    }

    const char* _from_string(const char* text) override
    {
        T parsed;
        const char* end = Data_item_destringify<T>::from_string(text, parsed);
        if (end)
            store(parsed, notify_set);
        return end;
    }

    using NV_item::_print;
    void _print(Debug::Dumper& dumper, const char* name) const override
    {
        char text[32] = "";
        _to_string(text, sizeof text);
        dumper.value(name, text);
    }

protected:
    bool assign_from(const NV_item& other, notify_t) override { return _set(other, notify_field); }
    bool encode_value(CDS::Remote::Send_buffer& buffer) const override { return buffer.append(get()); }
    // A remote write is a set: listeners hear of it, the saver among them.
    bool decode_value(CDS::Remote::Receive_buffer& buffer) override
    {
        T value;
        if (!buffer.pop(value))
            return false;
        set(value);
        return true;
    }

private:
    bool store(T value, notify_t mode)
    {
        T old = value_.exchange(value, std::memory_order_relaxed);
        // Bits, not numbers: a NaN or a sign of zero is a change the file keeps.
        bool changed = std::memcmp(&old, &value, sizeof(T)) != 0;
        notify_updated(changed, mode);
        return changed;
    }

    const T default_;
    std::atomic<T> value_;
};

}
