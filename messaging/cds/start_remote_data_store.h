#pragma once
#include "messaging/cds/CDS_Remote_Server.h"
#include "messaging/cds/Can_gril_Can_gril.h"

#include <memory>

class ZEV_smart_stack;
namespace CDS {
class Head;
}

// Start-up step: serves the store (when it has a lookup tree) and the
// parameter tree on the stack. Does nothing when either object exists.
// At shutdown the gateway goes first, then the server.
void start_remote_data_store(ZEV_smart_stack& stack, std::unique_ptr<CDS::Remote::Server>& server,
                             std::unique_ptr<Can_gril::Can_gril>& gateway, CDS::Head& store,
                             NV_store::NV_root& parameters);
