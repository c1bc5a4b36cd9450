// The builder operations: what each object gets, label sizing, and the
// objects that keys, buttons and boxed labels are made of.
#include "vt_pool/VtBuilder.h"
#include "vt_pool/VtObjectWorkingSet.h"

#include <gtest/gtest.h>

namespace {

struct Place {
    uint16_t oid;
    int32_t x;
    int32_t y;
};

std::vector<Place> places(VtObjectRefList& childs)
{
    std::vector<Place> all;
    for (uint32_t i = 0; i < childs.count(); ++i)
        all.push_back({childs.at(i)->oid, childs.at(i)->x, childs.at(i)->y});
    return all;
}

bool operator==(const Place& a, const Place& b)
{
    return a.oid == b.oid && a.x == b.x && a.y == b.y;
}

std::ostream& operator<<(std::ostream& out, const Place& p)
{
    return out << p.oid << " at (" << p.x << ", " << p.y << ")";
}

TEST(VtBuilder, a_label_is_as_wide_as_its_text_and_one_pixel_taller_than_the_cell)
{
    const struct {
        uint8_t size_code;
        const char* text;
        uint32_t width;
        uint32_t height;
    } cases[] = {
        {0, "", 0, 9},        {2, "", 0, 13},        {0, "Fan", 18, 9},    {1, "ABC", 24, 9},
        {2, "Press. 1", 64, 13}, {6, "12", 48, 33}, {14, "", 0, 193},     {15, "AB", 16, 9},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.size_code) + " \"" + c.text + "\"");
        VtPool pool;
        VtObjectFontAttribute* font = createFontAttributes(pool, c.size_code, 0);
        VtObjectOutputFieldString* label = createLabel(pool, c.text, font, 2);
        EXPECT_EQ(label->getWidth(), c.width);
        EXPECT_EQ(label->getHeight(), c.height);
        EXPECT_EQ(label->getValue(), c.text);
        EXPECT_EQ(label->getOptions(), 1);
        EXPECT_EQ(label->getFontAttributes(), font->getOid());
        EXPECT_EQ(label->getHorizontalJustification(), 2);
    }
}

TEST(VtBuilder, null_optional_references_stay_none)
{
    VtPool pool;
    VtObjectOutputFieldString* field = createStringField(pool, 10, 10, nullptr, nullptr);
    EXPECT_EQ(field->getVariableReference(), VtObject::no_object);
    EXPECT_EQ(field->getFontAttributes(), VtObject::no_object);
    VtObjectRectangle* rectangle = createRectangle(pool, 4, 4, nullptr, nullptr);
    EXPECT_EQ(rectangle->getLineAttributes(), VtObject::no_object);
    EXPECT_EQ(rectangle->getFillAttributes(), VtObject::no_object);
    VtObjectNumberVariable* variable = createNumberVariable(pool, 3);
    VtObjectInputFieldNumber* input = createInputNumber(pool, 10, 10, variable, nullptr);
    EXPECT_EQ(input->getVariableReference(), variable->getOid());
}

TEST(VtBuilder, lines_take_their_thickness_from_the_line_attributes)
{
    VtPool pool;
    VtObjectLineAttribute* thick = createLineAttributes(pool, 0, 2);
    const VtSize horizontal = createHorizontalLine(pool, 240, thick)->getSize();
    const VtSize vertical = createVerticalLine(pool, 44, thick)->getSize();
    EXPECT_EQ(horizontal.width, 240u);
    EXPECT_EQ(horizontal.height, 2u);
    EXPECT_EQ(vertical.width, 2u);
    EXPECT_EQ(vertical.height, 44u);
}

TEST(VtBuilder, a_key_shows_its_texts_one_under_the_other_and_a_second_only_with_a_first)
{
    const struct {
        const char* text1;
        const char* text2;
        size_t labels;
    } cases[] = {{"Main", "Screen", 2}, {"Fill", nullptr, 1}, {nullptr, "Screen", 0}, {nullptr, nullptr, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.labels));
        VtPool pool;
        VtObjectFontAttribute* font = createFontAttributes(pool, 2, 0); // 8 x 12: labels 13 high
        VtObjectSoftKeyMask* mask = createSoftKeyMask(pool, 1);
        VtObjectKey* key = addKey(pool, mask, 1, 17, c.text1, c.text2, font);
        EXPECT_EQ(key->getKeyCode(), 17);
        ASSERT_EQ(mask->getChilds().count(), 1u);
        EXPECT_EQ(mask->getChilds().at(0)->oid, key->getOid());
        std::vector<Place> expected;
        if (c.labels >= 1)
            expected.push_back({uint16_t(key->getOid() + 1), 5, 5});
        if (c.labels == 2)
            expected.push_back({uint16_t(key->getOid() + 2), 5, 18});
        EXPECT_EQ(places(key->getChilds()), expected);
    }
}

TEST(VtBuilder, a_soft_key_pointer_is_an_empty_place_among_the_keys)
{
    VtPool pool;
    VtObjectSoftKeyMask* mask = createSoftKeyMask(pool, 1);
    VtObjectPointer* slot = addSoftKeyPointer(pool, mask);
    EXPECT_EQ(slot->getValue(), VtObject::no_object);
    ASSERT_EQ(mask->getChilds().count(), 1u);
    EXPECT_EQ(mask->getChilds().at(0)->oid, slot->getOid());
}

TEST(VtBuilder, a_button_is_made_before_its_label_and_centres_it)
{
    VtPool pool;
    VtObjectFontAttribute* font = createFontAttributes(pool, 1, 0); // 8 x 8: "MAN" is 24 x 9
    VtObjectButton* button = createButton(pool, 50, 20, 12, 84, "MAN", font);
    EXPECT_EQ(button->getKeyCode(), 84);
    EXPECT_EQ(places(button->getChilds()), (std::vector<Place>{{uint16_t(button->getOid() + 1), 13, 5}}));
    VtObjectButton* empty = createButton(pool, 50, 20, 1, 75, nullptr, font);
    EXPECT_EQ(empty->getChilds().count(), 0u);
}

TEST(VtBuilder, a_boxed_label_is_a_container_of_a_frame_and_the_label_inside_it)
{
    VtPool pool;
    VtObjectFontAttribute* font = createFontAttributes(pool, 1, 0);
    VtObjectLineAttribute* line = createLineAttributes(pool, 0, 1);
    VtObjectContainer* box = createBoxedLabel(pool, "12", font, line);
    const uint16_t label = uint16_t(box->getOid() - 2);
    const uint16_t frame = uint16_t(box->getOid() - 1);
    EXPECT_EQ(box->getWidth(), 18u);
    EXPECT_EQ(box->getHeight(), 11u);
    EXPECT_EQ(places(box->getChilds()), (std::vector<Place>{{frame, 0, 0}, {label, 1, 1}}));
    auto* rectangle = dynamic_cast<VtObjectRectangle*>(pool.get(frame));
    ASSERT_NE(rectangle, nullptr);
    EXPECT_EQ(rectangle->getWidth(), 18u);
    EXPECT_EQ(rectangle->getHeight(), 11u);
    EXPECT_EQ(rectangle->getLineAttributes(), line->getOid());
    EXPECT_EQ(rectangle->getFillAttributes(), VtObject::no_object);
}

}
