#pragma once
#include "messaging/cds/CDS_Remote_Struct.h"

namespace CDS {
namespace Remote {

class Client;

// The top of a mirrored tree, owned by the client that built it.
class Root : public Struct {
public:
    Root(const char* name, uint16_t id, Client& client) : Struct(name, id), client_(client) {}
    Client& get_client() const { return client_; }

private:
    Client& client_;
};

}
}
