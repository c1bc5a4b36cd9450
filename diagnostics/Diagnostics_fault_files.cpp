// The fault files: a ring of ten files "<name><n>.dat" in the persistent file
// space that keep the occurrence counts over power cycles. Changed entries
// are appended once a second; after records_per_file records, or when DM3 or
// DM11 reset counts, the next file of the ring starts with a snapshot. The
// current file n exists and file n + 1 does not, so at start the first
// missing file tells which one is current.
//
// A power cut at any moment leaves the old current file or the new one as
// the one found at start: files appear only whole (written beside, synced,
// renamed, the folder synced), and a cycle makes its removals durable
// before the new file appears, so that a start never sees the new file
// beside a stale one it should have replaced. Between the removals and the
// new file, file 0 can be missing after file 9: then file 9 is current.
#include "diagnostics/Diagnostic_history.h"
#include "diagnostics/Diagnostics.h"
#include "diagnostics/Diagnostics_messages.h"
#include "platform/io/Gril_parser.h"
#include "platform/io/PCFile_data_stream.h"
#include "platform/io/pcf_files.h"
#include "platform/rtos/Debug_base.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int channel = Diagnostics::debug_channel;
constexpr int file_mode = PCFile_data_stream::append_create;

// Reads the fault-file records of a file one by one, passing over what is
// not a whole record.
class Record_reader {
public:
    explicit Record_reader(PCFile_data_stream& file) : parser_(file) {}

    // False at the end of the file.
    bool next(Diagnostics_messages::Msg_SP& record)
    {
        uint8_t packet[Gril_parser::max_packet];
        for (int n; (n = parser_.get_packet(packet, sizeof packet)) != 0;)
            if (n == int(Diagnostics_messages::Msg_SP::size) && record.assign(packet, size_t(n)) &&
                record.is_valid())
                return true;
        return false;
    }

private:
    Gril_parser parser_;
};

}

void Diagnostics::file_name_of(int number, char (&name)[max_name + 1]) const
{
    const std::string text = name_ + std::to_string(number) + ".dat";
    std::snprintf(name, sizeof name, "%s", text.c_str());
}

void Diagnostics::set_current_file(int number)
{
    file_number_ = number;
    file_name_of(number, filename_);
    file_records_ = 0;
}

void Diagnostics::make_record(const Item& item, bool time_stamped, Diagnostics_messages::Msg_SP& record)
{
    uint32_t seconds = 0;
    int milliseconds = 0;
    if (time_stamped) {
        const Atime::Real_time t = item.time_stamp.real_timeb();
        seconds = uint32_t(t.seconds);
        milliseconds = t.milliseconds;
    }
    const cross_ref_t* d = item.definition;
    record.set(uint8_t(d ? d->src : 0), item.oc, d ? d->err : 0, seconds, uint8_t(milliseconds >> 2));
}

void Diagnostics::pcf_init()
{
    if (!pcfIsMounted(nullptr))
        return;
    Debug_base::print(channel, "<PCF Init>\n");
    int current = -1;
    char name[max_name + 1];
    for (int i = 1; i <= file_count && current < 0; ++i) {
        file_name_of(i % file_count, name);
        if (!pcfExists(name))
            current = i - 1;
    }
    if (current < 0) {
        Debug_base::print(channel, "WARNING: Invalid diagnostics file set found on init!\n");
        current = 0;
    }
    // A cycle cut short after its removals: the file before the missing one is current.
    file_name_of(current, name);
    const int before = (current + file_count - 1) % file_count;
    if (!pcfExists(name)) {
        file_name_of(before, name);
        if (pcfExists(name))
            current = before;
    }
    set_current_file(current);
    load_items_from_file();
    // The ring starts with its current file, so that a restart finds it.
    if (!pcfExists(filename_))
        pcfReplace(filename_, nullptr, 0);
    pcf_init_done_ = true;
    Debug_base::print(channel, "</PCF Init>\n");
}

void Diagnostics::load_items_from_file()
{
    const bool listing = Debug_base::enabled(channel);
    if (listing) {
        _print_list(true, "pre load_items_from_file()");
        _print_list(false, "pre load_items_from_file()");
    }
    if (pcfExists(filename_)) {
        PCFile_data_stream file;
        if (!file.open_read(filename_, file_mode)) {
            Debug_base::print(channel, "Could not open file %d: %s\r\n", file_number_, file.get_error());
            return;
        }
        file_records_ = 0;
        Record_reader reader(file);
        Diagnostics_messages::Msg_SP record;
        while (reader.next(record)) {
            Debug_base::print(channel, "Got Msg %x %x %x %x %x\n", unsigned(record.get_source()),
                              unsigned(record.get_err()), unsigned(record.get_oc()), record.get_seconds(),
                              record.get_milliseconds());
            Item* item = find(active_, record.get_source(), record.get_err());
            if (!item)
                item = find(inactive_, record.get_source(), record.get_err());
            if (item)
                item->oc = record.get_oc();
            else
                Debug_base::print(channel, "ERROR: Diag !matching item on load: src 0x%02X, err 0x%04X\n",
                                  unsigned(record.get_source()), unsigned(record.get_err()));
            ++file_records_;
        }
    }
    if (listing) {
        _print_list(true, "post load_items_from_file()");
        _print_list(false, "post load_items_from_file()");
    }
}

