#pragma once
#include "platform/iso/VT_VT_obj.h"

#include <QByteArray>
#include <QHash>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace VT {
struct Loaded_object;
}

template <class T>
class Object_pool_base;

// The objects of a VT object pool: a table of object slots filled by the
// pool's constructors, the objects loaded later from records, and the name
// and ID indexes the rest of the program finds them through.
template <>
class Object_pool_base<VT::VT_obj> {
public:
    // The upload image's file, in the data folder.
    static constexpr const char* file_name = "object_pool.iop";

    Object_pool_base(VT::VT_obj** table, unsigned short count);
    virtual ~Object_pool_base();
    Object_pool_base(const Object_pool_base&) = delete;
    Object_pool_base& operator=(const Object_pool_base&) = delete;

    // The pool's lock, around every use of its objects outside the VT client.
    virtual void lock_pool() const = 0;
    virtual void unlock_pool() const = 0;
    // Stops the process when the caller does not hold the lock.
    virtual void check_pool_locked() const = 0;
    // An object's change for the Virtual Terminal that shows the pool; the
    // caller holds the pool's lock.
    virtual void send_command(std::vector<uint8_t> message) const = 0;

    // Look-ups in the indexes; null when nothing is found. The flag of the
    // look-up by name is accepted for the callers' sake only.
    VT::VT_obj* __find_object(unsigned short id) const;
    VT::VT_obj* __find_object(const char* name, bool flag) const;
    // The look-up by name under the lock; says when nothing is found, except
    // for the name "65535" that stands for no object.
    VT::VT_obj* find_object(const char* name, bool flag) const;

    VT::VT_obj** get_table() const { return table_; }
    unsigned short get_object_count() const { return count_; }
    size_t get_loaded_count() const { return loaded_.size(); }

    // Whether the ID names an object of the pool, in its table or loaded,
    // whether or not the indexes know it.
    bool holds(uint16_t id) const;
    // Takes over objects made from records; they join both indexes and come
    // under the pool's lock.
    void adopt(std::vector<std::unique_ptr<VT::Loaded_object>> objects);

    // The image a Virtual Terminal is sent: the record of every object that
    // leaves the pool, from the table and loaded, by ascending ID. With
    // record_ends, the offset after each record too.
    std::vector<uint8_t> serialise(std::vector<size_t>* record_ends = nullptr) const;
    // Writes the image to file_name in the data folder (made when missing),
    // so that a power cut leaves the old file or the new one. A failure is
    // said in one line; false then.
    bool serialise_to_file() const;
    static std::string get_file_path();

protected:
    // Puts the object in the slot and under the pool's lock. A slot outside
    // the table is a bug.
    void enter(unsigned short slot, VT::VT_obj& object);
    // Fills both indexes from the table in slot order, so that of two
    // objects with one name or ID the later slot wins.
    void index_table();

private:
    VT::VT_obj** const table_;
    const unsigned short count_;
    QHash<QByteArray, VT::VT_obj*> name_index_;
    QHash<unsigned short, VT::VT_obj*> id_index_;
    std::vector<std::unique_ptr<VT::Loaded_object>> loaded_;
};
