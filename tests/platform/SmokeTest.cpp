#include <gtest/gtest.h>
#include "platform/Codec.h"
TEST(Smoke, SjisAvailable) { EXPECT_TRUE(kavalo::sjisAvailable()); }
