#pragma once
// A session wired to the doubles: a display, a transport and a system
// interface whose clock the test sets, with the working set at 0x26.
#include "tests/vt_pool/Vt_bytes.h"
#include "tests/vt_pool/Vt_engine_doubles.h"
#include "vt_pool/VtSession.h"
#include "vt_pool/model/VtObjectList.h"
#include "vt_pool/model/VtObjectListEntry.h"
#include "vt_pool/model/VtObjectRef.h"
#include "vt_pool/model/VtObjectRefList.h"

#include <memory>

struct Vt_engine {
    Vt_engine()
    {
        session.setDisplay(&display);
        session.setSystem(&system);
        session.setTransport(&transport);
        session.setWorkingSetAddress(0x26);
    }
    // The elements go before the display they belong to.
    ~Vt_engine() { session.deleteAll(); }

    template <class Object>
    Object& add(uint16_t oid)
    {
        auto object = std::make_unique<Object>(oid);
        Object& kept = *object;
        session.insert(std::move(object));
        return kept;
    }
    // Runs one message; the response (what went to the working set).
    Bytes run(const Bytes& message)
    {
        transport.sent.clear();
        session.handleMessage(message.data(), uint32_t(message.size()));
        const auto answers = transport.to(0x26);
        return answers.empty() ? Bytes() : answers.back();
    }

    VtSession session;
    Manual_system system;
    Recording_transport transport;
    Recording_display display{session};
};

inline void addChild(VtObjectRefList& list, uint16_t oid, int32_t x, int32_t y)
{
    list.append(std::make_unique<VtObjectRef>(oid, x, y));
}

inline void addEntry(VtObjectList& list, uint16_t oid)
{
    list.append(std::make_unique<VtObjectListEntry>(oid));
}
