#include "orrvan_comms/private/legacy/hw/tessaryn/spi/TTessarynSlaveSPIData.h"

#include <mutex>

namespace Tessaryn_slave_spi {

void TTessarynSlaveSPIData::SetSlaveVersion(const Tessaryn::version_t& version)
{
    std::lock_guard<Owned_mutex> lock(m_mutex);
    m_version = version;
}

void TTessarynSlaveSPIData::SetSlaveIdentity(const Tessaryn::identity_t& identity)
{
    std::lock_guard<Owned_mutex> lock(m_mutex);
    m_identity = identity;
}

Tessaryn::version_t TTessarynSlaveSPIData::GetSlaveVersion() const
{
    std::lock_guard<Owned_mutex> lock(m_mutex);
    return m_version;
}

Tessaryn::identity_t TTessarynSlaveSPIData::GetSlaveIdentity() const
{
    std::lock_guard<Owned_mutex> lock(m_mutex);
    return m_identity;
}

}
