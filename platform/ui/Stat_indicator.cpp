#include "platform/ui/Stat_indicator.h"

#include "platform/iso/Object_pool_base.h"
#include "platform/iso/VT_Rectangle_obj.h"

#include <algorithm>

void Stat_indicator::init(Stat_collector* collector)
{
    bind(collector, nullptr);
}

void Stat_indicator::add_client(Client& client)
{
    if (std::find(clients_.begin(), clients_.end(), &client) == clients_.end())
        clients_.push_back(&client);
}

void Stat_indicator::set_state(unsigned int state)
{
    state_ = int(state);
    for (Client* client : clients_) {
        const VT::Rectangle_obj* object = client->get_object();
        const Object_pool_base<VT::VT_obj>* pool = object ? object->get_pool() : nullptr;
        if (pool)
            pool->lock_pool();
        client->set_state(state);
        if (pool)
            pool->unlock_pool();
    }
}
