#pragma once
#include "platform/can/ZEV_name_RAWNAME.h"

#include <array>
#include <cstdint>
#include <vector>

namespace TC_client {

class Device_element;
class Process_data_reference;

// A process-data value as the description publishes it: the element number
// and DDI the Task Controller names it by.
struct Published_value {
    uint16_t element;
    uint16_t ddi;
    Process_data_reference* reference;
};

// The device description as ISO 11783-10 object records: the device (DVC),
// its elements in tree order (DET), then one process-data record (DPD) per
// table entry, one property record (DPT) per property and one presentation
// record (DVP) per presentation, each shared by every element that names it.
struct Ddop {
    static constexpr int label_size = 7;
    static constexpr int max_designator = 32;
    using Label = std::array<uint8_t, label_size>;

    // The localization label every description of this client carries:
    // English, metric units.
    static const Label localization_label;

    // The description of the device, whose working-set master is member.
    // The structure label follows from the records' bytes, so that an
    // unchanged description keeps its label.
    static Ddop write(const Device_element& device, const ZEV_name::RAWNAME& member);

    std::vector<uint8_t> bytes;
    std::vector<Published_value> values;
    Label structure_label{};
    uint16_t element_count = 0;
};

}
