#pragma once
#include <cstdint>

// The address the seeder claims on the ISOBUS: the stored preferred address,
// unless that cannot be claimed (254, the null address, or 255, the global
// one); then 144, after saying so. The stored value is left as it is.
uint8_t preferred_address(uint8_t stored);
