#include "app/Parameter_file.h"
#include "app/start_up_overrides.h"
#include "params/parameters_t.h"
#include "platform/io/File_util.h"
#include "platform/rtos/Debug_base.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

using NV_store::NV_file_iterator;

namespace {

bool is_missing(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) != 0 && errno == ENOENT;
}

}

Parameter_file::Parameter_file(NV_quvel::parameters_t& parameters, const std::string& folder)
    : parameters_(parameters),
      folder_(folder),
      path_(folder + "params"),
      backup_path_(folder + "params.bak"),
      iterator_(path_.c_str())
{
}

bool Parameter_file::create_folder() const
{
    std::string error;
    if (File_util::make_folders(folder_, error))
        return true;
    Debug_print::dprint("Cannot create the parameter folder %s (%s): the parameters cannot be saved\n",
                        folder_.c_str(), error.c_str());
    return false;
}

bool Parameter_file::save()
{
    iterator_.set_mode(NV_file_iterator::mode_write);
    bool ok = parameters_.serialise(&iterator_);
    if (!ok)
        iterator_.close(); // nothing of a half-built image reaches the disk
    ok = iterator_.set_mode(NV_file_iterator::mode_idle) && ok;
    if (!ok) {
        Debug_print::dprint("Saving the parameters to %s failed: params.bak is kept as it was\n", path_.c_str());
        return false;
    }
    if (!copy(path_, backup_path_))
        Debug_print::dprint("Refreshing params.bak from %s failed\n", path_.c_str());
    return true;
}

bool Parameter_file::load()
{
    if (is_missing(path_) && is_missing(backup_path_)) {
        Debug_print::dprint("No parameter file in %s yet: the factory defaults are used, and saved now\n",
                            folder_.c_str());
        return save();
    }
    for (int pass = 1; pass <= 2; ++pass) {
        if (read_params())
            return true;
        NV_file_iterator backup(backup_path_.c_str());
        backup.set_mode(NV_file_iterator::mode_read);
        if (!backup.is_open_for_reading()) {
            Debug_print::dprint("Restoring from params.bak failed\n");
            say_problem(backup);
            break;
        }
        const std::vector<uint8_t>& image = backup.get_image();
        const File_util::Replaced restored = File_util::replace(path_, image.data(), image.size());
        if (!restored.ok()) {
            // The backup is sound: better its values than the defaults.
            Debug_print::dprint("Restoring from params.bak failed\n"
                                "It cannot replace params (%s): the parameters are read from params.bak\n",
                                restored.error.c_str());
            const bool decoded = parameters_.deserialise(&backup);
            Debug_print::dprint("params.bak deserialise = %d\n", decoded ? 1 : 0);
            if (decoded)
                return true;
            break;
        }
        Debug_print::dprint("Restoring from params.bak succeeded\n");
    }
    Debug_print::dprint("Neither params nor params.bak could be read: the parameters keep their factory defaults\n");
    keep_damaged(path_);
    keep_damaged(backup_path_);
    return false;
}

void Parameter_file::keep_damaged(const std::string& path)
{
    if (is_missing(path))
        return;
    // The next save writes both names: what a technician might still recover
    // goes beside them, over an older damaged copy.
    const std::string kept = path + damaged_suffix;
    const std::string name = path.substr(folder_.size());
    if (std::rename(path.c_str(), kept.c_str()) == 0)
        Debug_print::dprint("The unreadable %s is kept as %s%s\n", name.c_str(), name.c_str(), damaged_suffix);
    else
        Debug_print::dprint("The unreadable %s cannot be kept as %s%s (%s): the next save overwrites it\n",
                            name.c_str(), name.c_str(), damaged_suffix, std::strerror(errno));
}

bool Parameter_file::read_params()
{
    iterator_.set_mode(NV_file_iterator::mode_read);
    if (!iterator_.is_readable()) {
        Debug_print::dprint("NV iterator is not readable\n");
        say_problem(iterator_);
        iterator_.set_mode(NV_file_iterator::mode_idle);
        return false;
    }
    const bool decoded = parameters_.deserialise(&iterator_);
    iterator_.set_mode(NV_file_iterator::mode_idle);
    Debug_print::dprint("params deserialise = %d\n", decoded ? 1 : 0);
    if (!decoded)
        say_problem(iterator_);
    return decoded && iterator_.is_readable();
}

void Parameter_file::say_problem(const NV_file_iterator& file)
{
    // A sound image that does not decode holds another tree.
    const char* problem = file.get_problem().empty() ? "it holds no parameters of this program"
                                                     : file.get_problem().c_str();
    Debug_print::dprint("Parameter file %s: %s\n", file.get_path().c_str(), problem);
}

void Parameter_file::reset(bool non_vtt_mode)
{
    parameters_.set_default(true);
    apply_start_up_overrides(parameters_);
    parameters_.system.non_vtt_connected.set(non_vtt_mode);
    parameters_.signal_all();
    save();
    Debug_print::dprint("Reset params with non_vtt_mode = %d\n", non_vtt_mode ? 1 : 0);
}

bool Parameter_file::copy(const std::string& from, const std::string& to)
{
    NV_file_iterator source(from.c_str());
    source.set_mode(NV_file_iterator::mode_read);
    if (!source.is_open_for_reading())
        return false;
    const std::vector<uint8_t>& image = source.get_image();
    const File_util::Replaced copied = File_util::replace(to, image.data(), image.size());
    if (!copied.ok())
        Debug_print::dprint("Copying %s failed: %s\n", from.c_str(), copied.error.c_str());
    return copied.ok();
}
