#include "isobus/Cds_pd_reference.h"
#include "isobus/Literal_designator.h"
#include "isobus/QList_list_facade.h"
#include "isobus/Unit_pd_coders.h"
#include "platform/iso/TC_client_Device_element.h"
#include "platform/iso/TC_client_Device_element_element.h"
#include "platform/iso/TC_client_Process_data_element.h"
#include "platform/iso/TC_client_Property_element.h"
#include "platform/iso/TC_client_Request_default_reference.h"

#include <gtest/gtest.h>

using namespace TC_client;

namespace {

// A device of one element, registered as the builders do, read back as the
// controller and the builders' tests read it.
TEST(Device_tree, a_registered_tree_reads_back_in_registration_order)
{
    double width = 0;
    Process_data_element width_entry;
    width_entry.set_ddi(67);
    Literal_designator root_name("Root");

    Request_default_reference request_default;
    Cds_pd_reference<double, false> working_width(nullptr, &width);
    working_width.set_element(width_entry);
    working_width.get_adaptor().set_coder(&Unit_pd_coders<double>::m_to_mm);
    working_width.set_reference_flag(1);
    working_width.set_default_thresholds(Measurement_thresholds());
    Property_element offset;
    offset.set_ddi(134);
    offset.set_value(-500);

    QList_list_facade<Ddi_reference> references;
    references.append(&request_default);
    references.append(&working_width);
    references.append(&offset);
    QList_list_facade<Device_element_element> children;
    Device_element_element root;
    root.set_type(Device_element_element::type_device);
    root.set_designator(&root_name);
    root.set_ddi_list(&references);
    root.set_device_element_list(&children);
    Device_element device;
    device.set_det_0(&root);
    device.set_version("1.2.3\0\0\0\0\0\0", 12);
    device.set_serial("123456");

    EXPECT_EQ(device.get_version(), "1.2.3") << "the NULs that fill the field are no part of the text";
    device.set_version("V12.345.6789", 12);
    EXPECT_EQ(device.get_version(), "V12.345.6789") << "a text that fills the field";
    EXPECT_EQ(device.get_serial(), "123456");
    const Device_element_element* det = device.get_det_0();
    ASSERT_EQ(det, &root);
    EXPECT_EQ(det->get_type(), 1);
    EXPECT_EQ(det->get_device_element_list()->count(), 0);
    const List_facade<Ddi_reference>& list = *det->get_ddi_list();
    ASSERT_EQ(list.count(), 3);
    EXPECT_EQ(list.element(0)->get_ddi(), 0xDFFF);

    auto* reference = dynamic_cast<const Process_data_reference*>(list.element(1));
    ASSERT_NE(reference, nullptr);
    EXPECT_EQ(reference->get_ddi(), 67);
    EXPECT_EQ(reference->get_type(), &width_entry);
    EXPECT_EQ(reference->get_reference_flag(), 1);
    ASSERT_NE(reference->get_default_thresholds(), nullptr);
    EXPECT_EQ(reference->get_default_thresholds()->time_interval_ms, 1000);
    auto* adaptor = dynamic_cast<Process_data_adaptor<double>*>(reference->get_data_adaptor());
    ASSERT_NE(adaptor, nullptr);
    EXPECT_EQ(adaptor->get_coder(), &Unit_pd_coders<double>::m_to_mm);
    EXPECT_EQ(adaptor->get_receiver(), reference);

    auto* property = dynamic_cast<const Property_element*>(list.element(2));
    ASSERT_NE(property, nullptr);
    EXPECT_EQ(property->get_value(), -500);
}

TEST(Device_tree, a_reference_without_entry_or_thresholds_says_so)
{
    Process_data_reference reference;
    EXPECT_EQ(reference.get_ddi(), 0xFFFF);
    EXPECT_EQ(reference.get_type(), nullptr);
    EXPECT_EQ(reference.get_default_thresholds(), nullptr);
    EXPECT_EQ(reference.get_reference_flag(), 0);
}

}
