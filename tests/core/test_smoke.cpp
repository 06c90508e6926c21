#include <gtest/gtest.h>

#include "core/CListeAction.h"

TEST(Smoke, EmptyList) {
    CListeAction l;
    EXPECT_EQ(l.indexOf(nullptr), -1);
    EXPECT_EQ(l.elementAt(-1), nullptr);
}
