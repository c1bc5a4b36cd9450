#pragma once
#include "platform/data/CDS_Event_handler.h"

#include <vector>

class Data_item;

namespace CDS {
namespace Remote {

class Server;
struct Peer;

// The server's handler of one watched item: a change queues the item for
// every peer that watches it. Made once per item and kept for the server's
// life; its peer list is guarded by the server's watch lock.
class Event_handler : public CDS::Event_handler {
public:
    Event_handler(Server& server, Data_item& item)
        : server_(server), item_(item)
    {
    }

    // From any task; sends nothing.
    void signal_event(bool changed) override;

    Data_item& get_item() const { return item_; }

private:
    friend class Server;

    Server& server_;
    Data_item& item_;
    std::vector<Peer*> peers_;
};

}
}
