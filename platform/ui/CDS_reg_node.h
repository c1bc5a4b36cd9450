#pragma once

namespace CDS {
class Head;
}

namespace UI {

class User_interface;

// Registers a data store with the user interface for the node's lifetime.
class CDS_reg_node {
public:
    CDS_reg_node(User_interface& ui, CDS::Head& store);
    ~CDS_reg_node();
    CDS_reg_node(const CDS_reg_node&) = delete;
    CDS_reg_node& operator=(const CDS_reg_node&) = delete;

private:
    User_interface& ui_;
};

}
