#pragma once
#include "app/Net_interface.h"
#include "data_store/Data_store.h"
#include "isobus/Tessaryn_seeder_ddi.h"
#include "isobus/Tessaryn_tc_model.h"
#include "params/parameters_t.h"
#include "platform/iso/TC_client_Device_element.h"
#include "platform/iso/TC_client_Device_element_element.h"
#include "platform/iso/TC_client_Process_data_reference.h"
#include "platform/iso/TC_client_Property_element.h"
#include "platform/rtos/module_man.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

// A network interface with a fixed MAC and nothing else.
class Fixed_mac_interface : public Net_interface {
public:
    explicit Fixed_mac_interface(const unsigned char (&mac)[6]) { std::memcpy(mac_, mac, sizeof mac_); }
    bool read_mac(unsigned char (&bytes)[6]) override
    {
        std::memcpy(bytes, mac_, sizeof mac_);
        return true;
    }
    uint32_t read_ipv4() override { return 0; }
    bool watch_addresses() override { return false; }
    size_t receive_notices(void*, size_t) override { return 0; }
    bool has_index(int) override { return false; }

private:
    unsigned char mac_[6];
};

// A store and a parameter tree of the test's own, the model built on them,
// and ways to read back the registered tree as the client would.
class Description_rig : public testing::Test {
protected:
    using Element = TC_client::Device_element_element;

    static constexpr unsigned char mac[6] = {0x00, 0x50, 0xC2, 0x12, 0x34, 0x56};

    // The shared remaining-contents entries start settable, as the table has them.
    void TearDown() override
    {
        TC_client::seeder_ddi.volume_remaining.set_setable();
        TC_client::seeder_ddi.mass_remaining.set_setable();
    }

    NV_quvel::application_t& app() { return params->app; }
    NV_quvel::boom_t& boom(int i) { return *params->app.booms.booms[i]; }
    void set_non_vt(bool connected) { store->head.set(store->body.system.non_vtt_connected, connected); }

    Tessaryn_tc_model& build()
    {
        model.reset();
        model = std::make_unique<Tessaryn_tc_model>(*store, params.get(), std::make_unique<Fixed_mac_interface>(mac));
        return *model;
    }

    // Asks for a rebuild as a version-4 Task Controller does.
    void rebuild()
    {
        const uint8_t request[8] = {0x10, 4, 0xFF, 0, 0, 0, 0, 0};
        uint8_t reply[8] = {};
        ASSERT_NE(model->handle_version(request, reply), nullptr);
    }

    const Element* root() const { return model->get_device().get_det_0(); }

    static std::vector<Element*> children(const Element* element)
    {
        std::vector<Element*> list;
        if (auto* facade = element->get_device_element_list())
            for (int i = 0; i < facade->count(); ++i)
                list.push_back(facade->element(i));
        return list;
    }

    static std::vector<TC_client::Ddi_reference*> references(const Element* element)
    {
        std::vector<TC_client::Ddi_reference*> list;
        auto* facade = element->get_ddi_list();
        for (int i = 0; i < facade->count(); ++i)
            list.push_back(facade->element(i));
        return list;
    }

    // The DDIs of the element's references in order; 0xFFFF for one without an entry.
    static std::vector<uint16_t> ddis(const Element* element)
    {
        std::vector<uint16_t> list;
        for (TC_client::Ddi_reference* reference : references(element))
            list.push_back(reference->get_ddi());
        return list;
    }

    static bool has_ddi(const Element* element, uint16_t ddi)
    {
        std::vector<uint16_t> list = ddis(element);
        return std::find(list.begin(), list.end(), ddi) != list.end();
    }

    // The element's process-data reference of that DDI; fails the test when there is none.
    static TC_client::Process_data_reference* value(const Element* element, uint16_t ddi)
    {
        for (TC_client::Ddi_reference* reference : references(element))
            if (auto* pd = dynamic_cast<TC_client::Process_data_reference*>(reference); pd && pd->get_ddi() == ddi)
                return pd;
        ADD_FAILURE() << "no process data " << ddi;
        static TC_client::Process_data_reference none;
        return &none;
    }

    static const TC_client::Property_element* property(const Element* element, uint16_t ddi)
    {
        for (TC_client::Ddi_reference* reference : references(element))
            if (auto* p = dynamic_cast<const TC_client::Property_element*>(reference); p && p->get_ddi() == ddi)
                return p;
        ADD_FAILURE() << "no property " << ddi;
        static TC_client::Property_element none;
        return &none;
    }

    static std::string text(const TC_client::Designator* designator)
    {
        char buffer[64];
        return designator ? std::string(buffer, size_t(designator->get_utf8("en", buffer, sizeof buffer))) : "(none)";
    }
    static std::string name(const Element* element) { return text(element->get_designator()); }

    // The value the adaptor of a reference gives the Task Controller now.
    static int32_t raw(TC_client::Process_data_reference* reference)
    {
        return reference->get_data_adaptor()->handle_get();
    }

    module_man manager;
    std::unique_ptr<Data_store> store = std::make_unique<Data_store>(&manager, "1.2.3");
    std::unique_ptr<NV_quvel::parameters_t> params = std::make_unique<NV_quvel::parameters_t>(&manager, 0, "PS");
    std::unique_ptr<Tessaryn_tc_model> model;
};
