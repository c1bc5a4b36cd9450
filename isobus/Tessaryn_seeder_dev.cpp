#include "isobus/Tessaryn_seeder_dev.h"
#include "app/Linux_net_interface.h"
#include "app/System_info.h"
#include "control_logic/State_queries.h"
#include "data_store/Data_store.h"
#include "isobus/Bounded_count.h"
#include "isobus/Connector.h"
#include "isobus/Literal_designator.h"
#include "isobus/Tessaryn_seeder_boom.h"
#include "isobus/Tessaryn_seeder_device.h"
#include "params/parameters_t.h"

#include <cstdio>
#include <cstring>

using namespace TC_client;

namespace {

const Literal_designator device_text("KX-4 Seeder");

// A boom of this type is described only under drill control.
constexpr int drill_boom_type = 3;

constexpr int num_booms = decltype(NV_quvel::booms_t::booms)::size();

}

Tessaryn_seeder_dev::Tessaryn_seeder_dev(Data_store& store, NV_quvel::parameters_t* params,
                                         std::unique_ptr<Net_interface> interface)
    : store_(store), params_(params)
{
    set_designator(&device_text);

    char version[sizeof store.body.system.firmware_version.string];
    store_.head.lock();
    std::memcpy(version, store_.body.system.firmware_version.string, sizeof version);
    store_.head.unlock();
    set_version(version, sizeof version);

    System_info info(interface ? std::move(interface) : std::make_unique<Linux_net_interface>("eth0"));
    char serial[16];
    std::snprintf(serial, sizeof serial, "%u", unsigned(info.get_identity_number()));
    set_serial(serial);

    build();
}

// A device on its own frees its tree as well.
Tessaryn_seeder_dev::~Tessaryn_seeder_dev()
{
    clear();
}

void Tessaryn_seeder_dev::build()
{
    clear();
    auto* root = new Tessaryn_seeder_device(store_, params_);
    root->set_device_element_list(&elements_);
    set_det_0(root);

    NV_quvel::booms_t& booms = params_->app.booms;
    State_queries queries(store_, params_->app);
    const int count = bounded_count("num_booms", booms.num_booms.get(), num_booms);
    for (int i = 0; i < count; ++i) {
        if (booms.booms[i]->type.get() == drill_boom_type && !queries.is_drill_control_enabled())
            continue;
        elements_.append(new Tessaryn_seeder_boom(i, store_, params_));
    }
    elements_.append(new Connector(params_));
}

void Tessaryn_seeder_dev::clear()
{
    for (int i = 0; i < elements_.count(); ++i)
        delete elements_.element(i);
    elements_.clear();
    Device_element_element* root = get_det_0();
    set_det_0(nullptr);
    delete root;
}
