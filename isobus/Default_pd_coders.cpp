#include "isobus/Fallback_pd_coder.h"
#include "isobus/Identity_pd_coder.h"
#include "platform/iso/TC_client_Default_pd_coders.h"

namespace TC_client {

template <> const Process_data_coder<int>* Default_pd_coders<int>::get()
{
    static const Identity_pd_coder<int> coder;
    return &coder;
}

template <> const Process_data_coder<unsigned int>* Default_pd_coders<unsigned int>::get()
{
    static const Identity_pd_coder<unsigned int> coder;
    return &coder;
}

template <> const Process_data_coder<float>* Default_pd_coders<float>::get()
{
    static const Fallback_pd_coder<float> coder;
    return &coder;
}

template <> const Process_data_coder<double>* Default_pd_coders<double>::get()
{
    static const Fallback_pd_coder<double> coder;
    return &coder;
}

}
