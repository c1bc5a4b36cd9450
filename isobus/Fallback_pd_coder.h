#pragma once
#include "isobus/Saturated_int32.h"
#include "platform/iso/TC_client_Process_data_coder.h"

namespace TC_client {

// The default coder of float and double: whole units, cut toward zero.
template <class T>
class Fallback_pd_coder : public Process_data_coder<T> {
public:
    int32_t encode(T value) const override { return saturated_int32(double(value)); }
    T decode(int32_t raw) const override { return T(raw); }
};

}
