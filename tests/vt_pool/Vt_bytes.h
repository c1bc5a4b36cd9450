#pragma once
#include "vt_pool/VtReader.h"
#include "vt_pool/VtWriter.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

// "01 D0 07" as bytes.
inline Bytes bytes(const std::string& hex)
{
    Bytes out;
    unsigned value = 0;
    int digits = 0;
    for (char c : hex) {
        if (c == ' ')
            continue;
        value = value * 16 + unsigned(c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10);
        if (++digits == 2) {
            out.push_back(uint8_t(value));
            value = 0;
            digits = 0;
        }
    }
    return out;
}

// Bytes as "01 D0 07", for readable failures.
inline std::string hex(const Bytes& data)
{
    std::string out;
    char part[4];
    for (size_t i = 0; i < data.size(); ++i) {
        std::snprintf(part, sizeof part, i ? " %02X" : "%02X", data[i]);
        out += part;
    }
    return out;
}

inline Bytes written(const VtWriter& writer)
{
    return Bytes(writer.getData(), writer.getData() + writer.getLength());
}

inline void load(VtReader& reader, const Bytes& data)
{
    reader.setData(data.data(), uint32_t(data.size()));
}
