#pragma once
#include "diagnostics/Isobus_diagnostics.h"
#include "tests/diagnostics/Diag_bench.h"

#include <memory>
#include <string>
#include <vector>

// ISO 11783 diagnostics with no fault entries, run on the test's thread.
class Test_isobus_diag : public Isobus_diagnostics {
public:
    Test_isobus_diag() : Isobus_diagnostics("j1939Diag") {}
    void begin() { diner_start(); }

protected:
    void define_items() override {}
};

// A Test_isobus_diag on the seeder's stack of a Diag_bench (the service
// tool at 0x30 listens to the six identification PGNs), with the
// certificate folder in the bench's temporary root.
class Isobus_bench : public Diag_bench {
public:
    // A record of a certificate file: its type and payload, and the length it
    // states (-1: the payload's own).
    struct Record {
        uint32_t type;
        std::string payload;
        int length = -1;
    };

protected:
    static constexpr uint32_t identification_pgns[] = {
        Isobus_diagnostics::pgn_diagnostic_protocol,    Isobus_diagnostics::pgn_ecu_identification,
        Isobus_diagnostics::pgn_functionalities,        Isobus_diagnostics::pgn_compliance_certs,
        Isobus_diagnostics::pgn_product_identification, Isobus_diagnostics::pgn_software_identification,
    };

    Isobus_bench();
    ~Isobus_bench() override { isobus.reset(); }

    // Runs the stacks and the diagnostics' task on what is due now.
    void settle_isobus();
    // Moves the clock on in 5 ms steps, settling after each.
    void run_isobus(int ms);

    // A certificate file of the records followed by the stray bytes.
    static bool write_certificate(const std::string& path, const std::vector<Record>& records,
                                  const std::string& stray = "");
    std::string default_certificate() const;

    std::unique_ptr<Test_isobus_diag> isobus = std::make_unique<Test_isobus_diag>();
};

std::string text_of(const std::vector<uint8_t>& bytes);
