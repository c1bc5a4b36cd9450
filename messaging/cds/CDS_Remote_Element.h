#pragma once
#include <QVariant>

#include <cstdint>
#include <cstdio>
#include <limits>
#include <type_traits>

namespace CDS {
namespace Remote {

// One value of a mirror item, as text and as a QVariant: a bool as "TRUE"
// or "FALSE" and a QVariant bool, a character as itself and an int, other
// whole numbers as decimals and the QVariant int, unsigned int or 64-bit
// type of their signedness, floating values as "%f" and a double.
template <class T>
struct Element {
    // The characters written into text (room bytes with the terminator).
    static int to_text(T value, char* text, int room)
    {
        if (room < 1)
            return 0;
        int n;
        if constexpr (std::is_same<T, bool>::value)
            n = std::snprintf(text, size_t(room), "%s", value ? "TRUE" : "FALSE");
        else if constexpr (std::is_same<T, char>::value)
            n = std::snprintf(text, size_t(room), "%c", value);
        else if constexpr (std::is_floating_point<T>::value)
            n = std::snprintf(text, size_t(room), "%f", double(value));
        else if constexpr (std::is_signed<T>::value)
            n = std::snprintf(text, size_t(room), "%lld", (long long)value);
        else
            n = std::snprintf(text, size_t(room), "%llu", (unsigned long long)value);
        return n < room ? n : room - 1;
    }

    static QVariant to_variant(T value)
    {
        if constexpr (std::is_same<T, bool>::value || std::is_floating_point<T>::value)
            return QVariant(value);
        else if constexpr (sizeof(T) == 8 && std::is_signed<T>::value)
            return QVariant(qlonglong(value));
        else if constexpr (sizeof(T) == 8)
            return QVariant(qulonglong(value));
        else if constexpr (std::is_signed<T>::value)
            return QVariant(int(value));
        else
            return QVariant(uint(value));
    }

    // False when the variant does not convert, or names a number the type
    // cannot hold (it would be stored as another number).
    static bool from_variant(const QVariant& variant, T& value)
    {
        QVariant v = variant;
        if constexpr (std::is_same<T, bool>::value) {
            if (!v.convert(QMetaType::Bool))
                return false;
            value = v.toBool();
        } else if constexpr (std::is_floating_point<T>::value) {
            if (!v.convert(QMetaType::Double))
                return false;
            value = T(v.toDouble());
        } else if constexpr (sizeof(T) == 8 && !std::is_signed<T>::value) {
            if (!v.convert(QMetaType::ULongLong))
                return false;
            value = T(v.toULongLong());
        } else {
            if (!v.convert(QMetaType::LongLong))
                return false;
            const qlonglong n = v.toLongLong();
            if (n < qlonglong(std::numeric_limits<T>::min()) ||
                (sizeof(T) < 8 && n > qlonglong(std::numeric_limits<T>::max())))
                return false;
            value = T(n);
        }
        return true;
    }
};

}
}
