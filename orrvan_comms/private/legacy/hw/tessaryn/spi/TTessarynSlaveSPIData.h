#pragma once
#include "orrvan_comms/private/legacy/hw/tessaryn/identity_t.h"
#include "orrvan_comms/private/legacy/hw/tessaryn/version_t.h"
#include "platform/rtos/Owned_mutex.h"

namespace Tessaryn_slave_spi {

// What the SPI link read of the slave processor, behind a lock. Both
// records start dirty: identity -1, version all zero.
class TTessarynSlaveSPIData {
public:
    void SetSlaveVersion(const Tessaryn::version_t& version);
    void SetSlaveIdentity(const Tessaryn::identity_t& identity);
    Tessaryn::version_t GetSlaveVersion() const;
    Tessaryn::identity_t GetSlaveIdentity() const;

private:
    mutable Owned_mutex m_mutex;
    Tessaryn::version_t m_version;
    Tessaryn::identity_t m_identity;
};

}
