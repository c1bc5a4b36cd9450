#pragma once
#include <cstring>
#include <string>

namespace TC_client {

class Designator;
class Device_element_element;

// The device itself (ISO 11783-10 device object): name, version and serial
// number, and the root of its element tree.
class Device_element {
public:
    Device_element() = default;
    virtual ~Device_element() = default;
    Device_element(const Device_element&) = delete;
    Device_element& operator=(const Device_element&) = delete;

    void set_designator(const Designator* designator) { designator_ = designator; }
    void set_serial(const char* serial) { serial_ = serial; }
    // The text of a field of length bytes: the NULs that fill it are no part of it.
    void set_version(const char* version, unsigned char length) { version_.assign(version, strnlen(version, length)); }
    void set_det_0(Device_element_element* root) { root_ = root; }

    const Designator* get_designator() const { return designator_; }
    const std::string& get_serial() const { return serial_; }
    const std::string& get_version() const { return version_; }
    Device_element_element* get_det_0() const { return root_; }

private:
    const Designator* designator_ = nullptr;
    std::string serial_;
    std::string version_;
    Device_element_element* root_ = nullptr;
};

}
