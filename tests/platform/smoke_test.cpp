#include "platform/adodb.h"
#include <gtest/gtest.h>
TEST(Smoke, Builds) { SUCCEED(); }