void Diagnostics::write_dirty()
{
    if (!pcf_init_done_) {
        Debug_base::print(channel, "write_dirty failed: Not init\n");
        return;
    }
    if (!dirty_) {
        Debug_base::print(channel, "Not dirty\n");
        return;
    }
    Debug_base::print(channel, "<WRITE>\n");
    // The records go out in one write, and the entries count as written only
    // once the file is synced: a failure leaves them to the next tick.
    std::vector<uint8_t> bytes;
    std::vector<Item*> written;
    Diagnostics_messages::Msg_SP record;
    for (Item* item = active_.first(); item; item = active_.next(*item)) {
        if (!item->drt)
            continue;
        make_record(*item, true, record);
        Debug_base::print(channel, "Write Dirty %d %d %d %u.%03d\n", int(record.get_source()), int(record.get_err()),
                          int(record.get_oc()), record.get_seconds(), int(record.get_milliseconds()));
        bytes.insert(bytes.end(), record.data(), record.data() + record.size);
        written.push_back(item);
    }
    if (!append(bytes))
        return;
    for (Item* item : written)
        item->drt = 0;
    file_records_ += int(written.size());
    dirty_ = false;
    Debug_base::print(channel, "</WRITE>\n");
}

bool Diagnostics::append(const std::vector<uint8_t>& bytes)
{
    // A current file that could not be made at start appears whole, as every new file does.
    if (!pcfExists(filename_))
        return pcfReplace(filename_, bytes.data(), bytes.size());
    PCFile_data_stream file;
    if (!file.open_write(filename_, file_mode))
        return false;
    const bool ok = file.__write(bytes.data(), bytes.size());
    return file.close() && ok;
}

bool Diagnostics::write_nonzero()
{
    if (!pcf_init_done_) {
        Debug_base::print(channel, "ERROR: write_nonzero failed: !pcf_init_done\n");
        return false;
    }
    std::vector<uint8_t> bytes;
    std::vector<Item*> written;
    Diagnostics_messages::Msg_SP record;
    for (const Item_tree* tree : {&inactive_, &active_}) {
        for (Item* item = tree->first(); item; item = tree->next(*item)) {
            if (item->oc == 0)
                continue;
            make_record(*item, false, record);
            bytes.insert(bytes.end(), record.data(), record.data() + record.size);
            written.push_back(item);
        }
    }
    // The snapshot appears whole or not at all: until it is in place the
    // previous file stays the current one for a restart.
    if (!pcfReplace(filename_, bytes.data(), bytes.size()))
        return false;
    for (Item* item : written)
        item->drt = 0;
    file_records_ += int(written.size());
    dirty_ = false;
    return true;
}

void Diagnostics::cycle_filename()
{
    if (!pcf_init_done_) {
        Debug_base::print(channel, "ERROR: cycle_filename failed. !pcf_init_done\n");
        return;
    }
    Debug_base::print(channel, "Cycling diagnostics file (was %d: '%s')\n", file_number_, filename_);
    const int previous = file_number_, previous_records = file_records_;
    const int next = inc_file_num(file_number_);
    char name[max_name + 1];
    file_name_of(next, name);
    pcfRemove(name);
    file_name_of(inc_file_num(next), name);
    pcfRemove(name);
    // Else a power cut could keep the new file and undo a removal: a full ring, read from file 0.
    if (!pcfSyncFolder()) {
        Debug_base::print(channel, "ERROR: cycle_filename cannot make the removals durable\n");
        return;
    }
    set_current_file(next);
    if (!write_nonzero()) {
        set_current_file(previous);
        file_records_ = previous_records;
        Debug_base::print(channel, "ERROR: cycle_filename write_nonzero failed!\n");
        return;
    }
    Debug_base::print(channel, "Cycled diagnostics file (now %d: '%s')\n", file_number_, filename_);
}

// The history replay.

void Diagnostics::continue_history()
{
    Diagnostic_history& history = *history_;
    if (!history.is_ready()) {
        submit_timeout(history.timer_);
        return;
    }
    char name[max_name + 1];
    for (; history.next_file_ != history.first_file_;
         history.next_file_ = inc_file_num(history.next_file_), history.record_index_ = 0) {
        file_name_of(history.next_file_, name);
        if (!pcfExists(name))
            continue;
        PCFile_data_stream file;
        if (!file.open_read(name, file_mode)) {
            Debug_base::print(channel, "Could not open file %d: %s\r\n", history.next_file_, file.get_error());
            break;
        }
        Record_reader reader(file);
        Diagnostics_messages::Msg_SP record;
        for (int index = 0; reader.next(record); ++index) {
            if (index < history.record_index_)
                continue;
            history.record_index_ = index + 1;
            Debug_base::print(channel, "Hist Msg %x %x %x %x %x\n", unsigned(record.get_source()),
                              unsigned(record.get_err()), unsigned(record.get_oc()), record.get_seconds(),
                              record.get_milliseconds());
            if (record.get_seconds() == 0)
                continue; // a snapshot's record tells no time
            history._output(record.get_source(), record.get_oc(), record.get_err(), record.get_seconds(),
                            record.get_milliseconds());
            if (!history.is_ready()) {
                submit_timeout(history.timer_);
                return;
            }
        }
    }
    end_history();
}

void Diagnostics::end_history()
{
    Diagnostic_history& history = *history_;
    history_ = nullptr;
    remove_timeout(history.timer_);
    history.done_ = true;
    history.notify_done();
}
