#pragma once
#include "diagnostics/Diagnostics.h"
#include "diagnostics/Diagnostics_messages.h"
#include "platform/can/Known_names.h"
#include "tests/control_logic/Temp_folder.h"
#include "tests/platform/can/Zev_bench.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

// A diagnostics object with fault entries of its own (one per definition,
// all reported the given ways), run on the test's thread.
class Test_diag : public Diagnostics {
public:
    explicit Test_diag(std::vector<cross_ref_t> definitions, uint8_t report_types = j1939_report,
                       const char* name = "j1939Diag")
        : Diagnostics(name), definitions_(std::move(definitions)), report_types_(report_types),
          items_(new Item[definitions_.size()])
    {
    }

    void begin() { diner_start(); }
    Item& item(size_t i) { return items_[i]; }
    using Diagnostics::get_inactive_tree;

protected:
    void define_items() override
    {
        for (size_t i = 0; i < definitions_.size(); ++i) {
            items_[i].definition = &definitions_[i];
            items_[i].report_types = report_types_;
            get_inactive_tree().insert(items_[i]);
        }
    }

private:
    std::vector<cross_ref_t> definitions_;
    uint8_t report_types_;
    std::unique_ptr<Item[]> items_;
};

// The definition of entry i of a table: source 0x10 + i / 100, error code
// i + 1, SPN 1000 + i, FMI i % 32.
std::vector<cross_ref_t> definitions(size_t count);

constexpr uint8_t ecu_address = 0x90, tool_address = 0x30;

// The bytes of a fault-file record.
std::vector<uint8_t> record(uint8_t source, uint16_t oc, uint16_t err, uint32_t seconds = 0, uint8_t quarter_ms = 0);

// A Test_diag on the seeder's stack of a bench, with a service tool node
// (0x30) that listens to DM1, DM2 and acknowledgements, and the fault files
// in a temporary root.
class Diag_bench : public testing::Test {
protected:
    Diag_bench();
    ~Diag_bench() override;

    // Makes, initialises and starts the diagnostics (once per test, or again
    // after stop(), as after a power cycle).
    Test_diag& start(std::vector<cross_ref_t> defs, uint8_t report_types = Diagnostics::j1939_report);
    void stop() { diag.reset(); }

    // Moves the clock on in 5 ms steps, running the stacks and the task.
    void run_for(int ms);
    // Runs what is due now.
    void settle();

    void report(uint8_t source, const std::vector<uint16_t>& codes);
    // A request (PGN 59904) from the tool for the PGN, to the address.
    void request(uint32_t pgn, uint8_t to);
    // Frames of the PGN from the address that the bus carried (since wire.heard was last cleared).
    std::vector<Can_frame> frames(uint32_t pgn, uint8_t from = ecu_address) const;
    // Whole messages of the PGN the tool received (reassembled when long).
    std::vector<std::vector<uint8_t>> messages(uint32_t pgn);

    std::string file(int n) const;
    bool has_file(int n) const;
    std::vector<uint8_t> file_bytes(int n) const;
    void write_file(int n, const std::vector<uint8_t>& bytes) const;
    // The records of a file that read back whole.
    std::vector<Diagnostics_messages::Msg_SP> records(int n) const;

    Temp_folder root;
    Zev_bench bench;
    Zev_bench::Node& ecu = bench.add_claimed_node(Known_names::get_seeder(1), ecu_address);
    Zev_bench::Node& tool = bench.add_claimed_node(Known_names::get_tessaryn_master(2), tool_address);
    Frame_peer wire{bench};
    std::unique_ptr<Test_diag> diag;
};
