#pragma once
#include "platform/iso/VT_Container_obj.h"
#include "platform/iso/VT_Number_variable_obj.h"
#include "platform/iso/VT_Output_string_obj.h"
#include "platform/iso/VT_Picture_graphic_obj.h"
#include "platform/iso/VT_Working_set_obj.h"
#include "platform/rtos/Debug_base.h"
#include "vt_pool/seeder_ecu_pool/Application_pool.h"

#include <cstring>

// A few fixed objects in the places of the seeder's: the first IDs, the last,
// lists filled after every object exists, and a name that a common object has.
struct Test_fixed_objects {
    static constexpr unsigned short count = 323;
    static constexpr const char* clashing_name = "vtui_line_attributes_256";
    // Says, on debug channel 250, that the fixed objects are being made.
    struct Marker {
        Marker() { Debug_base::print(250, "fixed objects made\n"); }
    };

    Marker marker;
    uint8_t data[2] = {};
    // A 20 x 5 picture
    VT::Picture_graphic_obj picture{1229, "test_picture", 20, 40, 10, 2, 4, 0, sizeof data, 0, data, nullptr};
    VT::Attribute_object_placement ws_children[1];
    VT::Working_set_obj working_set{1230, "test_working_set", 1, 1, 65535, 1, 0, 0, ws_children, nullptr, nullptr};
    VT::Attribute_object_placement container_children[2];
    VT::Container_obj container{1231, "test_container", 40, 40, 0, 2, 0, container_children, nullptr};
    char title_value[5];
    VT::Output_string_obj title{1232, clashing_name, 100, 25, 12, 256, 1, 65535, 0, 5, title_value, 0, nullptr};
    VT::Number_variable_obj last{1551, "test_last", 7};

    template <class F>
    void each(F&& f)
    {
        f(picture);
        f(working_set);
        f(container);
        f(title);
        f(last);
    }
    void fill()
    {
        std::memcpy(data, "\x64\x01", 2); // 100 pixels of colour 1
        ws_children[0] = VT::Attribute_object_placement(1229, 10, 10, 10);
        container_children[0] = VT::Attribute_object_placement(1229, 0, 0, 10);
        container_children[1] = VT::Attribute_object_placement(1232, 1, 2);
        std::memcpy(title_value, "BLANK", 5);
    }
};

using Test_pool = VT::Application_pool<Test_fixed_objects>;
