#include "platform/can/ZEV_name_Listeners.h"
#include "platform/can/ZEV_name_Name_manager.h"

namespace ZEV_name {

const Listen_node* Listeners::Add(const NAME& pattern, waiter_descriptor* waiter)
{
    return names_.add_listener(pattern, waiter);
}

bool Listeners::Remove(const Listen_node* node)
{
    return names_.remove_listener(node);
}

}
