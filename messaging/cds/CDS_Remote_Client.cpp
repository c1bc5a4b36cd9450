#include "messaging/cds/CDS_Remote_Client.h"
#include "messaging/cds/CDS_Remote_Basic_array.h"
#include "messaging/cds/CDS_Remote_Basic_item.h"
#include "messaging/cds/CDS_Remote_messages.h"
#include "platform/data/CDS_Remote_Receive_buffer.h"
#include "platform/data/CDS_Remote_Send_buffer.h"
#include "platform/rtos/Debug_base.h"
#include "platform/rtos/Platform.h"

#include <QDir>

#include <cstdio>
#include <mutex>
#include <zlib.h>

namespace CDS {
namespace Remote {

namespace {

constexpr int debug_channel = 97;

template <template <class> class Of>
std::unique_ptr<Item> make(Data_item::item_type_t type, const char* name, uint16_t id)
{
    switch (type) {
    case Data_item::type_bool:
        return std::make_unique<Of<bool>>(name, id);
    case Data_item::type_char:
        return std::make_unique<Of<char>>(name, id);
    case Data_item::type_uint8:
        return std::make_unique<Of<uint8_t>>(name, id);
    case Data_item::type_uint16:
        return std::make_unique<Of<uint16_t>>(name, id);
    case Data_item::type_uint32:
        return std::make_unique<Of<uint32_t>>(name, id);
    case Data_item::type_int8:
        return std::make_unique<Of<int8_t>>(name, id);
    case Data_item::type_int16:
        return std::make_unique<Of<int16_t>>(name, id);
    case Data_item::type_int32:
        return std::make_unique<Of<int32_t>>(name, id);
    case Data_item::type_float:
        return std::make_unique<Of<float>>(name, id);
    case Data_item::type_double:
        return std::make_unique<Of<double>>(name, id);
    case Data_item::type_uint64:
        return std::make_unique<Of<uint64_t>>(name, id);
    case Data_item::type_int64:
        return std::make_unique<Of<int64_t>>(name, id);
    default:
        return nullptr;
    }
}

// One entry of a description: "<type byte>:<id>:<name>", in hexadecimal.
struct Entry {
    uint32_t type = 0;
    uint32_t id = 0;
    char name[Client::max_name + 1];
};

bool read_entry(Receive_buffer& text, Entry& entry)
{
    return text.pop_hex(entry.type) && text.pop_if(':') && text.pop_hex(entry.id) && entry.id <= 0xFFFF &&
           text.pop_if(':') && text.pop_token(entry.name, sizeof entry.name, "{},");
}

}

Client::Client(Listener* listener)
    : listener_(listener)
{
    QDir().mkpath(QString::fromStdString(Platform::instance().get_data_dir()));
}

Client::~Client() = default;

void Client::reset()
{
    Debug_base::print(debug_channel, "RCDSC Reset\n");
    ids_buffer_.clear();
    ids_buffer_.shrink_to_fit();
    std::lock_guard<Owned_mutex> guard(lock_);
    root_.reset();
}

bool Client::request_ids(bool crc)
{
    if (!crc) {
        Debug_base::print(debug_channel, "RCDSC Req IDs\n");
        return request_ids_from(0);
    }
    Debug_base::print(debug_channel, "RCDSC Req CRC\n");
    uint8_t tx[request_size];
    int room = request_size;
    uint8_t* m = get_tx_buffer(tx, room);
    if (!m || room < Msg_request_crc::size)
        return false;
    m[0] = msg_request_crc;
    return send(m, Msg_request_crc::size);
}

bool Client::request_ids_from(uint32_t offset)
{
    uint8_t tx[request_size];
    int room = request_size;
    uint8_t* m = get_tx_buffer(tx, room);
    if (!m || room < Msg_request_ids::size) {
        Debug_base::print(debug_channel, "RCDSC RES BUFF IS NULL tx_len=%d\n", room);
        return false;
    }
    m[0] = msg_request_ids;
    Binary_message::set_uint16_le(m + 1, 0);
    Binary_message::set_uint24_le(m + 3, offset);
    m[6] = 255;
    return send(m, Msg_request_ids::size);
}

bool Client::send_request(uint8_t type, uint16_t id, uint16_t pos)
{
    uint8_t tx[request_size];
    int room = request_size;
    uint8_t* m = get_tx_buffer(tx, room);
    if (!m || room < Msg_request_value::size)
        return false;
    m[0] = type;
    Binary_message::set_uint16_le(m + 1, id);
    Binary_message::set_uint16_le(m + 3, pos);
    return send(m, Msg_request_value::size);
}

bool Client::request_value(uint16_t id, uint16_t pos)
{
    Debug_base::print(debug_channel, "RCDSC RVal %d %d\n", int(id), int(pos));
    return send_request(msg_request_value, id, pos);
}

bool Client::register_on_change(uint16_t id, uint16_t pos)
{
    Debug_base::print(debug_channel, "RCDSC ROC %d %d\n", int(id), int(pos));
    return send_request(msg_register, id, pos);
}

bool Client::cancel_on_change(uint16_t id, uint16_t pos)
{
    Debug_base::print(debug_channel, "RCDSC COC %d %d\n", int(id), int(pos));
    return send_request(msg_cancel, id, pos);
}

bool Client::request_value(const char* name)
{
    Debug_base::print(debug_channel, "RCDSC RVal %s\n", name);
    const uint16_t id = get_id(name);
    return id != no_id && send_request(msg_request_value, id, 0);
}

bool Client::register_on_change(const char* name)
{
    Debug_base::print(debug_channel, "RCDSC ROC %s\n", name);
    const uint16_t id = get_id(name);
    return id != no_id && send_request(msg_register, id, 0);
}

bool Client::cancel_on_change(const char* name)
{
    Debug_base::print(debug_channel, "RCDSC COC %s\n", name);
    const uint16_t id = get_id(name);
    return id != no_id && send_request(msg_cancel, id, 0);
}

Item* Client::find(const char* name)
{
    return root_ ? root_->find_by_path(name) : nullptr;
}

bool Client::set_value(const char* name, const QVariant& value)
{
    Debug_base::print(debug_channel, "RCDSC SV %s %s\n", name, value.toString().toUtf8().constData());
    uint8_t tx[tx_size];
    uint8_t* m = nullptr;
    int length;
    {
        std::lock_guard<Owned_mutex> guard(lock_);
        length = encode_set_value(find(name), value, tx, m);
    }
    return length > 0 && send(m, length);
}

bool Client::set_value(uint16_t id, const QVariant& value)
{
    Debug_base::print(debug_channel, "RCDSC SV %d %s\n", int(id), value.toString().toUtf8().constData());
    uint8_t tx[tx_size];
    uint8_t* m = nullptr;
    int length;
    {
        std::lock_guard<Owned_mutex> guard(lock_);
        length = encode_set_value(root_ ? root_->find_by_id(id) : nullptr, value, tx, m);
    }
    return length > 0 && send(m, length);
}

int Client::encode_set_value(Item* item, const QVariant& value, uint8_t (&tx)[tx_size], uint8_t*& m)
{
    if (!item || !item->set_value(value))
        return 0;
    int room = tx_size;
    m = get_tx_buffer(tx, room);
    if (!m || room < Msg_send_value::header)
        return 0;
    const uint16_t id = item->get_remote_id();
    m[0] = msg_set_value;
    Binary_message::set_uint16_le(m + 1, id);
    Binary_message::set_uint16_le(m + 3, id);
    Send_buffer encoded(m + Msg_send_value::header, unsigned(room - Msg_send_value::header));
    uint16_t pos = 0;
    if (!item->serialise(encoded, pos).ok)
        return 0;
    return Msg_send_value::header + int(encoded.size());
}

QVariant Client::get_value(const char* name)
{
    Debug_base::print(debug_channel, "RCDSC GV %s\n", name);
    std::lock_guard<Owned_mutex> guard(lock_);
    QVariant value;
    if (Item* item = find(name))
        item->get_value(value);
    return value;
}

uint16_t Client::get_id(const char* name)
{
    std::lock_guard<Owned_mutex> guard(lock_);
    Item* item = find(name);
    return item ? item->get_remote_id() : no_id;
}

bool Client::has_tree()
{
    std::lock_guard<Owned_mutex> guard(lock_);
    return root_ != nullptr;
}

void Client::receive(const uint8_t* message, int length)
{
    if (length < 1)
        return;
    Debug_base::print(debug_channel, "RCDSC Rx %d\n", int(message[0]));
    switch (message[0]) {
    case msg_send_value:
        receive_value(message, length);
        return;
    case msg_send_crc:
        receive_crc(message, length);
        return;
    case msg_send_ids:
        receive_ids(message, length);
        return;
    default:
        return;
    }
}

void Client::receive_value(const uint8_t* message, int length)
{
    if (length < Msg_send_value::header)
        return;
    const uint16_t id = Binary_message::get_uint16_le(message + 1);
    const uint16_t requested = Binary_message::get_uint16_le(message + 3);
    bool truncated = false;
    uint16_t stop = 0, next = 0;
    {
        std::lock_guard<Owned_mutex> guard(lock_);
        Item* item = root_ ? root_->find_by_id(id) : nullptr;
        if (!item)
            return;
        Receive_buffer value(message + Msg_send_value::header, unsigned(length - Msg_send_value::header));
        uint16_t pos = requested;
        const Data_item::Serial_ret result = item->deserialise(value, pos);
        if (!result.ok) {
            truncated = true;
            stop = result.stop_id;
            // Ids follow the served tree in pre-order: what comes after a
            // value that can never fit is the next id, when it is still
            // part of the item asked for.
            Item* stopped = item->find_by_id(stop);
            Item* after = stop < 0xFFFF && stopped ? item->find_by_id(uint16_t(stop + 1)) : nullptr;
            next = after ? after->get_remote_id() : 0;
            Debug_base::print(debug_channel, "RCDSC Truncated at %d(%s) next %d(%s)\n", int(stop),
                              stopped ? stopped->get_name() : "UNKNOWN??", int(next),
                              after ? after->get_name() : "UNKNOWN??");
        }
    }
    if (truncated) {
        if (stop != requested) {
            request_value(id, stop);
            return;
        }
        Debug_base::print(debug_channel, "RCDSC Got nowhere on that transaction\n");
        if (next)
            request_value(id, next);
    }
    if (listener_)
        listener_->value_changed(id);
}

std::string Client::cache_name(uint32_t crc, uint32_t length)
{
    char numbers[32];
    std::snprintf(numbers, sizeof numbers, "%x_%d", unsigned(crc), int(length));
    return Platform::instance().get_data_dir() + "cds_cache_" + numbers;
}

void Client::receive_crc(const uint8_t* message, int length)
{
    if (length < Msg_send_crc::size)
        return;
    if (has_tree()) {
        Debug_base::print(debug_channel, "RCDSC Got second CRC message\n");
        return;
    }
    crc_ = Binary_message::get_uint32_le(message + 1);
    ids_length_ = Binary_message::get_uint32_le(message + 5);
    if (ids_length_ > max_description) {
        Debug_base::print(debug_channel, "RCDSC Description too long %u\n", unsigned(ids_length_));
        ids_length_ = 0;
        cache_name_.clear();
        if (listener_)
            listener_->tree_status(Listener::tree_failed);
        return;
    }
    cache_name_ = cache_name(crc_, ids_length_);
    if (read_cache()) {
        Debug_base::print(debug_channel, "RCDSC Got cache\n");
        if (listener_)
            listener_->tree_status(Listener::tree_ready);
        return;
    }
    request_ids(false);
}

bool Client::read_cache()
{
    FILE* file = std::fopen(cache_name_.c_str(), "rb");
    if (!file)
        return false;
    // One byte more than the length tells a longer file apart.
    std::vector<char> text(size_t(ids_length_) + 1);
    const size_t n = std::fread(text.data(), 1, text.size(), file);
    std::fclose(file);
    return n == ids_length_ && build_tree(text.data(), ids_length_);
}

void Client::write_cache(const std::vector<uint8_t>& text)
{
    if (cache_name_.empty())
        return;
    FILE* file = std::fopen(cache_name_.c_str(), "wb");
    if (!file) {
        Debug_base::print(debug_channel, "RCDSC Cannot write %s\n", cache_name_.c_str());
        return;
    }
    const bool ok = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    if (std::fclose(file) != 0 || !ok) {
        Debug_base::print(debug_channel, "RCDSC Cannot write %s\n", cache_name_.c_str());
        std::remove(cache_name_.c_str());
    }
}

void Client::receive_ids(const uint8_t* message, int length)
{
    if (length < Msg_send_ids::header + 1)
        return;
    const uint32_t offset = Binary_message::get_uint24_le(message + 1);
    if (offset == 0)
        ids_buffer_.clear();
    if (offset != ids_buffer_.size()) {
        Debug_base::print(debug_channel, "RCDSC Bad offset %d vs %d\n", int(offset), int(ids_buffer_.size()));
        ids_buffer_.clear();
        if (listener_)
            listener_->tree_status(Listener::tree_bad_offset);
    } else {
        // The last byte of a slice is filler.
        const size_t n = size_t(length - Msg_send_ids::header - 1);
        if (ids_buffer_.size() + n > max_description) {
            Debug_base::print(debug_channel, "RCDSC Description too long\n");
            ids_buffer_.clear();
            ids_buffer_.shrink_to_fit();
            if (listener_)
                listener_->tree_status(Listener::tree_failed);
            return;
        }
        ids_buffer_.insert(ids_buffer_.end(), message + Msg_send_ids::header, message + Msg_send_ids::header + n);
        if (n == 0) {
            ids_complete();
            return;
        }
    }
    request_ids_from(uint32_t(ids_buffer_.size()));
    if (listener_)
        listener_->tree_status(Listener::tree_progress);
}

void Client::ids_complete()
{
    Debug_base::print(debug_channel, "RCDSC RIDs Complete\n");
    std::vector<uint8_t> packed;
    packed.swap(ids_buffer_);
    // Without a length from the server, five times the packed size is a guess.
    uLongf text_length = ids_length_ ? ids_length_ : std::min<uLongf>(uLongf(packed.size()) * 5, max_description);
    std::vector<uint8_t> text(text_length);
    const int result = uncompress(text.data(), &text_length, packed.data(), uLong(packed.size()));
    if (result != Z_OK || (ids_length_ && text_length != ids_length_)) {
        Debug_base::print(debug_channel, "RCDSC: Unable to uncompress the IDs\n");
        if (listener_)
            listener_->tree_status(Listener::tree_failed);
        return;
    }
    text.resize(text_length);
    if (!build_tree(reinterpret_cast<const char*>(text.data()), uint32_t(text.size()))) {
        if (listener_)
            listener_->tree_status(Listener::tree_failed);
        return;
    }
    write_cache(text);
    if (listener_)
        listener_->tree_status(Listener::tree_ready);
}

std::unique_ptr<Item> Client::create_item(uint8_t type_byte, const char* name, uint16_t id)
{
    Data_item::class_type_t kind;
    Data_item::item_type_t type;
    if (!Data_item::decode_type_byte(type_byte, kind, type))
        return nullptr;
    if (kind == Data_item::class_array)
        return make<Basic_array>(type, name, id);
    if (type == Data_item::type_struct)
        return std::make_unique<Struct>(name, id);
    return make<Basic_item>(type, name, id);
}

bool Client::build_tree(const char* text, uint32_t length)
{
    std::lock_guard<Owned_mutex> guard(lock_);
    root_.reset();
    Receive_buffer buffer(reinterpret_cast<const uint8_t*>(text), length);
    Entry entry;
    if (!read_entry(buffer, entry) || !buffer.pop_if('{')) {
        Debug_print::dprint("No start\n");
        return false;
    }
    auto root = std::make_unique<Root>(entry.name, uint16_t(entry.id), *this);
    if (!buffer.pop_if('}') && !fill(*root, buffer, 1))
        return false;
    if (buffer.remaining()) {
        Debug_base::print(debug_channel, "RCDSC Text after the tree\n");
        return false;
    }
    uint16_t lowest = 30000, highest = 0;
    root->set_minmax(lowest, highest);
    root_ = std::move(root);
    return true;
}

bool Client::fill(Struct& parent, Receive_buffer& text, int depth)
{
    if (depth > max_depth) {
        Debug_base::print(debug_channel, "RCDSC Too deep\n");
        return false;
    }
    for (;;) {
        Entry entry;
        if (!read_entry(text, entry)) {
            Debug_base::print(debug_channel, "RCDSC No finish 2\n");
            return false;
        }
        if (text.pop_if('{')) {
            auto child = std::make_unique<Struct>(entry.name, uint16_t(entry.id));
            if (!text.pop_if('}') && !fill(*child, text, depth + 1))
                return false;
            parent.append(std::move(child));
        } else if (auto item = entry.type <= 0xFF ? create_item(uint8_t(entry.type), entry.name, uint16_t(entry.id))
                                                   : nullptr) {
            parent.append(std::move(item));
        }
        if (text.pop_if(','))
            continue;
        if (text.pop_if('}'))
            return true;
        Debug_base::print(debug_channel, "RCDSC No finish 1\n");
        return false;
    }
}

}
}
