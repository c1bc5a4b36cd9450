#pragma once
#include "platform/can/ZEV_base_message.h"

// A message whose length may change; new bytes get the fill value.
class ZEV_grow_message : public ZEV_base_message {
public:
    using ZEV_base_message::ZEV_base_message;
    void resize(size_t size, uint8_t fill_value = 0xFF) { bytes_.resize(size, fill_value); }
};
