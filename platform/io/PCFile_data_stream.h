#pragma once
#include "platform/io/Data_stream.h"

#include <cstddef>
#include <cstdint>

// A file of the persistent file space (pcf_files.h) as a data stream: opened
// for reading, fill() brings the file's bytes into the stream's buffer as
// the reader takes them; opened for writing, __write puts bytes in the file.
class PCFile_data_stream : public Data_stream {
public:
    // Mode bits of open_write: create a missing file, append to what is there
    // (else the file starts empty). The callers use both.
    static constexpr int create = 1, append = 4;
    static constexpr int append_create = create | append;

    PCFile_data_stream();
    ~PCFile_data_stream() override; // closes
    PCFile_data_stream(const PCFile_data_stream&) = delete;
    PCFile_data_stream& operator=(const PCFile_data_stream&) = delete;

    // Reading needs no mode; the callers pass open_write's.
    bool open_read(const char* name, int mode);
    bool open_write(const char* name, int mode);
    // A written file is synced before it is closed. False when a write or
    // the sync failed since the open.
    bool close();
    bool is_open() const { return fd_ >= 0; }

    bool __write(const uint8_t* bytes, size_t n) override;
    // Reading: moves the next bytes of the file into the buffer, as many as
    // fit; returns how many (0 at the end of the file or on an error).
    size_t fill();

    // Why the last open, write or close failed.
    const char* get_error() const;

private:
    bool open(const char* name, int flags);

    int fd_ = -1;
    bool writing_ = false;
    bool failed_ = false;
    int error_ = 0;
};
