// The output matching of the transcript runner: a wrong match would let a faulty program pass.
#include <string>

#include <gtest/gtest.h>

#include "pattern.h"

namespace {

bool matches(const std::string &pattern, const std::string &actual) {
    PatternMismatch mismatch;
    return matchPattern(pattern, actual, mismatch);
}

TEST(Pattern, LiteralTextMustMatchExactlyAndWhole) {
    EXPECT_TRUE(matches("hola\n", "hola\n"));
    EXPECT_FALSE(matches("hola\n", "hola\n\n"));
    EXPECT_FALSE(matches("hola\n", "hola"));
    EXPECT_FALSE(matches("hola\n", "Hola\n"));
}

TEST(Pattern, ANameStandsForOneValueThroughout) {
    const std::string chained = "p = {{p:a}} sig = {{p:b}}\np = {{p:b}} sig = (nil)\n";
    EXPECT_TRUE(matches(chained, "p = 0x5000 sig = 0x6000\np = 0x6000 sig = (nil)\n"));
    EXPECT_FALSE(matches(chained, "p = 0x5000 sig = 0x6000\np = 0x7000 sig = (nil)\n"));
    EXPECT_FALSE(matches(chained, "p = 0x5000 sig = 0x6000\np = 0x6000 sig = 0x0\n"));
}

TEST(Pattern, NilIsANullPointerInEachPlatformsNotationAndNothingElse) {
    const std::string last = "sig = {{nil}} |\n";
    for (const char *output : {"sig =    (nil) |\n", "sig =        0 |\n", "sig =      0x0 |\n"})
        EXPECT_TRUE(matches(last, output)) << output;
    for (const char *output : {"sig = 0x5000 |\n", "sig = 0x0a |\n", "sig = 00 |\n", "sig = nil |\n"})
        EXPECT_FALSE(matches(last, output)) << output;
}

TEST(Pattern, OffsetsRelateNumbersToANamedOne) {
    const std::string fields = "{{u:r}} {{u:r+30}} {{u:r+0x2d}} {{u:r-4}}";
    EXPECT_TRUE(matches(fields, "1000 1030 1045 996"));
    EXPECT_FALSE(matches(fields, "1000 1031 1045 996"));
    EXPECT_TRUE(matches("{{x:h+16}} {{x:h}}", "7ffe10 7ffe00"))
        << "a name first seen with an offset is bound to the value minus it";
}

TEST(Pattern, PlaceholdersTakeTheBlanksOfAFieldWidthAndOnlyTheirDigits) {
    EXPECT_TRUE(matches("[{{u:n}}]", "[      42]"));
    EXPECT_FALSE(matches("[{{u:n}}]", "[4a]"));
    EXPECT_FALSE(matches("{{p:n}}", "5000")) << "a pointer needs its 0x";
    EXPECT_FALSE(matches("{{X:n}}", "ff")) << "upper-case hex only";
    EXPECT_TRUE(matches("{{X:n}}", "FF"));
}

TEST(Pattern, StarTakesTheRestOfTheLineUpToTheNextLiteral) {
    EXPECT_TRUE(matches("sh: {{*}}found\n", "sh: 1: pause: not found\n"));
    EXPECT_TRUE(matches("error: {{*}}\nfin\n", "error: anything at all\nfin\n"));
    EXPECT_FALSE(matches("error: {{*}}\nfin\n", "error: x\nmore\nfin\n"))
        << "the star never crosses a line end";
    EXPECT_FALSE(matches("sh: {{*}}found\n", "sh: x\nnot found\n")) << "nor looks for its literal on the next line";
    EXPECT_FALSE(matches("error: {{*}}", "error: x\nmore")) << "nor takes the lines after a pattern's end";
}

TEST(Pattern, MistakesInThePatternAreReported) {
    PatternMismatch mismatch;
    EXPECT_FALSE(matchPattern("{{q:n}}", "1", mismatch));
    EXPECT_EQ(mismatch.kind, PatternMismatch::BadPattern);
    EXPECT_NE(mismatch.detail.find("unknown placeholder"), std::string::npos);
    EXPECT_FALSE(matchPattern("{{u:n", "1", mismatch));
    EXPECT_NE(mismatch.detail.find("unclosed"), std::string::npos);
}

TEST(Pattern, AMismatchIsToldAtItsOwnLineAndColumnWithBothLines) {
    PatternMismatch mismatch;
    EXPECT_FALSE(matchPattern("p = {{p:a}}\nnodo\nedad 12 {{u:n}}\n", "p = 0x5000\nnodo\nedad 13 7\n", mismatch));
    EXPECT_EQ(mismatch.kind, PatternMismatch::Literal);
    EXPECT_EQ(mismatch.line, 3);
    EXPECT_EQ(mismatch.column, 7u);
    EXPECT_EQ(mismatch.patternLine, "edad 12 {{u:n}}\n");
    EXPECT_EQ(mismatch.actualLine, "edad 13 7\n");
    EXPECT_FALSE(matchPattern("{{p:a}} {{p:a}}\n", "0x10 0x20\n", mismatch));
    EXPECT_EQ(mismatch.kind, PatternMismatch::OtherValue);
    EXPECT_EQ(mismatch.wanted, "10");
    EXPECT_EQ(mismatch.column, 8u) << "at the digits, after the 0x";
}

TEST(Visible, ShowsControlBytesAsEscapes) {
    EXPECT_EQ(visible(std::string("a\a\t\n\r\\", 6) + std::string(1, '\0') + "ñ"),
              "a\\a\\t\\n\\r\\\\\\x00ñ");
    EXPECT_EQ(visible("D\x92game \xc3(a\xf1os)"), "D\\x92game \\xc3(a\\xf1os)") << "bytes that are no UTF-8";
}

}  // namespace
