#pragma once
#include "platform/iso/TC_client_Process_data_coder.h"

namespace TC_client {

// The default coder of int and unsigned int: the raw value is the value.
template <class T>
class Identity_pd_coder : public Process_data_coder<T> {
public:
    int32_t encode(T value) const override { return int32_t(value); }
    T decode(int32_t raw) const override { return T(raw); }
};

}
