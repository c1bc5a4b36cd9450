// The whole build of the seeder's pool, read back by the independent pool
// checker: the table it records, the bytes it leaves, and what a writer
// too small for it gives.
#include "tests/support/Iop_check.h"
#include "vt_pool/VtWriter.h"
#include "vt_pool/build_seeder_pool.h"
#include "vt_pool/screens/Seeder_screens.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

struct Built {
    explicit Built(uint32_t capacity = seeder_pool_writer_size) : writer(capacity, nullptr)
    {
        complete = build_seeder_pool(*ids, writer, VtSize(240, 240));
        bytes.assign(writer.getData(), writer.getData() + writer.getLength());
    }

    std::unique_ptr<Seeder_pool_ids> ids = std::make_unique<Seeder_pool_ids>();
    VtWriter writer;
    bool complete = false;
    Bytes bytes;
};

const Built& built()
{
    static const Built once;
    return once;
}

std::string listing(const Iop_check& check)
{
    std::string text;
    for (const Iop_check::Error& error : check.errors())
        text += std::to_string(error.object) + " (parent " + std::to_string(error.parent) + "): " + error.text + "\n";
    return text;
}

std::vector<uint16_t> ids_of_type(const Iop_check& check, uint8_t type)
{
    std::vector<uint16_t> ids;
    for (const auto& [id, object] : check.objects())
        if (object.type == type)
            ids.push_back(id);
    return ids;
}

TEST(build_seeder_pool, encodes_a_sound_pool_well_inside_its_writer)
{
    ASSERT_TRUE(built().complete);
    const Iop_check check(built().bytes);
    EXPECT_TRUE(check.sound()) << listing(check);
    EXPECT_EQ(check.working_set(), 10000);
    EXPECT_EQ(check.count(0), 1u);
    // Room to spare for what later screens add.
    EXPECT_LT(built().bytes.size(), seeder_pool_writer_size - 9000);
}

TEST(build_seeder_pool, the_operating_screen_mask_is_entry_21_the_first_data_mask_and_the_active_one)
{
    const Iop_check check(built().bytes);
    const std::vector<uint16_t> masks = ids_of_type(check, 1);
    ASSERT_FALSE(masks.empty());
    EXPECT_EQ(built().ids->entries()[21].oid, masks.front());
    EXPECT_EQ(built().ids->main.mask, masks.front());
    EXPECT_EQ(check.find(10000)->active_mask, masks.front());
}

TEST(build_seeder_pool, the_working_set_shows_seeder_at_5_5)
{
    const Iop_check check(built().bytes);
    const Iop_check::Object* working_set = check.find(10000);
    ASSERT_NE(working_set, nullptr);
    ASSERT_EQ(working_set->children.size(), 1u);
    EXPECT_EQ(working_set->children[0].x, 5);
    EXPECT_EQ(working_set->children[0].y, 5);
    const Iop_check::Object* label = check.find(working_set->children[0].id);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->type, 11);
    EXPECT_EQ(label->text, "SEEDER");
}

TEST(build_seeder_pool, has_one_data_mask_per_screen_each_naming_the_first_soft_key_mask_made_after_it)
{
    const Iop_check check(built().bytes);
    const std::vector<uint16_t> masks = ids_of_type(check, 1);
    EXPECT_EQ(masks.size(), seeder_screens.size());
    const std::vector<uint16_t> soft_key_masks = ids_of_type(check, 4);
    for (size_t m = 0; m < masks.size(); ++m) {
        const uint16_t next = m + 1 < masks.size() ? masks[m + 1] : 0xFFFF;
        uint16_t first_after = 0xFFFF;
        for (uint16_t id : soft_key_masks)
            if (id > masks[m] && id < next) {
                first_after = id;
                break;
            }
        EXPECT_EQ(check.find(masks[m])->soft_key_mask, first_after) << "data mask " << masks[m];
    }
}

