#pragma once
#include "tests/support/Iop_check.h"
#include "tests/vt_pool/Vt_engine.h"
#include "vt_pool/VtObject.h"
#include "vt_pool/VtReader.h"

#include <gtest/gtest.h>

#include <cstdint>

// The session reads a pool as the independent checker does: every byte, and
// every object the checker lists, under its ID and of its type, and no other.
inline void expectSameObjects(const Bytes& pool)
{
    const Iop_check check(pool);
    ASSERT_FALSE(check.objects().empty());
    Vt_engine vt;
    VtReader reader(nullptr);
    load(reader, pool);
    vt.session.parsePool(reader);
    EXPECT_EQ(reader.remaining(), 0u);
    size_t held = 0;
    for (uint32_t oid = 0; oid < VtSession::table_size; ++oid)
        held += vt.session.lookup(uint16_t(oid)) != nullptr;
    EXPECT_EQ(held, check.objects().size());
    for (const auto& [oid, object] : check.objects()) {
        const VtObject* read = vt.session.lookup(oid);
        ASSERT_NE(read, nullptr) << oid;
        EXPECT_EQ(read->getType(), object.type) << oid;
    }
}
