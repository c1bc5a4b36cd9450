// The placement arithmetic of the row and band placements, on a container
// of 100 x 60 with an 8 x 8 font (labels 9 high, fields 12 high) and the
// pool's margins of 2 and band offset of 2.
#include "vt_pool/VtPlacement.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

struct Fixture {
    VtPool pool;
    VtObjectFontAttribute* font = createFontAttributes(pool, 1, 0);
    VtObjectContainer* container = createContainer(pool, 100, 60);
};

struct Case {
    const char* name;
    // Places one object in the fixture's container and returns it.
    std::function<VtObject*(Fixture&)> place;
    int32_t x;
    int32_t y;
    uint32_t width;
    uint32_t height;
};

TEST(VtPlacement, rows_and_bands_place_and_size_each_element)
{
    const Case cases[] = {
        {"a label centred in row 1 of 2",
         [](Fixture& f) { return placeLabelInRow(f.pool, f.container, "ABCD", f.font, 2, 1); }, 34, 40, 32, 9},
        {"a label wider than the row is clamped",
         [](Fixture& f) { return placeLabelInRow(f.pool, f.container, std::string(20, 'W'), f.font, 1, 0); }, 0, 25,
         100, 9},
        {"a text of three lines at x 4",
         [](Fixture& f) { return placeTextInRow(f.pool, f.container, "Time", f.font, 2, 0, 3); }, 4, 1, 32, 27},
        {"a text of more lines than fit is clamped to the container",
         [](Fixture& f) { return placeTextInRow(f.pool, f.container, "Time", f.font, 1, 0, 10); }, 4, 0, 32, 60},
        {"a text box as wide as the container",
         [](Fixture& f) { return placeTextBoxInRow(f.pool, f.container, "Info", f.font, 3, 2); }, 0, 44, 100, 12},
        {"a number field moved by (3, -2)",
         [](Fixture& f) { return placeNumberInRow(f.pool, f.container, f.font, 2, 0, 3, -2); }, 3, 7, 100, 12},
        {"a string field",
         [](Fixture& f) { return placeStringFieldInRow(f.pool, f.container, nullptr, f.font, 2, 1); }, 0, 39, 100,
         12},
        {"an input number inside the margins",
         [](Fixture& f) { return placeInputNumberInRow(f.pool, f.container, nullptr, f.font, 2, 1, 0, 0); }, 4, 30, 96,
         26},
        {"an input number moved by (1, 3)",
         [](Fixture& f) { return placeInputNumberInRow(f.pool, f.container, nullptr, f.font, 3, 0, 1, 3); }, 5, 3, 96,
         16},
        {"an input list inside the margins",
         [](Fixture& f) { return placeInputListInRow(f.pool, f.container, f.font, 3, 1, {"a", "b"}); }, 4, 20, 96, 16},
        {"an input string inside the margins",
         [](Fixture& f) { return placeInputStringInRow(f.pool, f.container, nullptr, f.font, 2, 0); }, 4, 0, 96, 26},
        {"a pointer to a label, right-aligned",
         [](Fixture& f) {
             const uint16_t target = createLabel(f.pool, "ABCD", f.font, 1)->getOid();
             return placePointerInRow(f.pool, f.container, target, 2, 1, 0, 0);
         },
         68, 41, 0, 0},
        {"a pointer to no object takes no room",
         [](Fixture& f) { return placePointerInRow(f.pool, f.container, VtObject::no_object, 2, 1, -1, 2); }, 99, 48,
         0, 0},
        {"a number spanning two of four rows",
         [](Fixture& f) {
             VtObjectOutputFieldNumber* field = createNumberField(f.pool, 40, 5, nullptr, f.font);
             placeNumberSpanning(f.pool, f.container, field, 4, 1, 2);
             return field;
         },
         30, 7, 40, 30},
        {"an input number in band 1 of 3, two bands high",
         [](Fixture& f) {
             VtObjectInputFieldNumber* input = createInputNumber(f.pool, 50, 5, nullptr, f.font);
             placeInputNumberInBand(f.pool, f.container, input, 3, 1, 2);
             return input;
         },
         25, 11, 50, 32},
        {"an input list in band 0 of 2",
         [](Fixture& f) {
             VtObjectInputFieldList* list = createInputList(f.pool, 60, 5, nullptr);
             placeInputListInBand(f.pool, f.container, list, 2, 0, 1);
             return list;
         },
         20, 2, 60, 24},
        {"a button in band 1 of 3, two bands high",
         [](Fixture& f) {
             VtObjectButton* button = createButton(f.pool, 50, 5, 1, 7, nullptr, f.font);
             placeButtonInBand(f.pool, f.container, button, 3, 1, 2);
             return button;
         },
         25, 9, 50, 36},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f;
        VtObject* placed = c.place(f);
        ASSERT_NE(placed, nullptr);
        VtObjectRefList& childs = f.container->getChilds();
        ASSERT_EQ(childs.count(), 1u);
        EXPECT_EQ(childs.at(0)->oid, placed->getOid());
        EXPECT_EQ(childs.at(0)->x, c.x);
        EXPECT_EQ(childs.at(0)->y, c.y);
        EXPECT_EQ(placed->getSize().width, c.width);
        EXPECT_EQ(placed->getSize().height, c.height);
    }
}

TEST(VtPlacement, an_input_number_in_a_row_takes_the_default_range_and_is_enabled)
{
    Fixture f;
    VtObjectNumberVariable* variable = createNumberVariable(f.pool, 7);
    VtObjectInputFieldNumber* input = placeInputNumberInRow(f.pool, f.container, variable, f.font, 1, 0, 0, 0);
    EXPECT_EQ(input->getVariableReference(), variable->getOid());
    EXPECT_EQ(input->getOptions(), 1);
    EXPECT_EQ(input->getMinValue(), 0u);
    EXPECT_EQ(input->getMaxValue(), 999u);
    EXPECT_EQ(input->getScale(), 1.0);
    EXPECT_EQ(input->getHorizontalJustification(), 2);
    EXPECT_TRUE(input->getEnabled());
}

