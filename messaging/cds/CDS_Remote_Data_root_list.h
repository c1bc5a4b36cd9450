#pragma once
#include "messaging/cds/CDS_Remote_NV_list.h"

namespace CDS {
class Lookup_root;
}
namespace NV_store {
class NV_root;
}

namespace CDS {
namespace Remote {

// The top of the served tree, "remote": the list "cds" of data stores and
// the list "nv" of parameter trees. Every addition numbers the whole tree
// again, in pre-order from 1, so ids are unique in it (a tree's own ids,
// such as the parameter file's, are left alone).
class Data_root_list : public NV_list {
public:
    // Ids stay below this (the range search starts from it).
    static constexpr uint32_t id_limit = 30000;

    Data_root_list();

    void add_cds(Lookup_root& root);
    void add_nv(NV_store::NV_root& root);
    // One past the highest id given.
    uint32_t get_next_id() const { return next_id_; }

private:
    void number();

    NV_list cds_{"cds"};
    NV_list nv_{"nv"};
    uint32_t next_id_ = 1;
};

}
}
