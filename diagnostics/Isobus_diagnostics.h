#pragma once
#include "diagnostics/Diagnostics.h"
#include "platform/can/Iso11783_Msg_DiagnosticProtocol.h"
#include "platform/can/Iso11783_Msg_ECUIdentification.h"
#include "platform/can/Iso11783_Msg_Functionalities.h"
#include "platform/can/Iso11783_Msg_IsobusComplianceCerts.h"
#include "platform/can/Iso11783_Msg_ProductIdentification.h"
#include "platform/can/Iso11783_Msg_SoftwareIdentification.h"

#include <cstdint>
#include <vector>

// The ISO 11783 layer of the diagnostics: one prepared reply for each
// identification message (ECU, product and software identification,
// functionalities, diagnostic protocol, compliance certification), sent to
// whoever requests it, to all when the request went to all. Requests for
// other PGNs go on to the J1939 service.
//
// The replies are read by the task under its lock; every operation that
// changes them from another thread takes that lock (a leading underscore:
// the caller holds it).
class Isobus_diagnostics : public Diagnostics {
public:
    static constexpr uint32_t pgn_diagnostic_protocol = 64818, pgn_ecu_identification = 64965,
                              pgn_functionalities = 64654, pgn_compliance_certs = 64834,
                              pgn_product_identification = 64653, pgn_software_identification = 65242;
    // The longest text field a certificate file may set.
    static constexpr int max_merge_field = 511;

    // The replies' defaults, the ECU and product identification from the platform.
    explicit Isobus_diagnostics(const char* name);
    ~Isobus_diagnostics() override;

    bool handle_pgn_request(uint32_t pgn, uint8_t source, uint8_t destination, unsigned slot) override;
    void register_pgns(unsigned slot) override;
    void deregister_pgns(unsigned slot) override;

    // Each replaces a stored reply with the message, cut to the reply's buffer.
    void set_ecu_id_response(const Iso11783::Msg_ECUIdentification& message);
    void set_product_id_response(const Iso11783::Msg_ProductIdentification& message);
    void set_software_id_response(const Iso11783::Msg_SoftwareIdentification& message);
    void set_functionalities_response(const Iso11783::Msg_Functionalities& message);
    void set_supported_diag_protocols_response(const Iso11783::Msg_DiagnosticProtocol& message);
    void set_isobus_compliance_response(const Iso11783::Msg_IsobusComplianceCerts& message);

    // The ECU and product identification from the platform's texts.
    void set_ecu_id_message();
    void set_product_id_message();
    // Appends the texts of a null-terminated list as fields of the software
    // identification. All or nothing: a text holding '*', or one that does
    // not fit, leaves the stored reply as it was.
    void append_software_fields(const char* const* fields);
    // Overlays the replies with a certificate file's records; null: the
    // default file of the certificate folder. True when the file is absent
    // or merged to its end; false when it cannot be opened or a record
    // cannot be read, keeping the records merged before it.
    bool merge_messages_from_file(const char* path);
    // Ends the task (waiting up to 1000 ms).
    void cleanup();

    // A copy of the reply that a request for the PGN gets ("" for another PGN).
    std::vector<uint8_t> get_response(uint32_t pgn) const;

protected:
    void _set_ecu_id_response(const Iso11783::Msg_ECUIdentification& message);
    void _set_product_id_response(const Iso11783::Msg_ProductIdentification& message);
    void _set_software_id_response(const Iso11783::Msg_SoftwareIdentification& message);
    void _set_functionalities_response(const Iso11783::Msg_Functionalities& message);
    void _set_supported_diag_protocols_response(const Iso11783::Msg_DiagnosticProtocol& message);
    void _set_isobus_compliance_response(const Iso11783::Msg_IsobusComplianceCerts& message);

    // Runs the change under the task's lock.
    template <class F>
    void locked(F change)
    {
        lock(-1);
        change();
        unlock();
    }

private:
    void merge_record(uint32_t type, const uint8_t* payload, int length);
    void merge_product_id(const uint8_t* payload, int length);
    void merge_ecu_id(const uint8_t* payload, int length);
    void merge_software_id(const uint8_t* payload, int length);

    Iso11783::Msg_DiagnosticProtocol diagnostic_protocol_;
    Iso11783::Msg_ECUIdentification ecu_id_;
    Iso11783::Msg_Functionalities functionalities_;
    Iso11783::Msg_IsobusComplianceCerts compliance_;
    Iso11783::Msg_ProductIdentification product_id_;
    Iso11783::Msg_SoftwareIdentification software_id_;
};
