#pragma once
#include "platform/iso/TC_client_Process_data_coder.h"

namespace TC_client {

// A coder that scales: raw = value x factor. The program defines encode
// (for float and double); decoding divides by the factor.
template <class T>
class Multiplier_pd_coder : public Process_data_coder<T> {
public:
    constexpr explicit Multiplier_pd_coder(double factor)
        : factor_(factor)
    {
    }

    int32_t encode(T value) const override;
    T decode(int32_t raw) const override { return T(raw / factor_); }
    double get_factor() const { return factor_; }

private:
    double factor_;
};

}
