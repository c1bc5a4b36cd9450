#include "vt_pool/seeder_ecu_pool/seeder_ecu_pool.h"

namespace VT {

seeder_ecu_pool::seeder_ecu_pool(module_man* man, VT_obj** table, unsigned short size)
    : Application_pool<Seeder_fixed_objects>(man, table, size)
{
}

seeder_ecu_pool::~seeder_ecu_pool() = default;

}
