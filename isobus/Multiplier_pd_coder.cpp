#include "isobus/Saturated_int32.h"
#include "platform/iso/TC_client_Multiplier_pd_coder.h"

namespace TC_client {

// Rounded to nearest, ties to even (the default rounding mode).
template <class T>
int32_t Multiplier_pd_coder<T>::encode(T value) const
{
    return saturated_int32(std::rint(double(value) * factor_));
}

template int32_t Multiplier_pd_coder<float>::encode(float) const;
template int32_t Multiplier_pd_coder<double>::encode(double) const;

}
