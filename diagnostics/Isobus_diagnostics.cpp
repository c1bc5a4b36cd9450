#include "diagnostics/Isobus_diagnostics.h"
#include "platform/can/ZEV_smart_stack.h"
#include "platform/rtos/Debug_base.h"
#include "platform/rtos/Platform.h"

#include <algorithm>
#include <iterator>
#include <string>

namespace {

constexpr int channel = Diagnostics::debug_channel;
constexpr uint32_t identification_pgns[] = {
    Isobus_diagnostics::pgn_compliance_certs,       Isobus_diagnostics::pgn_diagnostic_protocol,
    Isobus_diagnostics::pgn_functionalities,        Isobus_diagnostics::pgn_product_identification,
    Isobus_diagnostics::pgn_software_identification, Isobus_diagnostics::pgn_ecu_identification,
};

// The stored reply becomes the message, as much of it as the reply's buffer holds.
template <class M>
void replace(M& stored, const M& message)
{
    stored.restore();
    stored.copy_from_no_resize(message);
}

template <class M>
std::vector<uint8_t> bytes_of(const M& message)
{
    return std::vector<uint8_t>(message.data(), message.data() + message.size());
}

// The platform's texts first..first + count - 1 as the message's fields; an
// unknown text (null, or holding '*') leaves its field empty.
template <class M>
M from_platform(int first)
{
    const char* const* texts = Platform::instance().get_identification();
    M message;
    for (int i = 0; i < M::fields; ++i)
        if (texts[first + i])
            message.set_delim_field(i, texts[first + i]);
    message.pad_delimiters(M::fields);
    message.finish();
    return message;
}

}

Isobus_diagnostics::Isobus_diagnostics(const char* name) : Diagnostics(name)
{
    diagnostic_protocol_.data()[0] = 0;
    set_ecu_id_message();
    set_product_id_message();
    // One functionality: minimum control function (0), generation 1, no options.
    Iso11783::Msg_Functionalities functionalities;
    const uint8_t one[] = {0xFF, 1, 0, 1, 0, 0xFF, 0xFF, 0xFF};
    std::copy(std::begin(one), std::end(one), functionalities.data());
    functionalities.resize(sizeof one);
    _set_functionalities_response(functionalities);
    // No software items yet: the count 0 alone.
    software_id_.finish();
}

Isobus_diagnostics::~Isobus_diagnostics()
{
    // The base drops its own registrations once this layer is gone; these
    // must go while the task still stands.
    terminate(1, 1000);
    for (unsigned slot = 0; slot < max_stacks; ++slot)
        if (ZEV_smart_stack* stack = get_slot_stack(slot))
            for (uint32_t pgn : identification_pgns)
                stack->deregister_pgn(pgn, &get_waiter(), ZEV_stack::PGN_REQUEST);
}

bool Isobus_diagnostics::handle_pgn_request(uint32_t pgn, uint8_t source, uint8_t destination, unsigned slot)
{
    auto send = [&](const char* line, auto& reply) {
        Debug_base::print(channel, "%s", line);
        if (ZEV_smart_stack* stack = get_slot_stack(slot))
            reply.nwrite_request_response(stack, get_slot_name(slot), source, 6, pgn, destination);
        return true;
    };
    switch (pgn) {
    case pgn_diagnostic_protocol:
        return send("PGN_ISOBUS_DIAGNOSTIC_PROTOCOL\n", diagnostic_protocol_);
    case pgn_product_identification:
        return send("PGN_ISOBUS_PRODUCT_IDENTIFICATION\n", product_id_);
    case pgn_functionalities:
        return send("PGN_ISOBUS_FUNCTIONALITIES\n", functionalities_);
    case pgn_ecu_identification:
        return send("PGN_J1939_ECU_IDENTIFICATION\n", ecu_id_);
    case pgn_software_identification:
        return send("PGN_J1939_SOFTWARE_IDENTIFICATION\n", software_id_);
    case pgn_compliance_certs:
        return send("PGN_ISOBUS_COMPLIANCE_CERTS\n", compliance_);
    default:
        Debug_base::print(channel, "Not an ISOBUS diag pgn. Checking J1939\n");
        return Diagnostics::handle_pgn_request(pgn, source, destination, slot);
    }
}

void Isobus_diagnostics::register_pgns(unsigned slot)
{
    Diagnostics::register_pgns(slot);
    if (ZEV_smart_stack* stack = get_slot_stack(slot))
        for (uint32_t pgn : identification_pgns)
            stack->register_pgn(pgn, &get_waiter(), get_slot_event_id(slot), ZEV_stack::PGN_REQUEST);
}

