#pragma once
#include "platform/iso/VT_VT_obj.h"

#include <cstddef>
#include <cstdint>
#include <memory>

template <class T>
class Object_pool_base;

namespace VT {

class Record_reader;
struct Loaded_object;

// Loads ISO 11783-6 object records (ID, type, body; no pool header) into a
// pool as objects of the matching classes, which the pool then owns and
// finds by ID. A Working Set record is passed over: the pool has its own.
class Object_deserial {
public:
    void init(Object_pool_base<VT_obj>* pool) { pool_ = pool; }

    // Looks at every record before it loads any: a record cut short, of an
    // unknown type, with the ID 65535 or with an ID that the pool or an
    // earlier record has makes the whole input refused. Then nothing is
    // loaded, the reason is said in one line and get_failed_id() gives the
    // record's ID (65535 when the ID itself is cut). False also without a pool.
    bool run(const uint8_t* data, size_t length);
    uint16_t get_failed_id() const { return failed_id_; }

private:
    // The record's object, or null for an unknown type; reads past the end
    // leave the reader failed.
    static std::unique_ptr<Loaded_object> decode(uint16_t id, uint8_t type, Record_reader& in);
    bool fail(uint16_t id, size_t offset, const char* reason);

    Object_pool_base<VT_obj>* pool_ = nullptr;
    uint16_t failed_id_ = VT_obj::NULL_ID;
};

}
