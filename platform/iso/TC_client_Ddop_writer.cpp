#include "platform/iso/TC_client_Ddop_writer.h"
#include "platform/io/Util.h"
#include "platform/iso/TC_client_Designator.h"
#include "platform/iso/TC_client_Device_element.h"
#include "platform/iso/TC_client_Device_element_element.h"
#include "platform/iso/TC_client_Process_data_element.h"
#include "platform/iso/TC_client_Process_data_reference.h"
#include "platform/iso/TC_client_Property_element.h"
#include "platform/iso/TC_client_Request_default_reference.h"
#include "platform/iso/TC_client_Value_presentation.h"
#include "platform/rtos/Debug_base.h"

#include <algorithm>
#include <cstring>
#include <map>

namespace TC_client {

const Ddop::Label Ddop::localization_label = {'e', 'n', 0x50, 0x00, 0x00, 0x00, 0xFF};

namespace {

constexpr uint16_t no_object = 0xFFFF;
constexpr char locale[] = "en";

class Writer {
public:
    explicit Writer(Ddop& out) : out_(out) {}

    void tag(const char* t) { bytes().insert(bytes().end(), t, t + 3); }
    void u8(uint8_t v) { bytes().push_back(v); }
    void u16(uint16_t v)
    {
        u8(uint8_t(v));
        u8(uint8_t(v >> 8));
    }
    void u32(uint32_t v)
    {
        u16(uint16_t(v));
        u16(uint16_t(v >> 16));
    }
    void text(const char* p, size_t n)
    {
        u8(uint8_t(n));
        bytes().insert(bytes().end(), p, p + n);
    }
    void text(const std::string& s) { text(s.data(), std::min<size_t>(s.size(), 255)); }
    void designator(const Designator* d)
    {
        char buffer[Ddop::max_designator];
        int n = d ? d->get_utf8(locale, buffer, Ddop::max_designator) : 0;
        if (n < 0 || n > Ddop::max_designator)
            n = 0;
        text(buffer, size_t(n));
    }
    std::vector<uint8_t>& bytes() { return out_.bytes; }

private:
    Ddop& out_;
};

// Object ids in the order records are written; 0 is the device.
struct Objects {
    struct Element {
        const Device_element_element* det;
        uint16_t parent;
        std::vector<uint16_t> children; // DPD and DPT ids
    };
    std::vector<Element> elements;
    std::map<const Process_data_element*, uint16_t> dpds;
    std::vector<const Process_data_element*> dpd_order;
    std::map<const Property_element*, uint16_t> dpts;
    std::vector<const Property_element*> dpt_order;
    std::map<const Value_presentation*, uint16_t> dvps;
    std::vector<const Value_presentation*> dvp_order;
    uint16_t request_default = no_object;
};

void collect(const Device_element_element* det, uint16_t parent, Objects& objects)
{
    if (!det)
        return;
    objects.elements.push_back({det, parent, {}});
    const uint16_t id = uint16_t(objects.elements.size()); // DET ids follow the device's 0
    if (const List_facade<Device_element_element>* children = det->get_device_element_list())
        for (int i = 0; i < children->count(); ++i)
            collect(children->element(i), id, objects);
}

}

Ddop Ddop::write(const Device_element& device, const ZEV_name::RAWNAME& member)
{
    Ddop out;
    Objects objects;
    collect(device.get_det_0(), 0, objects);

    // Ids: the device 0, the elements 1..n, then every other object as first met.
    uint16_t next_id = uint16_t(objects.elements.size() + 1);
    auto presentation_id = [&](const Value_presentation* p) -> uint16_t {
        if (!p)
            return no_object;
        auto it = objects.dvps.find(p);
        if (it == objects.dvps.end()) {
            it = objects.dvps.emplace(p, next_id++).first;
            objects.dvp_order.push_back(p);
        }
        return it->second;
    };
    for (size_t e = 0; e < objects.elements.size(); ++e) {
        Objects::Element& element = objects.elements[e];
        List_facade<Ddi_reference>* list = element.det->get_ddi_list();
        for (int i = 0; list && i < list->count(); ++i) {
            Ddi_reference* ref = list->element(i);
            if (auto* pd = dynamic_cast<Process_data_reference*>(ref)) {
                const Process_data_element* entry = pd->get_type();
                if (!entry) {
                    Debug_print::dprint("TC: element %zu: a value without a table entry is left out\n", e);
                    continue;
                }
                auto it = objects.dpds.find(entry);
                if (it == objects.dpds.end()) {
                    it = objects.dpds.emplace(entry, next_id++).first;
                    objects.dpd_order.push_back(entry);
                    presentation_id(entry->get_presentation());
                }
                element.children.push_back(it->second);
                out.values.push_back({uint16_t(e), entry->get_ddi(), pd});
            } else if (auto* property = dynamic_cast<Property_element*>(ref)) {
                auto it = objects.dpts.find(property);
                if (it == objects.dpts.end()) {
                    it = objects.dpts.emplace(property, next_id++).first;
                    objects.dpt_order.push_back(property);
                    presentation_id(property->get_presentation());
                }
                element.children.push_back(it->second);
            } else if (dynamic_cast<Request_default_reference*>(ref)) {
                if (objects.request_default == no_object)
                    objects.request_default = next_id++;
                element.children.push_back(objects.request_default);
            }
        }
    }

    Writer w(out);
    w.tag("DVC");
    w.u16(0);
    w.designator(device.get_designator());
    w.text(device.get_version());
    w.bytes().insert(w.bytes().end(), member.get_bytes(), member.get_bytes() + 8);
    w.text(device.get_serial());
    const size_t label_at = w.bytes().size();
    w.bytes().insert(w.bytes().end(), label_size, 0xFF);
    w.bytes().insert(w.bytes().end(), localization_label.begin(), localization_label.end());

    for (size_t e = 0; e < objects.elements.size(); ++e) {
        const Objects::Element& element = objects.elements[e];
        w.tag("DET");
        w.u16(uint16_t(e + 1));
        w.u8(element.det->get_type());
        w.designator(element.det->get_designator());
        w.u16(uint16_t(e)); // element number
        w.u16(element.parent);
        w.u16(uint16_t(element.children.size()));
        for (uint16_t child : element.children)
            w.u16(child);
    }
    if (objects.request_default != no_object) {
        w.tag("DPD");
        w.u16(objects.request_default);
        w.u16(Request_default_reference::ddi);
        w.u8(0);
        w.u8(0);
        w.text("", 0);
        w.u16(no_object);
    }
    for (const Process_data_element* entry : objects.dpd_order) {
        w.tag("DPD");
        w.u16(objects.dpds[entry]);
        w.u16(entry->get_ddi());
        w.u8(entry->get_properties());
        w.u8(entry->get_triggers());
        w.designator(entry->get_designator());
        w.u16(presentation_id(entry->get_presentation()));
    }
    for (const Property_element* property : objects.dpt_order) {
        w.tag("DPT");
        w.u16(objects.dpts[property]);
        w.u16(property->get_ddi());
        w.u32(uint32_t(property->get_value()));
        w.designator(property->get_designator());
        w.u16(presentation_id(property->get_presentation()));
    }
    for (const Value_presentation* p : objects.dvp_order) {
        w.tag("DVP");
        w.u16(objects.dvps[p]);
        w.u32(uint32_t(p->offset));
        uint32_t scale;
        std::memcpy(&scale, &p->scale, sizeof scale);
        w.u32(scale);
        w.u8(p->decimals);
        w.text(p->unit, std::min<size_t>(std::strlen(p->unit), max_designator));
    }

    const uint32_t crc = Util::crc32(0, out.bytes.data(), out.bytes.size());
    const uint32_t size = uint32_t(out.bytes.size());
    out.structure_label = {uint8_t(crc), uint8_t(crc >> 8), uint8_t(crc >> 16), uint8_t(crc >> 24),
                           uint8_t(size), uint8_t(size >> 8), uint8_t(size >> 16)};
    std::copy(out.structure_label.begin(), out.structure_label.end(), out.bytes.begin() + long(label_at));
    out.element_count = uint16_t(objects.elements.size());
    return out;
}

}
