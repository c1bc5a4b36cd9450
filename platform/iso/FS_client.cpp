#include "platform/iso/FS_client.h"
#include "platform/can/ZEV_smart_stack.h"
#include "platform/can/ZEV_trans.h"
#include "platform/iso/FS_client_interface.h"
#include "platform/iso/FS_message.h"
#include "platform/rtos/Debug_base.h"

namespace FS {

namespace {
// Room for the largest answer a request of ours can bring: a read of 65535
// bytes behind its 5-byte head. A longer message is cut here, which its own
// count then shows.
constexpr size_t buffer_size = 65535 + 5;
}

FS_client::FS_client(module_man* manager) : manager_(manager), buffer_(buffer_size) {}

FS_client::~FS_client()
{
    terminate(1, 1000);
    if (stack_)
        stack_->deregister_pgn(FS_message::pgn_to_client, &get_waiter(), ZEV_stack::PGN_DATA);
}

bool FS_client::init(ZEV_smart_stack* stack, const ZEV_name::RAWNAME& working_set, const ZEV_name::RAWNAME& server,
                     int)
{
    if (!stack || !Diner::init(manager_, nullptr, "FSC", 50, 6144, true, false))
        return false;
    stack_ = stack;
    working_set_ = working_set == ZEV_name::RAWNAME::GLOBAL_NAME ? FS_client_interface::get_iso_name() : working_set;
    server_filter_ = server;
    return stack_->register_pgn(FS_message::pgn_to_client, &get_waiter(), nullptr, ZEV_stack::PGN_DATA) == 0;
}

void FS_client::attach(waiter_descriptor* waiter)
{
    std::lock_guard<std::mutex> lock(mutex_);
    attached_ = waiter;
}

int FS_client::send_request(std::vector<uint8_t> request)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (!server_.connected || request.size() < 2)
        return -1;
    const uint8_t tan = next_tan_++;
    request[1] = tan;
    if (!send_locked(request))
        return -1;
    pending_tan_ = tan;
    submit_timeout(answer_watch_);
    return tan;
}

bool FS_client::take_answer(std::vector<uint8_t>& answer)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (answers_.empty())
        return false;
    answer = std::move(answers_.front());
    answers_.pop_front();
    return true;
}

FS_client::Server FS_client::get_server() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return server_;
}

void FS_client::handle_event(waiter_event& event)
{
    if (!stack_ || event.module != stack_->get_receive_module() || event.code != FS_message::pgn_to_client)
        return;
    ZEV_header header;
    int n;
    while ((n = stack_->read(FS_message::pgn_to_client, header, buffer_.data(), int(buffer_.size()), &get_waiter(),
                             ZEV_stack::PGN_DATA)) >= 0)
        on_message(header.get_source(), buffer_.data(), size_t(n));
}

void FS_client::on_message(uint8_t source, const uint8_t* data, size_t length)
{
    if (length < 1)
        return;
    std::lock_guard<std::mutex> lock(mutex_);
    if (!has_server_) {
        if (data[0] == FS_message::status)
            take_server(source);
        if (!has_server_)
            return;
    }
    if (source != server_.address)
        return;
    switch (data[0]) {
    case FS_message::status: {
        submit_timeout(status_watch_);
        const bool busy = length >= 2 && (data[1] & (FS_message::busy_reading | FS_message::busy_writing)) != 0;
        if (busy && pending_tan_ >= 0)
            submit_timeout(answer_watch_);
        if (busy != server_.busy) {
            server_.busy = busy;
            post(news_server);
        }
        break;
    }
    case FS_message::properties:
        if (length >= 2)
            server_.version = data[1];
        if (!server_.connected) {
            server_.connected = true;
            Debug_print::dprint("File server at %u connected (version %u, manufacturer %u)\n", unsigned(source),
                                unsigned(server_.version), unsigned(server_.manufacturer));
            post(news_server);
        }
        break;
    default:
        if (!server_.connected)
            return;
        if (length >= 2 && data[1] == pending_tan_) {
            pending_tan_ = -1;
            remove_timeout(answer_watch_);
        }
        answers_.emplace_back(data, data + length);
        post(news_answer);
        break;
    }
}

void FS_client::take_server(uint8_t address)
{
    ZEV_name::RAWNAME name;
    if (!stack_->get_name_manager().gethostbyaddr(address, name))
        return; // a server is taken once its NAME is known
    if (server_filter_ != ZEV_name::RAWNAME::GLOBAL_NAME && name != server_filter_)
        return;
    has_server_ = true;
    server_ = Server();
    server_.address = address;
    server_.manufacturer = uint16_t(name.get(ZEV_name::Field::manufacturer_code));
    submit_timeout(status_watch_);
    submit_timeout(maintenance_);
    send_locked(FS_message::maintenance());
    send_locked(FS_message::get_properties());
}

void FS_client::lose_server()
{
    Debug_print::dprint("File server at %u lost\n", unsigned(server_.address));
    has_server_ = false;
    server_ = Server();
    pending_tan_ = -1;
    answers_.clear();
    remove_timeout(maintenance_);
    remove_timeout(answer_watch_);
    post(news_server);
}

void FS_client::handle_timeout(Timeout& timeout)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (&timeout == &status_watch_) {
        if (has_server_)
            lose_server();
    } else if (&timeout == &maintenance_) {
        if (!has_server_)
            return;
        send_locked(FS_message::maintenance());
        if (!server_.connected)
            send_locked(FS_message::get_properties());
    } else if (&timeout == &answer_watch_) {
        if (pending_tan_ >= 0) {
            pending_tan_ = -1;
            post(news_no_answer);
        }
    }
}

bool FS_client::send_locked(const std::vector<uint8_t>& bytes)
{
    const uint8_t source = stack_->get_name_manager().gethostbyname(ZEV_name::NAME(working_set_));
    if (source >= ZEV_trans::ADDRESS_NULL)
        return false;
    const ZEV_header header(source, server_.address, FS_message::pgn_to_server, FS_message::priority, 0,
                            uint32_t(bytes.size()));
    return stack_->write(header, bytes.data(), int(bytes.size()), nullptr, 0) == 0;
}

void FS_client::post(News news)
{
    if (attached_)
        attached_->post(waiter_event{get_module_id(), news, nullptr, nullptr});
}

}
