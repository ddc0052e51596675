#include "platform/text/FontFamily.h"

#include <gtest/gtest.h>

namespace kelmora {
TEST(FontFamilyTest, Placeholder) { EXPECT_TRUE(FontFamily::Create("Arial")); }
}
