#include "platform/ui/CDS_reg_node.h"

#include "platform/ui/User_interface.h"

namespace UI {

CDS_reg_node::CDS_reg_node(User_interface& ui, CDS::Head& store)
    : ui_(ui)
{
    ui_.set_store(&store);
}

CDS_reg_node::~CDS_reg_node()
{
    ui_.set_store(nullptr);
}

}
