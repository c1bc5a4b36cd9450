#include "platform/data/Data_item_text.h"
#include "platform/data/Dumper.h"

#include <cctype>
#include <cerrno>
#include <cinttypes>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

namespace {

const char* skip_blanks(const char* p)
{
    while (*p == ' ' || *p == '\t')
        ++p;
    return p;
}

int fit(int written, int length)
{
    return written >= 0 && written < length ? written : 0;
}

template <class T>
int integer_to_string(T value, char* buffer, int length)
{
    if (std::is_signed<T>::value)
        return fit(std::snprintf(buffer, size_t(length), "%" PRId64, int64_t(value)), length);
    return fit(std::snprintf(buffer, size_t(length), "%" PRIu64, uint64_t(value)), length);
}

template <class T>
const char* integer_from_string(const char* text, T& value)
{
    const char* p = skip_blanks(text);
    char* end = nullptr;
    errno = 0;
    if (std::is_signed<T>::value) {
        long long v = std::strtoll(p, &end, 10);
        if (end == p || errno == ERANGE || v < (long long)std::numeric_limits<T>::min() ||
            v > (long long)std::numeric_limits<T>::max())
            return nullptr;
        value = T(v);
    } else {
        // strtoull would skip more white space and then quietly wrap a minus
        // sign into a huge value, so the number must start here.
        if (!std::isdigit(static_cast<unsigned char>(*p)) && *p != '+')
            return nullptr;
        // Decimal or 0x hex, never octal: "010" is ten, as for a signed type.
        const char* digits = p + (*p == '+');
        int base = digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X') ? 16 : 10;
        unsigned long long v = std::strtoull(p, &end, base);
        if (end == p || errno == ERANGE || v > (unsigned long long)std::numeric_limits<T>::max())
            return nullptr;
        value = T(v);
    }
    return end;
}

template <class T>
const char* real_from_string(const char* text, T& value)
{
    const char* p = skip_blanks(text);
    char* end = nullptr;
    errno = 0;
    double v = std::strtod(p, &end);
    if (end == p || errno == ERANGE || !std::isfinite(v))
        return nullptr;
    if (std::is_same<T, float>::value && std::fabs(v) > std::numeric_limits<float>::max())
        return nullptr;
    value = T(v);
    return end;
}

}

template <class T>
int Data_item_stringify<T>::to_string(T value, char* buffer, int length)
{
    if (!buffer || length <= 0)
        return 0;
    if constexpr (std::is_floating_point<T>::value)
        return fit(std::snprintf(buffer, size_t(length), "%g", double(value)), length);
    else if constexpr (std::is_same<T, bool>::value)
        return fit(std::snprintf(buffer, size_t(length), "%d", value ? 1 : 0), length);
    else
        return integer_to_string(value, buffer, length);
}

template <class T>
const char* Data_item_destringify<T>::from_string(const char* text, T& value)
{
    if (!text)
        return nullptr;
    if constexpr (std::is_floating_point<T>::value) {
        return real_from_string(text, value);
    } else if constexpr (std::is_same<T, bool>::value) {
        const char* p = skip_blanks(text);
        for (auto [word, meaning] : {std::pair<const char*, bool>{"true", true}, {"false", false},
                                     {"1", true}, {"0", false}}) {
            size_t n = std::strlen(word);
            if (std::strncmp(p, word, n) == 0) {
                value = meaning;
                return p + n;
            }
        }
        return nullptr;
    } else {
        return integer_from_string(text, value);
    }
}

template struct Data_item_stringify<bool>;
template struct Data_item_stringify<char>;
template struct Data_item_stringify<int8_t>;
template struct Data_item_stringify<uint8_t>;
template struct Data_item_stringify<int16_t>;
template struct Data_item_stringify<uint16_t>;
template struct Data_item_stringify<int32_t>;
template struct Data_item_stringify<uint32_t>;
template struct Data_item_stringify<int64_t>;
template struct Data_item_stringify<uint64_t>;
template struct Data_item_stringify<float>;
template struct Data_item_stringify<double>;
template struct Data_item_destringify<bool>;
template struct Data_item_destringify<char>;
template struct Data_item_destringify<int8_t>;
template struct Data_item_destringify<uint8_t>;
template struct Data_item_destringify<int16_t>;
template struct Data_item_destringify<uint16_t>;
template struct Data_item_destringify<int32_t>;
template struct Data_item_destringify<uint32_t>;
template struct Data_item_destringify<int64_t>;
template struct Data_item_destringify<uint64_t>;
template struct Data_item_destringify<float>;
template struct Data_item_destringify<double>;

void Data_item_array_stringify<char>::print(const char* name, const char* chars, int count, Debug::Dumper& dumper)
{
    dumper.value(name, std::string(chars, strnlen(chars, size_t(count > 0 ? count : 0))).c_str());
}

const char* Data_item_array_destringify<char>::from_string(const char* text, char* chars, int count)
{
    if (!text || count <= 0)
        return nullptr;
    size_t n = std::strlen(text);
    if (n >= size_t(count))
        return nullptr;
    std::memset(chars, 0, size_t(count));
    std::memcpy(chars, text, n);
    return text + n;
}
