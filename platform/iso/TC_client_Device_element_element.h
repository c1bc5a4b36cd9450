#pragma once
#include "platform/iso/TC_client_List_facade.h"

#include <cstdint>

namespace TC_client {

class Ddi_reference;
class Designator;

// One element of the device (ISO 11783-10 device element): its type, its
// name, its properties and process data, and its child elements.
class Device_element_element {
public:
    // Element types.
    static constexpr uint8_t type_device = 1;
    static constexpr uint8_t type_function = 2;
    static constexpr uint8_t type_bin = 3;
    static constexpr uint8_t type_section = 4;
    static constexpr uint8_t type_connector = 6;

    Device_element_element() = default;
    virtual ~Device_element_element() = default;
    Device_element_element(const Device_element_element&) = delete;
    Device_element_element& operator=(const Device_element_element&) = delete;

    void set_type(uint8_t type) { type_ = type; }
    void set_designator(const Designator* designator) { designator_ = designator; }
    void set_ddi_list(List_facade<Ddi_reference>* list) { ddi_list_ = list; }
    void set_device_element_list(List_facade<Device_element_element>* list) { element_list_ = list; }

    uint8_t get_type() const { return type_; }
    const Designator* get_designator() const { return designator_; }
    List_facade<Ddi_reference>* get_ddi_list() const { return ddi_list_; }
    List_facade<Device_element_element>* get_device_element_list() const { return element_list_; }

private:
    uint8_t type_ = 0;
    const Designator* designator_ = nullptr;
    List_facade<Ddi_reference>* ddi_list_ = nullptr;
    List_facade<Device_element_element>* element_list_ = nullptr;
};

}
