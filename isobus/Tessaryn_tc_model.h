#pragma once
#include "isobus/Tessaryn_seeder_dev.h"
#include "platform/iso/TC_client_Model.h"

// The seeder's answer to a Task Controller: the version it works with and
// the device description, rebuilt at every answered version message.
class Tessaryn_tc_model : public TC_client::Model {
public:
    // interface: as for the device.
    Tessaryn_tc_model(Data_store& store, NV_quvel::parameters_t* params,
                      std::unique_ptr<Net_interface> interface = nullptr);
    ~Tessaryn_tc_model() override;

    // Task Controllers of version 0 and 1 get no answer. From version 2 on
    // the reply states the client's version and options, and the tree is
    // rebuilt on the calling thread (the client's task).
    TC_client::Device_element* handle_version(const uint8_t* request, uint8_t* reply) override;

    Tessaryn_seeder_dev& get_device() { return device_; }

private:
    Tessaryn_seeder_dev device_;
};
