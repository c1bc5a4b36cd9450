#include "platform/iso/FS_client_interface.h"
#include "platform/io/Binary_message.h"
#include "platform/io/File_util.h"
#include "platform/iso/FS_client.h"
#include "platform/rtos/Debug_base.h"
#include "platform/rtos/Platform.h"
#include "platform/rtos/waiter_descriptor.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <unistd.h>

namespace FS {

namespace {
std::mutex iso_name_mutex;
ZEV_name::RAWNAME iso_name = ZEV_name::RAWNAME::GLOBAL_NAME;

// The head of every answer: function, TAN, error.
constexpr size_t head = 3;
// A read answer: the head, the count, then the data.
constexpr size_t read_head = 5;
// A directory entry after its name: attributes, date, time and size.
constexpr size_t entry_tail = 1 + 2 + 2 + 4;

bool write_all(int fd, const uint8_t* data, size_t length)
{
    while (length > 0) {
        const ssize_t n = ::write(fd, data, length);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        length -= size_t(n);
    }
    return true;
}
}

FS_client_interface::FS_client_interface() = default;

FS_client_interface::~FS_client_interface()
{
    if (client_)
        client_->attach(nullptr);
    end_operation(false);
}

void FS_client_interface::init(waiter_descriptor* waiter, FS_client* client)
{
    client_ = client;
    if (client_) {
        client_->attach(waiter);
        on_server_news();
    }
}

void FS_client_interface::set_iso_name(const ZEV_name::RAWNAME& name)
{
    std::lock_guard<std::mutex> lock(iso_name_mutex);
    iso_name = name;
}

ZEV_name::RAWNAME FS_client_interface::get_iso_name()
{
    std::lock_guard<std::mutex> lock(iso_name_mutex);
    return iso_name;
}

const char* FS_client_interface::lstint_item(int index) const
{
    if (index < 0 || size_t(index) >= items_.size())
        return nullptr;
    return items_[size_t(index)].data();
}

void FS_client_interface::handle_event(waiter_event& event)
{
    if (!client_ || event.module != client_->get_module_id())
        return;
    switch (event.code) {
    case FS_client::news_answer: {
        std::vector<uint8_t> answer;
        while (client_->take_answer(answer))
            on_answer(answer);
        break;
    }
    case FS_client::news_server:
        on_server_news();
        break;
    case FS_client::news_no_answer:
        if (operation_ != op_none && expected_tan_ >= 0)
            fail(expected_function_, FS_message::any_other);
        break;
    default:
        break;
    }
}

void FS_client_interface::on_server_news()
{
    const FS_client::Server server = client_->get_server();
    if (connected_ && !server.connected && operation_ != op_none) {
        if (debug())
            Debug_print::dprint("FS: server lost, operation %d ended\n", int(operation_));
        end_operation(false);
    }
    connected_ = server.connected;
    manufacturer_ = server.manufacturer;
    if (server.busy != busy_) {
        busy_ = server.busy;
        notify_busy(busy_);
    }
}

bool FS_client_interface::start_file_read(const char* file_name, const char* location)
{
    const size_t name_length = file_name ? std::strlen(file_name) : 0;
    const size_t path_length = location ? std::strlen(location) : 0;
    if (!client_ || !connected_ || operation_ != op_none || name_length == 0 || name_length > 255 ||
        std::strchr(file_name, '/') || path_length > FS_message::max_path)
        return false;
    operation_ = op_file_read;
    size_ = done_ = 0;
    open_path_.assign(location, path_length);

    const std::string folder = Platform::instance().get_data_dir();
    std::string error;
    local_path_ = folder + file_name;
    std::string partial = local_path_ + ".part.XXXXXX";
    if (File_util::make_folders(folder, error))
        fd_ = mkstemp(&partial[0]);
    if (fd_ < 0) {
        if (debug())
            Debug_print::dprint("FS: cannot write \"%s\": %s\n", partial.c_str(),
                                error.empty() ? std::strerror(errno) : error.c_str());
        fail(FS_message::open_file, FS_message::write_failure);
        return true;
    }
    partial_path_ = partial;
    step_ = Step::opening;
    send(FS_message::open_request(open_path_.data(), open_path_.size(), FS_message::open_for_reading));
    return true;
}

bool FS_client_interface::start_dir_read(const char* path)
{
    const size_t length = path ? std::strlen(path) : 0;
    if (!client_ || !connected_ || operation_ != op_none || length == 0 || length > FS_message::max_path)
        return false;
    operation_ = op_dir_read;
    items_.clear();
    open_path_.assign(path, length);
    step_ = Step::changing_directory;
    send(FS_message::change_directory_request(open_path_.data(), open_path_.size()));
    return true;
}

void FS_client_interface::cancel_operation()
{
    end_operation(connected_);
}

bool FS_client_interface::send(std::vector<uint8_t> request)
{
    const uint8_t function = request[0];
    const int tan = client_->send_request(std::move(request));
    if (tan < 0) {
        fail(function, FS_message::any_other);
        return false;
    }
    expected_tan_ = tan;
    expected_function_ = function;
    return true;
}

void FS_client_interface::on_answer(const std::vector<uint8_t>& answer)
{
    if (operation_ == op_none || expected_tan_ < 0 || answer.size() < head || answer[0] != expected_function_ ||
        answer[1] != expected_tan_)
        return; // not the answer awaited: a late one of an ended operation
    expected_tan_ = -1;
    const uint8_t function = answer[0];
    const FS_message::error_t error = answer[2];

    switch (step_) {
    case Step::changing_directory:
        if (error != FS_message::success)
            return fail(function, error);
        current_directory_ = open_path_;
        step_ = Step::opening;
        send(FS_message::open_request(open_path_.data(), open_path_.size(), FS_message::open_directory));
        break;
    case Step::opening:
        if (error != FS_message::success)
            return fail(function, error);
        if (answer.size() < head + 1)
            return fail(function, FS_message::any_other);
        handle_ = answer[3];
        if (operation_ == op_dir_read)
            return read_next();
        step_ = Step::seeking_end;
        send(FS_message::seek_request(uint8_t(handle_), FS_message::seek_from_end, 0));
        break;
    case Step::seeking_end:
    case Step::seeking_start: {
        if (error != FS_message::success)
            return fail(function, error);
        if (answer.size() < 8)
            return fail(function, FS_message::any_other);
        const uint32_t position = Binary_message::get_uint32_le(&answer[4]);
        if (step_ == Step::seeking_end) {
            size_ = position;
            step_ = Step::seeking_start;
            send(FS_message::seek_request(uint8_t(handle_), FS_message::seek_from_start, 0));
        } else if (position != 0) {
            fail(function, FS_message::any_other);
        } else {
            read_next();
        }
        break;
    }
    case Step::reading:
        on_read(answer);
        break;
    case Step::closing:
        // The data is whole whatever the close brings.
        handle_ = -1;
        if (operation_ == op_file_read)
            finish_file();
        else
            finish_listing();
        break;
    case Step::idle:
        break;
    }
}

void FS_client_interface::read_next()
{
    step_ = Step::reading;
    const uint16_t count = operation_ == op_file_read ? read_size : entries_per_read;
    send(FS_message::read_request(uint8_t(handle_), count));
}

void FS_client_interface::on_read(const std::vector<uint8_t>& answer)
{
    const uint8_t function = answer[0];
    const FS_message::error_t error = answer[2];
    const bool at_end = error == FS_message::end_of_file;
    if (error != FS_message::success && !at_end)
        return fail(function, error);
    unsigned count = 0;
    if (!at_end) {
        if (answer.size() < read_head)
            return fail(function, FS_message::any_other);
        count = Binary_message::get_uint16_le(&answer[3]);
    }
    const uint8_t* data = answer.data() + read_head;
    const size_t length = answer.size() < read_head ? 0 : answer.size() - read_head;

    if (operation_ == op_dir_read) {
        if (count > entries_per_read || !take_entries(data, length, count))
            return fail(function, FS_message::any_other);
        if (at_end || count < entries_per_read) {
            step_ = Step::closing;
            send(FS_message::close_request(uint8_t(handle_)));
        } else {
            read_next();
        }
        return;
    }

    // A file: never more than asked, never past the size it had when opened.
    if (count > length || count > read_size || count > size_ - done_) {
        if (debug())
            Debug_print::dprint("FS: read of %u bytes at %u of %u refused\n", count, unsigned(done_),
                                unsigned(size_));
        return fail(function, FS_message::any_other);
    }
    if (count > 0 && !write_all(fd_, data, count))
        return fail(function, FS_message::write_failure);
    done_ += count;
    if (at_end || count < read_size) {
        if (done_ != size_)
            return fail(function, FS_message::any_other); // shorter than announced
        step_ = Step::closing;
        send(FS_message::close_request(uint8_t(handle_)));
        return;
    }
    set_progress(done_, size_, false);
    if (operation_ == op_file_read && step_ == Step::reading)
        read_next();
}

bool FS_client_interface::take_entries(const uint8_t* data, size_t length, unsigned count)
{
    size_t at = 0;
    for (unsigned i = 0; i < count; ++i) {
        if (at >= length)
            return false;
        const size_t name_length = data[at];
        if (length - at - 1 < name_length + entry_tail)
            return false;
        if (items_.size() >= max_items)
            return false;
        Item item{};
        std::memcpy(item.data(), data + at + 1, std::min(name_length, item_size));
        items_.push_back(item);
        at += 1 + name_length + entry_tail;
    }
    return true;
}

void FS_client_interface::finish_file()
{
    // Complete only once the file would survive a power cut in its place.
    const File_util::Replaced kept = File_util::put_in_place(fd_, partial_path_, local_path_);
    fd_ = -1;
    partial_path_.clear(); // renamed, or removed by the failure
    if (!kept.ok()) {
        if (debug())
            Debug_print::dprint("FS: cannot keep \"%s\": %s\n", local_path_.c_str(), kept.error.c_str());
        return fail(FS_message::close_file, FS_message::write_failure);
    }
    set_progress(done_, size_, true);
    file_read_complete();
    end_operation(true);
}

void FS_client_interface::finish_listing()
{
    const uint32_t n = uint32_t(items_.size());
    set_progress(n, n, true);
    handle_error(FS_message::group_of(FS_message::read_file), FS_message::function_of(FS_message::read_file),
                 FS_message::success);
    end_operation(true);
}

void FS_client_interface::fail(uint8_t function, FS_message::error_t error)
{
    expected_tan_ = -1;
    handle_error(FS_message::group_of(function), FS_message::function_of(function), error);
    end_operation(connected_);
}

void FS_client_interface::end_operation(bool server_there)
{
    if (handle_ >= 0 && server_there && client_)
        client_->send_request(FS_message::close_request(uint8_t(handle_)));
    handle_ = -1;
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!partial_path_.empty()) {
        ::unlink(partial_path_.c_str());
        partial_path_.clear();
    }
    expected_tan_ = -1;
    step_ = Step::idle;
    operation_ = op_none;
}

void FS_client_interface::set_progress(uint32_t, uint32_t, bool) {}

void FS_client_interface::handle_error(FS_message::gid_t group, FS_message::fid_t function,
                                       FS_message::error_t error)
{
    if (error != FS_message::success && debug())
        Debug_print::dprint("FS: error %u for function %u of group %u\n", unsigned(error), unsigned(function),
                            unsigned(group));
}

void FS_client_interface::notify_busy(bool) {}

}
