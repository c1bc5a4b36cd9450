// The text log on standard output.
#include "tests/vt_pool/Keeping_logger.h"

#include <gtest/gtest.h>

#include <string>

namespace {

template <class Write>
std::string output_of(Write write)
{
    testing::internal::CaptureStdout();
    VtLogger logger;
    write(logger);
    return testing::internal::GetCapturedStdout();
}

}

TEST(VtLogger, EachOperationWritesItsLine)
{
    EXPECT_EQ(output_of([](VtLogger& l) { l.print("%s", "abc"); }), "abc\n");
    EXPECT_EQ(output_of([](VtLogger& l) { l.message("abc"); }), "abc\n\n");
    EXPECT_EQ(output_of([](VtLogger& l) { l.message("readOid, '%s' -> %d\n", "oid", 7); }),
              "readOid, 'oid' -> 7\n\n\n");
    EXPECT_EQ(output_of([](VtLogger& l) { l.warning("x=%d", 5); }), "Warning: x=5\n\n");
    EXPECT_EQ(output_of([](VtLogger& l) { l.error("x=%d", 5); }), "Error: x=5\n\n");
    EXPECT_EQ(output_of([](VtLogger& l) { l.print("%lf", 0.5); }), "0.500000\n");
}

TEST(VtLogger, IndentationIsAtMostSixtyThreeSpaces)
{
    for (unsigned indentation : {0u, 5u, 16u, 17u, 63u, 64u, 200u}) {
        SCOPED_TRACE(indentation);
        const std::string spaces(indentation < 63 ? indentation : 63, ' ');
        EXPECT_EQ(output_of([&](VtLogger& l) { l.printIndented(indentation, "a%d", 1); }), spaces + "a1\n");
    }
}

TEST(VtLogger, ALongTextIsCutToTheLimit)
{
    const std::string text(2500, 'x');
    const std::string cut(1999, 'x');
    EXPECT_EQ(output_of([&](VtLogger& l) { l.print("%s", text.c_str()); }), cut + "\n");
    // The line and its empty line together keep to the limit too.
    EXPECT_EQ(output_of([&](VtLogger& l) { l.message("%s", text.c_str()); }), cut + "\n");
    EXPECT_EQ(output_of([&](VtLogger& l) { l.warning("%s", text.c_str()); }),
              "Warning: " + std::string(1999 - 9, 'x') + "\n");
    EXPECT_EQ(output_of([&](VtLogger& l) { l.printIndented(63, "%s", text.c_str()); }),
              std::string(63, ' ') + cut + "\n");
}

TEST(VtLogger, ASubclassTakesEverythingThroughPrint)
{
    Keeping_logger logger;
    testing::internal::CaptureStdout();
    logger.message("m");
    logger.warning("w");
    logger.error("e");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(logger.lines, "m\nWarning: w\nError: e\n");
}
