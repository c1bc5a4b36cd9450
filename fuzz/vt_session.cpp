// The ECU-to-VT messages a working set sends to the display side: pools,
// end of pool, object changes, version commands, in any order.
//
// Input: messages one after the other, each a length (u16, little-endian)
// and that many bytes (fewer at the end of the input). The clock steps
// 100 ms per message. After the last one the display redraws and the
// session writes its dump.
//
// Holds: no message read from a peer makes the session touch memory it
// does not own or recurse without end (a pool whose objects contain or
// point at themselves included); every message the VT sends fits its
// 1,785 bytes.
#include "fuzz/Fuzz_check.h"
#include "tests/vt_pool/Vt_engine.h"
#include "vt_pool/model/VtLogger.h"

#include <algorithm>

namespace {

// Formats every line, as a real logger does, and drops it.
class Silent_logger : public VtLogger {
public:
    void printIndented(unsigned, const char*, ...) override {}
    void print(const char*, ...) override {}
};

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Silent_logger logger;
    Vt_engine vt;
    vt.session.setLogger(&logger);
    size_t at = 0;
    while (at + 2 <= size) {
        const size_t length = std::min<size_t>(data[at] | data[at + 1] << 8, size - at - 2);
        at += 2;
        vt.transport.sent.clear();
        vt.session.handleMessage(data + at, uint32_t(length));
        at += length;
        vt.system.time += 100;
        for (const Sent_message& sent : vt.transport.sent)
            fuzz_check(sent.bytes.size() <= VtSession::message_capacity, "a message past 1,785 bytes");
    }
    vt.display.refreshAll();
    vt.session.dump(logger);
    return 0;
}
