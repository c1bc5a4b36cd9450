#include "params/parameters_t.h"

namespace NV_quvel {

parameters_t::parameters_t(module_man* module, unsigned short id, const char* name)
    : NV_store::NV_root(module, id, name)
{
}

parameters_t::parameters_t()
    : parameters_t(nullptr, 0, "parameters_t")
{
}

parameters_t::parameters_t(const parameters_t& other)
    : parameters_t()
{
    assign_locked(other);
}

parameters_t& parameters_t::operator=(const parameters_t& other)
{
    assign_locked(other);
    return *this;
}

bool parameters_t::assign(const parameters_t& other, NV_store::notify_t mode)
{
    return assign_record(other, mode);
}

bool parameters_t::assign_locked(const parameters_t& other)
{
    return assign_tree_locked(other);
}

}
