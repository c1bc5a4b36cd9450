#pragma once

namespace NV_store {
class NV_root;
}

namespace UI {

class User_interface;

// Registers a parameter root with the user interface for the node's lifetime.
class NVS_reg_node {
public:
    NVS_reg_node(User_interface& ui, NV_store::NV_root& root);
    ~NVS_reg_node();
    NVS_reg_node(const NVS_reg_node&) = delete;
    NVS_reg_node& operator=(const NVS_reg_node&) = delete;

private:
    User_interface& ui_;
};

}
