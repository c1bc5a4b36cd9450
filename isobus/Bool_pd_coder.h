#pragma once
#include "platform/iso/TC_client_Process_data_coder.h"

namespace TC_client {

class Bool_pd_coder : public Process_data_coder<bool> {
public:
    int32_t encode(bool value) const override { return value ? 1 : 0; }
    bool decode(int32_t raw) const override { return raw != 0; }
};

}
