#pragma once
#include "vt_pool/seeder_ecu_pool/Application_pool.h"
#include "vt_pool/seeder_ecu_pool/Seeder_fixed_objects.h"

namespace VT {

// The controller's object pool: the common user-interface objects and the
// seeder's fixed objects, 1296 table slots, both indexes when the pool makes
// its own table (the only caller passes none).
class seeder_ecu_pool : public Application_pool<Seeder_fixed_objects> {
public:
    seeder_ecu_pool(module_man* man, VT_obj** table, unsigned short size);
    ~seeder_ecu_pool() override;
};

}
