#pragma once

class Data_store;
class Implement_diag;
struct Seeder_pool_ids;

namespace FS {
class FS_client;
}
namespace NV_quvel {
class parameters_t;
}

// What the screens work on besides the pool, handed down by the UI root: the
// live store, the parameter tree, the pool's object-ID table (filled while
// the pool is built, read from the screens' init on), the file-server client
// and the implement's diagnostics.
struct Screen_objects {
    Data_store& store;
    NV_quvel::parameters_t& parameters;
    const Seeder_pool_ids& ids;
    FS::FS_client* fs_client;
    Implement_diag* diagnostics;
};
