#pragma once
#include "platform/iso/TC_client_Process_data_coder.h"

namespace TC_client {

// The coder a value of type T uses until it is given another: one shared
// object per type. The library codes bool as 0 or 1; the program supplies
// the others.
template <class T>
struct Default_pd_coders {
    static const Process_data_coder<T>* get();
};

template <> const Process_data_coder<bool>* Default_pd_coders<bool>::get();
template <> const Process_data_coder<int>* Default_pd_coders<int>::get();
template <> const Process_data_coder<unsigned int>* Default_pd_coders<unsigned int>::get();
template <> const Process_data_coder<float>* Default_pd_coders<float>::get();
template <> const Process_data_coder<double>* Default_pd_coders<double>::get();

}
