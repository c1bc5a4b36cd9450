// The field rules of the star-delimited identification messages.
#include "platform/can/Iso11783_Msg_ProductIdentification.h"
#include "platform/can/Iso11783_Msg_SoftwareIdentification.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using Product = Iso11783::Msg_ProductIdentification;
using Software = Iso11783::Msg_SoftwareIdentification;

// A message holding the bytes, its length cut there (or left at the whole
// zero-filled buffer).
template <class M>
M message_of(const std::string& bytes, bool cut = true)
{
    M message;
    std::copy(bytes.begin(), bytes.end(), message.data());
    if (cut)
        message.resize(bytes.size());
    return message;
}

template <class M>
std::string text_of(const M& message)
{
    return std::string(message.data(), message.data() + message.size());
}

struct Set_case {
    const char* what;
    std::string before;
    int index;
    const char* text;
    bool ok;
    std::string after; // of the text, up to the first zero byte
};

TEST(Star_delimited, set_delim_field_adds_fields_replaces_texts_and_refuses_what_does_not_fit_unchanged)
{
    const std::string full(1023, 'x');
    const std::string too_long = full + "x";
    const Set_case cases[] = {
        {"field 2 of an empty message", "", 2, "Model", true, "**Model*"},
        {"field 0 of an empty message", "", 0, "Code", true, "Code*"},
        {"a longer text moves the rest up", "A*B*C*", 1, "Brand", true, "A*Brand*C*"},
        {"a shorter one moves it down", "A*Brand*C*", 1, "", true, "A**C*"},
        {"the last field without its closing '*' gets one", "A*B", 1, "Bee", true, "A*Bee*"},
        {"a text holding '*'", "A*B*C*", 1, "x*y", false, "A*B*C*"},
        {"no text", "A*B*C*", 1, nullptr, false, "A*B*C*"},
        {"a negative index", "A*B*C*", -1, "x", false, "A*B*C*"},
        {"beyond the field limit", "A*B*C*", 3, "x", false, "A*B*C*"},
        {"a text that fills the buffer", "", 0, full.c_str(), true, full + "*"},
        {"a text one byte too long", "", 0, too_long.c_str(), false, ""},
        {"an overflow by a longer replacement", full + "*", 0, too_long.c_str(), false, full + "*"},
    };
    for (const Set_case& c : cases) {
        SCOPED_TRACE(c.what);
        Product message = message_of<Product>(c.before, false);
        EXPECT_EQ(message.set_delim_field(c.index, c.text), c.ok);
        message.finish();
        EXPECT_EQ(text_of(message), c.after);
    }
}

TEST(Star_delimited, a_software_identification_keeps_its_count_byte_before_the_fields)
{
    Software message;
    message.data()[0] = 1;
    ASSERT_TRUE(message.set_delim_field(0, "1.4.2"));
    ASSERT_TRUE(message.set_delim_field(2, "boot"));
    message.finish();
    EXPECT_EQ(text_of(message), std::string("\x01" "1.4.2**boot*"));
    EXPECT_EQ(message.get_delim_field_start_offset(0), 1);
    EXPECT_EQ(message.get_delim_field_len(2), 4);
}

struct Get_case {
    const char* what;
    std::string bytes;
    bool cut;
    int index;
    int start;
    int length;
};

TEST(Star_delimited, the_getters_find_a_field_and_give_minus_one_when_there_is_none)
{
    const Get_case cases[] = {
        {"a middle field", "ab*cde*f*", true, 1, 3, 3},
        {"a field at the end without '*' counts to the end", "ab*cd", true, 1, 3, 2},
        {"the empty field after the last '*'", "ab*cd*", true, 2, 6, 0},
        {"a field at the text's end in the zeroed buffer", "ab*cd", false, 1, 3, 2},
        {"too few delimiters", "ab*cd*", true, 3, -1, -1},
        {"a message shorter than 2 bytes", "a", true, 0, -1, -1},
        {"byte 1 zero", "a", false, 0, -1, -1},
        {"a negative index", "ab*", true, -1, -1, -1},
    };
    for (const Get_case& c : cases) {
        SCOPED_TRACE(c.what);
        const Product message = message_of<Product>(c.bytes, c.cut);
        EXPECT_EQ(message.get_delim_field_start_offset(c.index), c.start);
        EXPECT_EQ(message.get_delim_field_len(c.index), c.length);
    }
}

}