void Isobus_diagnostics::deregister_pgns(unsigned slot)
{
    Diagnostics::deregister_pgns(slot);
    if (ZEV_smart_stack* stack = get_slot_stack(slot))
        for (uint32_t pgn : identification_pgns)
            stack->deregister_pgn(pgn, &get_waiter(), ZEV_stack::PGN_REQUEST);
}

void Isobus_diagnostics::set_ecu_id_response(const Iso11783::Msg_ECUIdentification& message)
{
    locked([&] { _set_ecu_id_response(message); });
}

void Isobus_diagnostics::set_product_id_response(const Iso11783::Msg_ProductIdentification& message)
{
    locked([&] { _set_product_id_response(message); });
}

void Isobus_diagnostics::set_software_id_response(const Iso11783::Msg_SoftwareIdentification& message)
{
    locked([&] { _set_software_id_response(message); });
}

void Isobus_diagnostics::set_functionalities_response(const Iso11783::Msg_Functionalities& message)
{
    locked([&] { _set_functionalities_response(message); });
}

void Isobus_diagnostics::set_supported_diag_protocols_response(const Iso11783::Msg_DiagnosticProtocol& message)
{
    locked([&] { _set_supported_diag_protocols_response(message); });
}

void Isobus_diagnostics::set_isobus_compliance_response(const Iso11783::Msg_IsobusComplianceCerts& message)
{
    locked([&] { _set_isobus_compliance_response(message); });
}

void Isobus_diagnostics::_set_ecu_id_response(const Iso11783::Msg_ECUIdentification& message)
{
    replace(ecu_id_, message);
}

void Isobus_diagnostics::_set_product_id_response(const Iso11783::Msg_ProductIdentification& message)
{
    replace(product_id_, message);
}

void Isobus_diagnostics::_set_software_id_response(const Iso11783::Msg_SoftwareIdentification& message)
{
    replace(software_id_, message);
}

void Isobus_diagnostics::_set_functionalities_response(const Iso11783::Msg_Functionalities& message)
{
    replace(functionalities_, message);
}

void Isobus_diagnostics::_set_supported_diag_protocols_response(const Iso11783::Msg_DiagnosticProtocol& message)
{
    replace(diagnostic_protocol_, message);
}

void Isobus_diagnostics::_set_isobus_compliance_response(const Iso11783::Msg_IsobusComplianceCerts& message)
{
    replace(compliance_, message);
}

void Isobus_diagnostics::set_ecu_id_message()
{
    set_ecu_id_response(from_platform<Iso11783::Msg_ECUIdentification>(0));
}

void Isobus_diagnostics::set_product_id_message()
{
    set_product_id_response(from_platform<Iso11783::Msg_ProductIdentification>(Iso11783::Msg_ECUIdentification::fields));
}

void Isobus_diagnostics::append_software_fields(const char* const* fields)
{
    if (!fields)
        return;
    lock(-1);
    Iso11783::Msg_SoftwareIdentification rebuilt;
    const int old_count = software_id_.size() > 0 ? software_id_.data()[0] : 0;
    bool whole = true;
    for (int i = 0; whole && i < old_count; ++i) {
        const int start = software_id_.get_delim_field_start_offset(i);
        const int length = software_id_.get_delim_field_len(i);
        whole = start >= 0 && length >= 0 &&
                rebuilt.set_delim_field(i, std::string(software_id_.data() + start,
                                                       software_id_.data() + start + length).c_str());
        if (!whole)
            Debug_print::dprint("Failed to get old software id field %d\n", i);
    }
    rebuilt.data()[0] = uint8_t(old_count);
    for (const char* const* text = fields; whole && *text; ++text) {
        const int count = rebuilt.data()[0];
        whole = count < 255 && rebuilt.set_delim_field(count, *text);
        if (whole)
            rebuilt.data()[0] = uint8_t(count + 1);
        else
            Debug_print::dprint("Failed to append new field '%s'\n", *text);
    }
    if (whole) {
        rebuilt.finish();
        _set_software_id_response(rebuilt);
    }
    unlock();
}

void Isobus_diagnostics::cleanup()
{
    terminate(1, 1000);
}

std::vector<uint8_t> Isobus_diagnostics::get_response(uint32_t pgn) const
{
    lock(-1);
    std::vector<uint8_t> out;
    switch (pgn) {
    case pgn_diagnostic_protocol:
        out = bytes_of(diagnostic_protocol_);
        break;
    case pgn_ecu_identification:
        out = bytes_of(ecu_id_);
        break;
    case pgn_functionalities:
        out = bytes_of(functionalities_);
        break;
    case pgn_compliance_certs:
        out = bytes_of(compliance_);
        break;
    case pgn_product_identification:
        out = bytes_of(product_id_);
        break;
    case pgn_software_identification:
        out = bytes_of(software_id_);
        break;
    default:
        break;
    }
    unlock();
    return out;
}