TEST(VtPlacement, an_input_list_holds_one_text_box_of_its_size_per_text_in_order)
{
    Fixture f;
    VtObjectInputFieldList* list = placeInputListInRow(f.pool, f.container, f.font, 3, 0, {"GPS", "Wheel", "KX-4"});
    ASSERT_EQ(list->getElements().count(), 3u);
    const char* texts[] = {"GPS", "Wheel", "KX-4"};
    for (uint32_t i = 0; i < 3; ++i) {
        auto* box = dynamic_cast<VtObjectOutputFieldString*>(f.pool.get(list->getElements().at(i)->oid));
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->getValue(), texts[i]);
        EXPECT_EQ(box->getWidth(), list->getWidth());
        EXPECT_EQ(box->getHeight(), list->getHeight());
        EXPECT_EQ(box->getHorizontalJustification(), 1);
    }
}

TEST(VtPlacement, a_label_in_a_box_and_a_number_in_a_container_move_their_holder)
{
    Fixture f;
    VtObjectContainer* inner = createContainer(f.pool, 1, 1);
    VtObjectOutputFieldString* label = placeLabelInBox(f.pool, f.container, "ABCD", inner, f.font, 2, 1);
    EXPECT_EQ(inner->getWidth(), 32u);
    EXPECT_EQ(inner->getHeight(), 9u);
    ASSERT_EQ(inner->getChilds().count(), 1u);
    EXPECT_EQ(inner->getChilds().at(0)->oid, label->getOid());
    ASSERT_EQ(f.container->getChilds().count(), 1u);
    EXPECT_EQ(f.container->getChilds().at(0)->oid, inner->getOid());
    EXPECT_EQ(f.container->getChilds().at(0)->x, 34);
    EXPECT_EQ(f.container->getChilds().at(0)->y, 40);

    Fixture g;
    VtObjectContainer* holder = createContainer(g.pool, 1, 1);
    VtObjectOutputFieldNumber* field = createNumberField(g.pool, 40, 5, nullptr, g.font);
    placeNumberInContainerSpanning(g.pool, g.container, field, holder, 4, 1, 2);
    EXPECT_EQ(holder->getWidth(), 100u);
    EXPECT_EQ(holder->getHeight(), 60u);
    EXPECT_EQ(field->getHeight(), 30u);
    EXPECT_EQ(g.container->getChilds().at(0)->oid, holder->getOid());
    EXPECT_EQ(g.container->getChilds().at(0)->x, 30);
    EXPECT_EQ(g.container->getChilds().at(0)->y, 7);
}

TEST(VtPlacement, a_number_over_an_input_stacks_both_in_a_hidden_container)
{
    Fixture f;
    VtObjectOutputFieldNumber* field = createNumberField(f.pool, 40, 5, nullptr, f.font);
    VtObjectInputFieldNumber* input = createInputNumber(f.pool, 40, 5, nullptr, f.font);
    VtObjectRectangle* other = createRectangle(f.pool, 40, 5, nullptr, nullptr);
    VtObjectContainer* stack = placeNumberOverInput(f.pool, f.container, field, input, other, 4, 1, 2);
    ASSERT_NE(stack, nullptr);
    EXPECT_EQ(field->getHeight(), 30u);
    EXPECT_EQ(input->getHeight(), 23u);
    EXPECT_TRUE(stack->getHidden());
    EXPECT_EQ(stack->getWidth(), 0u);
    ASSERT_EQ(stack->getChilds().count(), 2u);
    EXPECT_EQ(stack->getChilds().at(0)->oid, field->getOid());
    EXPECT_EQ(stack->getChilds().at(1)->oid, input->getOid());
    ASSERT_EQ(f.container->getChilds().count(), 2u);
    EXPECT_EQ(f.container->getChilds().at(0)->oid, other->getOid());
    EXPECT_EQ(f.container->getChilds().at(0)->x, 30);
    EXPECT_EQ(f.container->getChilds().at(0)->y, 11);
    EXPECT_EQ(f.container->getChilds().at(1)->oid, stack->getOid());
}

TEST(VtPlacement, nothing_is_placed_in_or_from_a_null_parent)
{
    Fixture f;
    EXPECT_EQ(placeLabelInRow(f.pool, nullptr, "A", f.font, 1, 0), nullptr);
    EXPECT_EQ(placePointerInRow(f.pool, nullptr, 10000, 1, 0, 0, 0), nullptr);
    EXPECT_EQ(placeInputListInRow(f.pool, nullptr, f.font, 1, 0, {"a"}), nullptr);
    addToContainer(nullptr, 0, 0, f.font);
    addToContainer(f.container, 0, 0, nullptr);
    centreInButton(nullptr, f.font);
    EXPECT_EQ(f.container->getChilds().count(), 0u);
    // Nothing was made either: the next ID follows the fixture's objects.
    EXPECT_EQ(f.pool.nextOid(), 10003);
}

TEST(VtPlacement, centring_in_a_button_halves_the_spare_room)
{
    Fixture f;
    VtObjectButton* button = createButton(f.pool, 51, 20, 1, 7, nullptr, f.font);
    VtObjectOutputFieldString* label = createLabel(f.pool, "AB", f.font, 2); // 16 x 9
    centreInButton(button, label);
    ASSERT_EQ(button->getChilds().count(), 1u);
    EXPECT_EQ(button->getChilds().at(0)->x, 17);
    EXPECT_EQ(button->getChilds().at(0)->y, 5);
}

}
