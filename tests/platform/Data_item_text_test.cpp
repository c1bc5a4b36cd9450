#include "platform/data/Data_item.h"
#include "platform/data/Data_item_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

template <class T>
bool parses(const char* text, T expected, const char* rest = "")
{
    T value{};
    const char* end = Data_item_destringify<T>::from_string(text, value);
    return end && value == expected && std::string(end) == rest;
}

template <class T>
bool refused(const char* text)
{
    T value{};
    return Data_item_destringify<T>::from_string(text, value) == nullptr;
}

TEST(Data_item_text, parses_one_value_and_stops_after_it)
{
    EXPECT_TRUE(parses<uint8_t>(" 255", 255));
    EXPECT_TRUE(parses<uint8_t>("0x10,", 16, ","));
    EXPECT_TRUE(parses<int32_t>("-12]", -12, "]"));
    EXPECT_TRUE(parses<uint64_t>("18446744073709551615", UINT64_MAX));
    EXPECT_TRUE(parses<int64_t>("-9223372036854775808", INT64_MIN));
    EXPECT_TRUE(parses<float>("2.5", 2.5f));
    EXPECT_TRUE(parses<double>("1E+06", 1e6));
    EXPECT_TRUE(parses<bool>("true", true));
    EXPECT_TRUE(parses<bool>("0", false));
}

TEST(Data_item_text, a_leading_zero_keeps_the_decimal_meaning_for_every_integer_type)
{
    EXPECT_TRUE(parses<uint32_t>("010", 10));
    EXPECT_TRUE(parses<uint8_t>("09", 9));
    EXPECT_TRUE(parses<int32_t>("010", 10));
    EXPECT_TRUE(parses<uint16_t>("0X1f", 31));
    EXPECT_TRUE(parses<uint16_t>("+7", 7));
}

TEST(Data_item_text, a_minus_sign_behind_any_white_space_is_refused_for_unsigned_types)
{
    for (const char* text : {"-1", " -1", "\n-1", "\r-1", "\v-1", "\f-1", " \t\n -1"}) {
        EXPECT_TRUE(refused<uint64_t>(text)) << int(text[0]);
        EXPECT_TRUE(refused<uint32_t>(text)) << int(text[0]);
    }
}

TEST(Data_item_text, refuses_what_is_no_value_of_the_type)
{
    EXPECT_TRUE(refused<uint8_t>("256"));
    EXPECT_TRUE(refused<uint8_t>("-1"));
    EXPECT_TRUE(refused<uint32_t>("-5"));
    EXPECT_TRUE(refused<int8_t>("128"));
    EXPECT_TRUE(refused<uint64_t>("18446744073709551616"));
    EXPECT_TRUE(refused<int32_t>("x"));
    EXPECT_TRUE(refused<int32_t>(""));
    EXPECT_TRUE(refused<float>("1e39"));
    EXPECT_TRUE(refused<double>("nan"));
    EXPECT_TRUE(refused<bool>("yes"));
}

TEST(Data_item_text, writes_values_and_refuses_a_buffer_too_small)
{
    char buf[32];
    EXPECT_EQ(Data_item_stringify<float>::to_string(0.1f, buf, sizeof buf), 3);
    EXPECT_STREQ(buf, "0.1");
    EXPECT_GT(Data_item_stringify<int16_t>::to_string(-300, buf, sizeof buf), 0);
    EXPECT_STREQ(buf, "-300");
    EXPECT_GT(Data_item_stringify<uint64_t>::to_string(UINT64_MAX, buf, sizeof buf), 0);
    EXPECT_STREQ(buf, "18446744073709551615");
    EXPECT_GT(Data_item_stringify<bool>::to_string(true, buf, sizeof buf), 0);
    EXPECT_STREQ(buf, "1");
    EXPECT_EQ(Data_item_stringify<uint32_t>::to_string(123456, buf, 4), 0);
}

TEST(Data_item_text, a_text_field_keeps_its_terminator)
{
    char field[5] = {'a', 'b', 'c', 'd', 0};
    EXPECT_EQ(Data_item_array_destringify<char>::from_string("12345", field, 5), nullptr);
    EXPECT_STREQ(field, "abcd");
    const char* text = "xy";
    EXPECT_EQ(Data_item_array_destringify<char>::from_string(text, field, 5), text + 2);
    EXPECT_EQ(std::memcmp(field, "xy\0\0\0", 5), 0);
}

TEST(Data_item, type_bytes_round_trip_for_every_known_type)
{
    for (unsigned t : {1u, 2u, 3u, 4u, 5u, 6u, 7u, 8u, 9u, 10u, 11u, 13u, 15u, 16u}) {
        for (auto c : {Data_item::class_single, Data_item::class_array}) {
            Data_item::class_type_t class_type;
            Data_item::item_type_t type;
            ASSERT_TRUE(Data_item::decode_type_byte(Data_item::get_type_byte(c, Data_item::item_type_t(t)),
                                                    class_type, type));
            EXPECT_EQ(class_type, c);
            EXPECT_EQ(unsigned(type), t);
        }
    }
    Data_item::class_type_t class_type;
    Data_item::item_type_t type;
    EXPECT_FALSE(Data_item::decode_type_byte(12, class_type, type));
    EXPECT_FALSE(Data_item::decode_type_byte(0xc2, class_type, type));
}

}

namespace {

TEST(Data_item, value_sizes_follow_the_item_types)
{
    EXPECT_EQ(Data_item::get_value_size(Data_item::type_bool), 1u);
    EXPECT_EQ(Data_item::get_value_size(Data_item::type_int16), 2u);
    EXPECT_EQ(Data_item::get_value_size(Data_item::type_float), 4u);
    EXPECT_EQ(Data_item::get_value_size(Data_item::type_int64), 8u);
    EXPECT_EQ(Data_item::get_value_size(Data_item::type_struct), 0u);
    EXPECT_EQ(Data_item::get_value_size(Data_item::type_item_array), 0u);
}

}
