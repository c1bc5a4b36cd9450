#include "platform/ui/NVS_reg_node.h"

#include "platform/ui/User_interface.h"

namespace UI {

NVS_reg_node::NVS_reg_node(User_interface& ui, NV_store::NV_root& root)
    : ui_(ui)
{
    ui_.set_parameter_root(&root);
}

NVS_reg_node::~NVS_reg_node()
{
    ui_.set_parameter_root(nullptr);
}

}
