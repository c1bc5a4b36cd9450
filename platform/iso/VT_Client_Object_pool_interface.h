#pragma once
#include <cstdint>

namespace VT {
namespace Client {

// What the screens ask of the Virtual Terminal through their pool: the mask
// it shows. The caller holds the pool lock.
class Object_pool_interface {
public:
    virtual ~Object_pool_interface() = default;
    virtual void activate_data_mask(uint16_t mask) = 0;
    virtual void activate_alarm_mask(uint16_t mask) = 0;
};

}
}
