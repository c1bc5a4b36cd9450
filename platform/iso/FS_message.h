#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace FS {

// The messages of ISO 11783-13 between a client and a file server: requests
// on PGN 0xAA00 to the server, answers and the server's status on 0xAB00.
// Byte 0 is the function code: its high nibble names the group (connection
// management, directory, file access), its low nibble the function within.
// Requests that the server answers carry a transaction number (TAN) in byte 1,
// which the answer repeats; multi-byte numbers are little-endian.
class FS_message {
public:
    using gid_t = uint8_t;   // function group
    using fid_t = uint8_t;   // function within its group
    using error_t = uint8_t; // the answer's error code

    static constexpr uint32_t pgn_to_server = 0xAA00;
    static constexpr uint32_t pgn_to_client = 0xAB00;
    static constexpr uint8_t priority = 7;

    enum Function : uint8_t {
        status = 0x00, // server status; from a client, connection maintenance
        properties = 0x01,
        change_directory = 0x11,
        open_file = 0x20,
        seek_file = 0x21,
        read_file = 0x22,
        close_file = 0x24,
    };

    enum Error : error_t {
        success = 0,
        access_denied = 1,
        invalid_access = 2,
        too_many_open = 3,
        not_found = 4,
        invalid_handle = 5,
        write_failure = 9,
        media_not_present = 10,
        read_failure = 11,
        not_supported = 12,
        invalid_length = 42,
        any_other = 44,
        end_of_file = 45,
    };

    // Open flags: the access in bits 0-1.
    static constexpr uint8_t open_for_reading = 0, open_directory = 3;
    // Seek modes.
    static constexpr uint8_t seek_from_start = 0, seek_from_end = 2;
    // Status bits of the server.
    static constexpr uint8_t busy_reading = 0x01, busy_writing = 0x02;

    // The version of the standard this client speaks (second edition).
    static constexpr uint8_t client_version = 3;

    static gid_t group_of(uint8_t function) { return gid_t(function >> 4); }
    static fid_t function_of(uint8_t function) { return fid_t(function & 0x0F); }

    // A request's bytes, with 0xFF in the TAN until the client numbers it;
    // short ones are padded to a whole frame with 0xFF.
    static std::vector<uint8_t> maintenance();
    static std::vector<uint8_t> get_properties();
    static std::vector<uint8_t> change_directory_request(const char* path, size_t length);
    static std::vector<uint8_t> open_request(const char* path, size_t length, uint8_t flags);
    static std::vector<uint8_t> seek_request(uint8_t handle, uint8_t mode, int32_t offset);
    static std::vector<uint8_t> read_request(uint8_t handle, uint16_t count);
    static std::vector<uint8_t> close_request(uint8_t handle);

    // The longest path a request carries: an open request must fit a TP message.
    static constexpr size_t max_path = 1780;
};

}
