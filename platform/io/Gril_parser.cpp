#include "platform/io/Gril_parser.h"
#include "platform/io/Gril_message.h"
#include "platform/io/PCFile_data_stream.h"

#include <algorithm>

bool Gril_parser::buffered(size_t n)
{
    while (stream_.bytes_avail() < n)
        if (stream_.fill() == 0)
            return false;
    return true;
}

int Gril_parser::get_packet(uint8_t* buffer, int max)
{
    if (!buffered(1))
        return 0;
    const size_t limit = size_t(std::clamp(max, 0, max_packet));
    if (buffer && stream_[0] == Gril_message::sync && buffered(Gril_message::header_size)) {
        const size_t length = size_t(stream_[3]) | size_t(stream_[4]) << 8;
        if (length >= Gril_message::min_length && length <= limit && buffered(length)) {
            stream_.get_data(buffer, length);
            if (buffer[length - 1] == Gril_message::checksum_of(buffer, length - 1)) {
                stream_.drop(length);
                return int(length);
            }
        }
    }
    // No record starts here: the next one may start at the next byte.
    stream_.drop(1);
    return -1;
}
