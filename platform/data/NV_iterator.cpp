#include "platform/data/NV_iterator.h"
#include "platform/io/Binary_message.h"
#include "platform/io/Util.h"

namespace NV_store {

namespace {

const uint8_t magic[4] = {'K', 'X', 'N', 'V'};
constexpr size_t header_size = 4 + 2 + 4; // magic, version, payload length
constexpr size_t crc_size = 4;
constexpr size_t item_header_size = 4;    // type byte, form, id
// Far deeper than any tree we build; stops a crafted file from recursing without end.
constexpr int max_depth = 32;

}

void NV_iterator::start_image()
{
    close();
    state_ = state_writing;
    image_.assign(magic, magic + 4);
    image_.resize(header_size);
    Binary_message::set_uint16_le(&image_[4], format_version);
}

bool NV_iterator::push_bytes(const uint8_t* bytes, size_t count)
{
    if (state_ != state_writing)
        return false;
    image_.insert(image_.end(), bytes, bytes + count);
    return true;
}

bool NV_iterator::push_header(uint8_t type_byte, form_t form, uint16_t id)
{
    uint8_t bytes[item_header_size] = {type_byte, uint8_t(form)};
    Binary_message::set_uint16_le(&bytes[2], id);
    if (!push_bytes(bytes, sizeof bytes))
        return false;
    if (form == form_container) {
        open_containers_.push_back(image_.size());
        image_.resize(image_.size() + 4);
    }
    return true;
}

bool NV_iterator::close_container()
{
    if (state_ != state_writing || open_containers_.empty())
        return false;
    size_t length_at = open_containers_.back();
    open_containers_.pop_back();
    Binary_message::set_uint32_le(&image_[length_at], uint32_t(image_.size() - length_at - 4));
    return true;
}

bool NV_iterator::finish_image()
{
    if (state_ != state_writing || !open_containers_.empty() || image_.size() == header_size)
        return false;
    Binary_message::set_uint32_le(&image_[6], uint32_t(image_.size() - header_size));
    uint8_t crc[crc_size];
    Binary_message::set_uint32_le(crc, Util::crc32(0, image_.data(), image_.size()));
    image_.insert(image_.end(), crc, crc + crc_size);
    state_ = state_idle;
    return true;
}

size_t NV_iterator::item_end(size_t pos, size_t limit, int depth) const
{
    if (limit - pos < item_header_size)
        return 0;
    Data_item::class_type_t class_type;
    Data_item::item_type_t type;
    if (!Data_item::decode_type_byte(image_[pos], class_type, type))
        return 0;
    uint8_t form = image_[pos + 1];
    pos += item_header_size;
    size_t single = Data_item::get_value_size(type);
    switch (form) {
    case form_value:
        if (class_type != Data_item::class_single || single == 0 || limit - pos < single)
            return 0;
        return pos + single;
    case form_counted: {
        if (class_type != Data_item::class_array || single == 0 || limit - pos < 1)
            return 0;
        size_t bytes = image_[pos] * single;
        return limit - pos - 1 < bytes ? 0 : pos + 1 + bytes;
    }
    case form_container: {
        if (class_type != Data_item::class_single ||
            (type != Data_item::type_struct && type != Data_item::type_item_array) || depth >= max_depth ||
            limit - pos < 4)
            return 0;
        size_t length = Binary_message::get_uint32_le(&image_[pos]);
        pos += 4;
        if (limit - pos < length)
            return 0;
        size_t end = pos + length;
        while (pos < end) {
            pos = item_end(pos, end, depth + 1);
            if (pos == 0)
                return 0;
        }
        return end;
    }
    default:
        return 0;
    }
}

bool NV_iterator::open_image(std::vector<uint8_t> image)
{
    close();
    image_ = std::move(image);
    problem_ = image_problem();
    if (!problem_.empty()) {
        close();
        return false;
    }
    state_ = state_reading;
    position_ = header_size;
    payload_end_ = image_.size() - crc_size;
    return true;
}

std::string NV_iterator::image_problem() const
{
    const size_t size = image_.size();
    if (size < header_size + crc_size || std::memcmp(image_.data(), magic, 4) != 0)
        return "not a parameter file";
    const uint16_t version = Binary_message::get_uint16_le(&image_[4]);
    if (version != format_version)
        return "format version " + std::to_string(version) + ", not " + std::to_string(format_version);
    if (Binary_message::get_uint32_le(&image_[6]) != size - header_size - crc_size)
        return "its length is not the one in its header (cut short?)";
    if (Binary_message::get_uint32_le(&image_[size - crc_size]) != Util::crc32(0, image_.data(), size - crc_size))
        return "its checksum does not match (damaged)";
    if (item_end(header_size, size - crc_size, 0) != size - crc_size)
        return "its items do not nest, or nest too deep";
    return "";
}

bool NV_iterator::pop_bytes(uint8_t* bytes, size_t count)
{
    if (state_ != state_reading || payload_end_ - position_ < count)
        return false;
    std::memcpy(bytes, &image_[position_], count);
    position_ += count;
    return true;
}

bool NV_iterator::peek_header(uint8_t& type_byte, uint8_t& form, uint16_t& id) const
{
    if (state_ != state_reading || payload_end_ - position_ < item_header_size)
        return false;
    type_byte = image_[position_];
    form = image_[position_ + 1];
    id = Binary_message::get_uint16_le(&image_[position_ + 2]);
    return true;
}

bool NV_iterator::pop_header(uint8_t& type_byte, uint8_t& form, uint16_t& id)
{
    if (!peek_header(type_byte, form, id))
        return false;
    position_ += item_header_size;
    return true;
}

bool NV_iterator::pop_header_of(const NV_item& item)
{
    uint8_t type_byte, form;
    uint16_t id;
    return peek_header(type_byte, form, id) && type_byte == item.get_type_byte() && form == item.get_form() &&
           id == item.get_id() && pop_header(type_byte, form, id);
}

bool NV_iterator::pop_container(size_t& end)
{
    uint32_t length;
    if (!pop_value(length) || payload_end_ - position_ < length)
        return false;
    end = position_ + length;
    return true;
}

bool NV_iterator::skip_item()
{
    if (state_ != state_reading)
        return false;
    size_t end = item_end(position_, payload_end_, 0);
    if (end == 0)
        return false;
    position_ = end;
    return true;
}

void NV_iterator::close()
{
    state_ = state_idle;
    image_.clear();
    open_containers_.clear();
    position_ = 0;
    payload_end_ = 0;
}

}
