#include "vt_pool/model/VtSerial.h"

#include <atomic>

uint32_t nextVtSerial()
{
    static std::atomic<uint32_t> counter{0};
    return ++counter;
}
