#include "isobus/Tessaryn_tc_model.h"
#include "app/Net_interface.h"
#include "platform/io/Binary_message.h"

#include <cstring>

Tessaryn_tc_model::Tessaryn_tc_model(Data_store& store, NV_quvel::parameters_t* params,
                                     std::unique_ptr<Net_interface> interface)
    : device_(store, params, std::move(interface))
{
}

Tessaryn_tc_model::~Tessaryn_tc_model()
{
    device_.clear();
}

TC_client::Device_element* Tessaryn_tc_model::handle_version(const uint8_t* request, uint8_t* reply)
{
    const uint8_t version = request[1];
    if (version <= 1)
        return nullptr;
    if (version == 2) {
        reply[1] = 2;
        std::memset(reply + 2, 0xFF, 6);
    } else {
        // Version 3: the options byte says documentation, TC-GEO without and
        // with position-based control and TC-SEC; byte 2 (the boot time) is
        // the controller's.
        reply[1] = 3;
        reply[3] = 0;
        Binary_message::set_bit_msb(&reply[3], true, 0);
        Binary_message::set_bit_msb(&reply[3], true, 1);
        Binary_message::set_bit_msb(&reply[3], true, 2);
        Binary_message::set_bit_msb(&reply[3], false, 3);
        Binary_message::set_bit_msb(&reply[3], true, 4);
        reply[4] = 0;
        reply[5] = 1; // booms of section control
        reply[6] = 1; // sections of section control
        reply[7] = 4; // position-based control channels
    }
    device_.build();
    return &device_;
}
