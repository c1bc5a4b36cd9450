#pragma once
#include "isobus/QList_list_facade.h"
#include "platform/iso/TC_client_Device_element.h"
#include "platform/iso/TC_client_Device_element_element.h"

#include <memory>

class Data_store;
class Net_interface;
namespace NV_quvel {
class parameters_t;
}

// The seeder as a Task Controller sees it: the device with its version and
// serial number, and the tree of elements built from the parameters.
class Tessaryn_seeder_dev : public TC_client::Device_element {
public:
    // interface: the network interface whose MAC gives the serial number
    // (null: eth0). Builds the tree.
    Tessaryn_seeder_dev(Data_store& store, NV_quvel::parameters_t* params,
                        std::unique_ptr<Net_interface> interface = nullptr);
    ~Tessaryn_seeder_dev() override;

    // Builds the tree again from the current parameters and store, on the
    // calling thread.
    void build();
    // Frees every element, the root last.
    void clear();

private:
    Data_store& store_;
    NV_quvel::parameters_t* params_;
    // Every element but the root: the root's children.
    TC_client::QList_list_facade<TC_client::Device_element_element> elements_;
};
