// The VT object records a peer sends: the bodies of the 31 object types,
// attribute changes, and whole pools whose references link the objects.
//
// Input: byte 0 picks the mode (modulo 3).
// 0: byte 1 is the type (modulo 32, so that 31 names none), the rest one
//    record body.
// 1: byte 1 is the type, the rest pairs of an attribute ID and the bytes
//    setAttribute reads from the same stream.
// 2: the rest a pool: records of object ID (u16), type and body, one after
//    the other, until one does not read; a record for an ID already held
//    replaces that object.
//
// Holds: a type past 30 makes no object; a read never takes more than it
// was given; an object that was read writes its body again within bytes it
// could have been read from, and a whole body written reads back to the
// same bytes; setAttribute answers 0 or 2; in a pool whose objects name one
// another in cycles or name objects replaced later, resolving, spreading
// changes and destroying the objects touches no freed memory.
#include "fuzz/Fuzz_check.h"
#include "fuzz/Fuzz_input.h"
#include "vt_pool/VtObject.h"
#include "vt_pool/VtObjectTable.h"
#include "vt_pool/VtReader.h"
#include "vt_pool/VtWriter.h"
#include "vt_pool/createVtObject.h"
#include "vt_pool/model/VtLogger.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

// Formats every trace line, as a verbose reader does, and drops it.
class Silent_logger : public VtLogger {
public:
    void print(const char*, ...) override {}
};

Silent_logger logger;

std::unique_ptr<VtObject> make(uint8_t type_byte, uint16_t oid)
{
    const uint32_t type = type_byte % 32u;
    std::unique_ptr<VtObject> object = createVtObject(type, oid);
    fuzz_check(!object == (type > 30), "an object made for a type past 30, or none for a known type");
    fuzz_check(!object || object->getType() == type, "an object of another type");
    return object;
}

void load(VtReader& reader, const std::string& bytes)
{
    reader.setVerbose(true);
    reader.setData(reinterpret_cast<const uint8_t*>(bytes.data()), uint32_t(bytes.size()));
}

std::string written(const VtWriter& writer)
{
    return std::string(reinterpret_cast<const char*>(writer.getData()), writer.getLength());
}

// Whatever was read writes again: nothing read can be longer than its field.
std::string write_back(VtObject& object, size_t input_size)
{
    VtWriter writer(uint32_t(2 * input_size + 4096), &logger);
    writer.setVerbose(true);
    fuzz_check(object.write(writer) == 0, "an object read from bytes does not write");
    return written(writer);
}

void one_record(Fuzz_input& input)
{
    std::unique_ptr<VtObject> object = make(input.u8(), 1);
    const std::string body = input.rest();
    if (!object)
        return;
    VtReader reader(&logger);
    load(reader, body);
    const int result = object->read(reader);
    fuzz_check(result == 0 || result == 1, "read gives neither 0 nor 1");
    fuzz_check(reader.remaining() <= body.size(), "read took more than it was given");
    const std::string once = write_back(*object, body.size());
    if (result != 0)
        return;
    std::unique_ptr<VtObject> copy = createVtObject(object->getType(), 2);
    load(reader, once);
    fuzz_check(copy->read(reader) == 0 && reader.remaining() == 0, "a written body does not read back whole");
    fuzz_check(write_back(*copy, once.size()) == once, "a written body reads back to other bytes");
}

void attributes(Fuzz_input& input)
{
    std::unique_ptr<VtObject> object = make(input.u8(), 1);
    const std::string rest = input.rest();
    if (!object)
        return;
    VtReader reader(&logger);
    load(reader, rest);
    uint8_t aid;
    while (reader.readByte(aid, "aid")) {
        const uint32_t before = reader.remaining();
        const int result = object->setAttribute(aid, reader);
        fuzz_check(result == 0 || result == 2, "setAttribute gives neither 0 nor 2");
        fuzz_check(result == 0 || reader.remaining() == before, "a refused attribute took bytes");
    }
    write_back(*object, rest.size());
}

class Pool : public VtObjectTable {
public:
    VtObject* lookup(uint16_t oid) const override
    {
        auto found = objects.find(oid);
        return found == objects.end() ? nullptr : found->second.get();
    }

    std::map<uint16_t, std::unique_ptr<VtObject>> objects;
};

void pool(Fuzz_input& input)
{
    const std::string bytes = input.rest();
    VtReader reader(&logger);
    load(reader, bytes);
    Pool pool;
    uint16_t oid;
    uint8_t type;
    while (reader.readOid(oid, "oid") && reader.readByte(type, "type")) {
        std::unique_ptr<VtObject> object = make(type, oid);
        if (!object || object->read(reader) != 0)
            break;
        // A replaced object leaves the ones resolved to it unresolved.
        pool.objects[oid] = std::move(object);
        for (auto& entry : pool.objects)
            entry.second->resolveReferences(pool);
    }
    for (auto& entry : pool.objects)
        entry.second->notifyChanged();
    // Destroyed from the highest ID down, so that referrers outlive their
    // targets as often as not.
    while (!pool.objects.empty())
        pool.objects.erase(std::prev(pool.objects.end()));
}

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Fuzz_input input(data, size);
    switch (input.u8() % 3) {
    case 0:
        one_record(input);
        break;
    case 1:
        attributes(input);
        break;
    default:
        pool(input);
        break;
    }
    return 0;
}
