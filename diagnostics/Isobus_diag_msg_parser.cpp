#include "diagnostics/Isobus_diag_msg_parser.h"
#include "platform/io/Binary_message.h"
#include "platform/io/Data_stream.h"
#include "platform/rtos/Debug_base.h"

bool Isobus_diag_msg_parser::get_next_message(uint8_t** payload, int& length, uint32_t& type, bool& failed)
{
    failed = true;
    *payload = nullptr;
    length = 0;
    type = 0;
    if (!stream_)
        return false;
    if (!stream_->bytes_avail(header_size)) {
        if (stream_->bytes_avail() > 0)
            Debug_print::dprint("IDMP header incomplete!\n");
        else
            failed = false;
        return false;
    }
    uint8_t header[header_size];
    if (!stream_->get_data(header, sizeof header)) {
        Debug_print::dprint("IDMP header read failed!\n");
        return false;
    }
    const uint32_t record_type = Binary_message::get_uint32_le(header);
    const int32_t record_length = int32_t(Binary_message::get_uint32_le(header + 4));
    stream_->drop(sizeof header);
    if (record_length < 1 || record_length > max_payload) {
        Debug_print::dprint("IDMP payload length invalid\n");
        return false;
    }
    if (!stream_->bytes_avail(size_t(record_length))) {
        Debug_print::dprint("IDMP payload incomplete!\n");
        return false;
    }
    if (!stream_->get_data(payload_, size_t(record_length))) {
        Debug_print::dprint("IDMP payload read failed!\n");
        return false;
    }
    stream_->drop(size_t(record_length));
    *payload = payload_;
    length = record_length;
    type = record_type;
    failed = false;
    return true;
}
