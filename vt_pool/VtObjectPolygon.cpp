#include "vt_pool/VtObjectPolygon.h"
#include "vt_pool/VtFieldWalker.h"

namespace {

const VtAttributeId attribute_ids[] = {
    {1, "width"},
    {2, "height"},
    {3, "line_attributes"},
    {4, "fill_attributes"},
    {5, "polygon_type"},
    {101, "size"},
};

}

VtObjectPolygon::VtObjectPolygon(uint16_t oid) : VtObject(oid, 16) {}

void VtObjectPolygon::walk(VtFieldWalker& fields)
{
    fields.size("size", size);
    fields.reference("line_attributes", line_attributes);
    fields.reference("fill_attributes", fill_attributes);
    fields.u8("polygon_type", polygon_type);
    fields.pointCount("n_points", points);
    fields.macroCount("n_macros");
    fields.points("points", points);
    fields.macros("macros");
}

VtAttributeTable VtObjectPolygon::attributes() const
{
    return attribute_ids;
}
