#pragma once
#include "isobus/QList_list_facade.h"
#include "platform/iso/TC_client_Device_element_element.h"
#include "platform/iso/TC_client_Property_element.h"

namespace NV_quvel {
class parameters_t;
}

// Where the seeder hitches to the tractor: the connector's offset and type.
class Connector : public TC_client::Device_element_element {
public:
    explicit Connector(NV_quvel::parameters_t* params);

private:
    TC_client::QList_list_facade<TC_client::Ddi_reference> references_;
    TC_client::Property_element offset_x_;
    TC_client::Property_element offset_y_;
    TC_client::Property_element type_;
};
