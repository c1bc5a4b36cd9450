#include "isobus/Connector.h"
#include "isobus/Element_properties.h"
#include "isobus/Tessaryn_seeder_ddi.h"
#include "params/parameters_t.h"
#include "platform/iso/TC_client_Value_presentation.h"

using namespace TC_client;

namespace {

const Literal_designator connector_text("Connector");

// The hitch that the machine geometry (machine_geometry.geom_type) implies,
// as a connector type code of the data dictionary.
int32_t connector_type(int geometry)
{
    return geometry == 1 || geometry == 2 ? 8 : 3;
}

}

Connector::Connector(NV_quvel::parameters_t* params)
{
    const NV_quvel::machine_geometry_t& geometry = params->app.machine_geometry;
    set_property(offset_x_, 134, x_text, metres_to_mm(geometry.connector_offset.x.get()), &cm_distance_pe);
    references_.append(&offset_x_);
    set_property(offset_y_, 135, y_text, 0, &cm_distance_pe);
    references_.append(&offset_y_);
    set_property(type_, seeder_ddi.connector_type.get_ddi(), *seeder_ddi.connector_type.get_designator(),
                 connector_type(geometry.geom_type.get()));
    references_.append(&type_);

    set_designator(&connector_text);
    set_type(type_connector);
    set_ddi_list(&references_);
}
