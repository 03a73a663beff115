#include <gtest/gtest.h>
#include "signal/SGDynSigContext.h"
TEST(Smoke, Builds) { SGDynSigContext c; EXPECT_EQ(c.currentStamp(), 0); }
