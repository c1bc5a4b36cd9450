#include "platform/iso/Object_pool_base.h"
#include "platform/io/File_util.h"
#include "platform/iso/VT_Loaded_object.h"
#include "platform/iso/VT_Record_writer.h"
#include "platform/rtos/Bugger.h"
#include "platform/rtos/Debug_base.h"
#include "platform/rtos/Platform.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

Object_pool_base<VT::VT_obj>::Object_pool_base(VT::VT_obj** table, unsigned short count)
    : table_(table), count_(count)
{
}

Object_pool_base<VT::VT_obj>::~Object_pool_base() = default;

VT::VT_obj* Object_pool_base<VT::VT_obj>::__find_object(unsigned short id) const
{
    return id_index_.value(id, nullptr);
}

VT::VT_obj* Object_pool_base<VT::VT_obj>::__find_object(const char* name, bool) const
{
    return name ? name_index_.value(QByteArray(name), nullptr) : nullptr;
}

VT::VT_obj* Object_pool_base<VT::VT_obj>::find_object(const char* name, bool flag) const
{
    lock_pool();
    VT::VT_obj* found = __find_object(name, flag);
    if (!found && name && std::strcmp(name, "65535") != 0)
        Debug_print::dprint("Could not find object %s\n", name);
    unlock_pool();
    return found;
}

bool Object_pool_base<VT::VT_obj>::holds(uint16_t id) const
{
    if (id_index_.contains(id))
        return true;
    for (unsigned short slot = 0; table_ && slot < count_; ++slot) {
        if (table_[slot] && table_[slot]->get_id() == id)
            return true;
    }
    return std::any_of(loaded_.begin(), loaded_.end(),
                       [id](const std::unique_ptr<VT::Loaded_object>& l) { return l->object->get_id() == id; });
}

void Object_pool_base<VT::VT_obj>::adopt(std::vector<std::unique_ptr<VT::Loaded_object>> objects)
{
    for (std::unique_ptr<VT::Loaded_object>& loaded : objects) {
        VT::VT_obj& object = *loaded->object;
        object.set_pool(this);
        name_index_.insert(QByteArray(object.get_name()), &object);
        id_index_.insert(object.get_id(), &object);
        loaded_.push_back(std::move(loaded));
    }
}

std::vector<uint8_t> Object_pool_base<VT::VT_obj>::serialise(std::vector<size_t>* record_ends) const
{
    std::vector<const VT::VT_obj*> objects;
    for (unsigned short slot = 0; table_ && slot < count_; ++slot) {
        if (table_[slot])
            objects.push_back(table_[slot]);
    }
    for (const std::unique_ptr<VT::Loaded_object>& loaded : loaded_)
        objects.push_back(loaded->object.get());
    std::stable_sort(objects.begin(), objects.end(),
                     [](const VT::VT_obj* a, const VT::VT_obj* b) { return a->get_id() < b->get_id(); });

    std::unordered_map<uint16_t, const VT::VT_obj*> by_id;
    for (const VT::VT_obj* object : objects)
        by_id.emplace(object->get_id(), object);
    std::vector<uint8_t> image;
    VT::Record_writer out(image, [&by_id](uint16_t id) -> const VT::VT_obj* {
        auto it = by_id.find(id);
        return it == by_id.end() ? nullptr : it->second;
    });
    for (const VT::VT_obj* object : objects) {
        if (!object->is_uploaded())
            continue;
        object->serialise(out);
        if (record_ends)
            record_ends->push_back(image.size());
    }
    return image;
}

std::string Object_pool_base<VT::VT_obj>::get_file_path()
{
    return Platform::instance().get_data_dir() + file_name;
}

bool Object_pool_base<VT::VT_obj>::serialise_to_file() const
{
    std::string error;
    if (File_util::make_folders(Platform::instance().get_data_dir(), error)) {
        const std::vector<uint8_t> image = serialise();
        const File_util::Replaced replaced = File_util::replace(get_file_path(), image.data(), image.size());
        if (replaced.ok())
            return true;
        error = replaced.error;
    }
    Debug_print::dprint("Could not write the object pool: %s\n", error.c_str());
    return false;
}

void Object_pool_base<VT::VT_obj>::enter(unsigned short slot, VT::VT_obj& object)
{
    if (!table_ || slot >= count_)
        Bugger::report_bug("VT object entered outside the pool's table");
    table_[slot] = &object;
    object.set_pool(this);
}

void Object_pool_base<VT::VT_obj>::index_table()
{
    for (unsigned short slot = 0; table_ && slot < count_; ++slot) {
        if (!table_[slot])
            continue;
        name_index_.insert(QByteArray(table_[slot]->get_name()), table_[slot]);
        id_index_.insert(table_[slot]->get_id(), table_[slot]);
    }
}
