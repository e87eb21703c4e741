#include "platform/runtime.h"

#include <gtest/gtest.h>
#include <utility>

TEST(Runtime, ValReadsTheNumberATextStartsWith) {
    const std::pair<const char*, double> cases[] = {
        {"4", 4},    {"  3", 3},   {"2.5", 2.5}, {"-2", -2},   {"+1", 1},
        {"3abc", 3}, {"12 4", 12}, {"abc", 0},   {"", 0},      {" ", 0},
        {"-", 0},    {".", 0},     {"0", 0},     {".5x", 0.5}, {"1.2.3", 1.2}};
    for (const auto& [text, expected] : cases)
        EXPECT_DOUBLE_EQ(Val(text), expected) << text;
}

TEST(Runtime, TwipsAreFifteenToAPixel) {
    EXPECT_EQ(twipsRect(150, 300, 1500, 15), QRect(10, 20, 100, 1));
}