TEST(build_seeder_pool, every_recorded_id_names_an_object_of_the_type_its_field_promises)
{
    const Iop_check check(built().bytes);
    const std::vector<Seeder_pool_entry> entries = built().ids->entries();
    size_t recorded = 0;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].oid == 0xFFFF)
            continue;
        ++recorded;
        const Iop_check::Object* object = check.find(entries[i].oid);
        ASSERT_NE(object, nullptr) << "entry " << i << ": " << entries[i].oid;
        if (entries[i].type != any_vt_type) {
            EXPECT_EQ(object->type, entries[i].type) << "entry " << i << ": " << entries[i].oid;
        }
    }
    // At least every screen's mask and the four fills.
    EXPECT_GE(recorded, seeder_screens.size() + 4);
}

TEST(build_seeder_pool, two_builds_give_the_same_bytes_and_the_same_table)
{
    const Built again;
    ASSERT_TRUE(again.complete);
    EXPECT_EQ(again.bytes, built().bytes);
    const std::vector<Seeder_pool_entry> first = built().ids->entries();
    const std::vector<Seeder_pool_entry> second = again.ids->entries();
    ASSERT_EQ(first.size(), second.size());
    for (size_t i = 0; i < first.size(); ++i)
        EXPECT_EQ(first[i].oid, second[i].oid) << "entry " << i;
}

TEST(build_seeder_pool, a_writer_too_small_gives_a_failed_build_not_a_short_pool)
{
    const uint32_t whole = uint32_t(built().bytes.size());
    const uint32_t capacities[] = {0, 10, whole / 2, whole - 1};
    for (uint32_t capacity : capacities) {
        SCOPED_TRACE(capacity);
        const Built small(capacity);
        EXPECT_FALSE(small.complete);
        EXPECT_LE(small.bytes.size(), capacity);
    }
    const Built exact(whole);
    EXPECT_TRUE(exact.complete);
    EXPECT_EQ(exact.bytes, built().bytes);
}

// Damaged copies of the built pool, each found by the checker on the
// object at fault.
TEST(build_seeder_pool, the_checker_finds_each_damage_to_the_built_pool)
{
    const Iop_check sound(built().bytes);
    const uint16_t mask = built().ids->diagnostics2.mask;
    const Iop_check::Object* diagnostics = sound.find(mask);
    ASSERT_NE(diagnostics, nullptr);
    ASSERT_FALSE(diagnostics->children.empty());
    const uint16_t last = sound.objects().rbegin()->first;
    // A Data Mask record: ID, type, background, soft-key mask, object and
    // macro counts, then its children (ID, x, y).
    const size_t record = sound.find(mask)->offset;
    const struct {
        const char* name;
        std::function<void(Bytes&)> damage;
        uint16_t object;
        Iop_check::Code code;
    } cases[] = {
        {"a soft-key mask the pool does not hold",
         [&](Bytes& pool) {
             pool[record + 4] = 0x0F;
             pool[record + 5] = 0x27;
         },
         9999, Iop_check::missing_object},
        {"a font as a child of a data mask",
         [&](Bytes& pool) {
             pool[record + 8] = 0x16; // 10006, font slot 0
             pool[record + 9] = 0x27;
         },
         10006, Iop_check::other_error},
        {"the last record cut", [](Bytes& pool) { pool.pop_back(); }, last, Iop_check::other_error},
        {"a second Working Set",
         [&](Bytes& pool) {
             const Bytes second = {0x0F, 0x27, 0x00, 0x00, 0x00, uint8_t(mask), uint8_t(mask >> 8), 0x00, 0x00, 0x00};
             pool.insert(pool.end(), second.begin(), second.end());
         },
         9999, Iop_check::other_error},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes pool = built().bytes;
        c.damage(pool);
        const Iop_check check(pool);
        ASSERT_FALSE(check.sound());
        EXPECT_EQ(check.errors().front().object, c.object) << listing(check);
        EXPECT_EQ(check.errors().front().code, c.code) << listing(check);
    }
}

}
