#include "messaging/cds/CDS_Remote_Event_handler.h"
#include "messaging/cds/CDS_Remote_Server.h"

#include <mutex>

namespace CDS {
namespace Remote {

void Event_handler::signal_event(bool)
{
    // An item changed again before it left is queued again: each change is sent.
    std::lock_guard<Owned_mutex> guard(server_.watch_lock_);
    for (Peer* peer : peers_)
        peer->pending.push_back(this);
    if (!peers_.empty() && !server_.ticking_.exchange(true) && server_.wake_)
        server_.wake_();
}

}
}
