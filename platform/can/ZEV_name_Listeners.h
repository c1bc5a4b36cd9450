#pragma once
#include "platform/can/ZEV_name_Listen_node.h"

namespace ZEV_name {

class Name_manager;

// The watches on NAMEs of one stack. A listener hears (one name event, its
// node's id as code) whenever a matching NAME claims an address, moves to
// another, or loses its address; and once at Add when matching nodes
// already hold addresses, so that none is missed.
class Listeners {
public:
    explicit Listeners(Name_manager& names) : names_(names) {}

    const Listen_node* Add(const NAME& pattern, waiter_descriptor* waiter);
    // False when the node is not (or no longer) one of ours.
    bool Remove(const Listen_node* node);

private:
    Name_manager& names_;
};

}
