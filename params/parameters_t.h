#pragma once
#include "params/application_t.h"
#include "params/can_t.h"
#include "params/system_t.h"
#include "params/temporary_t.h"
#include "platform/data/NV_root.h"

namespace NV_quvel {

// The persistent parameter tree: every operator setting, calibration and
// total, in four groups. The program's one tree is named "PS"; tests build
// as many as they like.
class parameters_t : public NV_store::NV_root {
public:
    parameters_t(module_man* module, unsigned short id, const char* name);
    parameters_t();
    parameters_t(const parameters_t& other);
    parameters_t& operator=(const parameters_t& other);

    bool assign(const parameters_t& other, NV_store::notify_t mode);
    // The copy of the whole tree under the tree's mutex.
    bool assign_locked(const parameters_t& other);

    application_t app{this, this, 1, "app"};
    temporary_t temporary{this, this, 2, "temporary"};
    system_t system{this, this, 3, "system"};
    can_t can{this, this, 4, "can"};
};

}
