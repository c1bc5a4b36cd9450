#include "platform/iso/TC_client_Default_pd_coders.h"

namespace TC_client {

namespace {

class Flag_coder : public Process_data_coder<bool> {
public:
    int32_t encode(bool value) const override { return value ? 1 : 0; }
    bool decode(int32_t raw) const override { return raw != 0; }
};

}

template <> const Process_data_coder<bool>* Default_pd_coders<bool>::get()
{
    static const Flag_coder coder;
    return &coder;
}

}
