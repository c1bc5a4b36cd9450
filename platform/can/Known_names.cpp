#include "platform/can/Known_names.h"

using ZEV_name::Field;
using ZEV_name::NAME;

namespace {
// Industry group 2 is agriculture; device class 4 planters and seeders.
constexpr uint32_t tessaryn = 723, kelpro = 1219, vantoor = 1507;
}

NAME Known_names::make(const Kind& kind, int identity)
{
    NAME name;
    name.set(Field::self_configurable, kind.self_configurable);
    name.set(Field::industry_group, kind.industry_group);
    name.set(Field::device_class, kind.device_class);
    name.set(Field::function, kind.function);
    name.set(Field::manufacturer_code, kind.manufacturer);
    name.set(Field::ecu_instance, 0);
    name.set(Field::function_instance, 0);
    name.set(Field::device_class_instance, 0);
    // -1 writes all ones into the identity bits and leaves them out of matches.
    name.set(Field::identity_number, uint32_t(identity));
    uint64_t mask = ~uint64_t(0);
    if (identity == -1)
        mask &= ~ZEV_name::RAWNAME::field_mask(Field::identity_number);
    return NAME(name, mask);
}

NAME Known_names::get_seeder(int identity) { return make({true, 2, 4, 128, tessaryn}, identity); }
NAME Known_names::get_tessaryn_master(int identity) { return make({true, 2, 4, 131, tessaryn}, identity); }
NAME Known_names::get_tessaryn_slave(int identity) { return make({false, 2, 4, 132, tessaryn}, identity); }
NAME Known_names::get_tessaryn_nextgen_slave(int identity) { return make({false, 2, 4, 133, tessaryn}, identity); }
NAME Known_names::get_tessaryn_io() { return make({false, 2, 4, 134, tessaryn}, -1); }
NAME Known_names::get_kelpro_cannode(int identity) { return make({false, 2, 0, 135, kelpro}, identity); }
NAME Known_names::get_vantoor_commlinkz(int identity) { return make({false, 2, 0, 136, vantoor}, identity); }
