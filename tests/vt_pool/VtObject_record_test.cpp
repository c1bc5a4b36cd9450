// Reading and writing the record bodies of the 31 object types.
#include "tests/vt_pool/Vt_bytes.h"
#include "tests/vt_pool/Vt_record_cases.h"
#include "vt_pool/VtObjectDataMask.h"
#include "vt_pool/VtObjectInputFieldList.h"
#include "vt_pool/VtObjectInputFieldString.h"
#include "vt_pool/VtObjectOutputFieldString.h"
#include "vt_pool/VtObjectWorkingSet.h"
#include "vt_pool/createVtObject.h"
#include "vt_pool/model/VtColour.h"

#include <gtest/gtest.h>

namespace {

Bytes write_object(VtObject& object, uint32_t capacity = 100000)
{
    VtWriter writer(capacity, nullptr);
    EXPECT_EQ(object.write(writer), 0) << VtObject::getTypeName(object.getType());
    return written(writer);
}

int read_object(VtObject& object, const Bytes& record)
{
    VtReader reader(nullptr);
    load(reader, record);
    return object.read(reader);
}

}

TEST(VtObjectRecord, EveryTypeWithValuesOffItsDefaultsWritesWhatItRead)
{
    ASSERT_EQ(record_cases().size(), 31u);
    for (const Record_case& record : record_cases()) {
        SCOPED_TRACE(VtObject::getTypeName(record.type));
        const Bytes full = full_record(record);
        auto first = createVtObject(record.type, 1);
        ASSERT_EQ(first->getType(), record.type);
        VtReader reader(nullptr);
        load(reader, full);
        ASSERT_EQ(first->read(reader), 0);
        EXPECT_EQ(reader.remaining(), 0u);
        const Bytes once = write_object(*first);
        EXPECT_EQ(hex(once), hex(full));

        auto second = createVtObject(record.type, 2);
        ASSERT_EQ(read_object(*second, once), 0);
        EXPECT_EQ(hex(write_object(*second)), hex(full));
    }
}

TEST(VtObjectRecord, NewObjectsWriteTheirDefaults)
{
    for (const Record_case& record : record_cases()) {
        SCOPED_TRACE(VtObject::getTypeName(record.type));
        auto object = createVtObject(record.type, 1);
        EXPECT_EQ(hex(write_object(*object)), hex(blank_record(record)));
    }
}

TEST(VtObjectRecord, ARecordCutAtAnyByteKeepsTheFieldsThatWereWhole)
{
    for (const Record_case& record : record_cases()) {
        const Bytes full = full_record(record);
        for (size_t cut = 0; cut < full.size(); ++cut) {
            SCOPED_TRACE(std::string(VtObject::getTypeName(record.type)) + " cut at " + std::to_string(cut));
            auto object = createVtObject(record.type, 1);
            VtReader reader(nullptr);
            reader.setData(full.data(), uint32_t(cut));
            EXPECT_EQ(object->read(reader), 1);
            EXPECT_EQ(hex(write_object(*object)), hex(cut_record(record, cut)));
        }
    }
}

TEST(VtObjectRecord, DataMaskBuiltInCodeWritesTheIsoLayout)
{
    VtObjectDataMask mask(4000);
    mask.setBackgroundColour(VtColour(1));
    mask.setSoftKeyMask(2000);
    mask.getChilds().append(std::make_unique<VtObjectRef>(3000, -5, 10));
    const Bytes record = write_object(mask);
    EXPECT_EQ(hex(record), "01 D0 07 01 00 B8 0B FB FF 0A 00");

    VtObjectDataMask copy(4000);
    ASSERT_EQ(read_object(copy, record), 0);
    EXPECT_EQ(copy.getSoftKeyMask(), 2000);
    ASSERT_EQ(copy.getChilds().count(), 1u);
    EXPECT_EQ(copy.getChilds().at(0)->x, -5);
    EXPECT_EQ(hex(write_object(copy)), hex(record));
}

TEST(VtObjectRecord, AnyNonZeroFlagByteReadsTrueAndWritesOne)
{
    VtObjectWorkingSet working_set(1);
    ASSERT_EQ(read_object(working_set, bytes("00 80 FF FF 00 00 00")), 0);
    EXPECT_EQ(hex(write_object(working_set)), "00 01 FF FF 00 00 00");
}

TEST(VtObjectRecord, ACountOrTextTooLongForItsFieldFailsTheWriteWithoutWritingIt)
{
    VtObjectDataMask mask(1);
    for (int i = 0; i < 256; ++i)
        mask.getChilds().append(std::make_unique<VtObjectRef>(uint16_t(i), 0, 0));
    VtObjectInputFieldList list(3);
    for (int i = 0; i < 256; ++i)
        list.addElement(uint16_t(i));
    VtObjectInputFieldString input(4);
    input.setValue(std::string(256, 'x'));
    VtObjectOutputFieldString output(5);
    output.setValue(std::string(65536, 'x'));

    struct {
        VtObject& object;
        size_t bytes_before;
    } cases[] = {
        {mask, 3},    // colour and soft key mask, then 256 children
        {list, 7},    // size, variable and value, then 256 elements
        {input, 13},  // every field before the 256-byte value
        {output, 11}, // every field before the 65,536-byte value
    };
    for (auto& c : cases) {
        SCOPED_TRACE(VtObject::getTypeName(c.object.getType()));
        VtWriter writer(100000, nullptr);
        EXPECT_EQ(c.object.write(writer), 1);
        EXPECT_EQ(writer.getLength(), c.bytes_before);
    }
}
