// Automatic names never collide with the names they are checked against, and value names are
// compared without regard to case.
#include <gtest/gtest.h>

#include "TestObjects.h"
#include "calc/ValueNames.h"

TEST(PointNames, LettersThenNumbered) {
    Figure f;
    EXPECT_EQ(f.list.nextPointName(), "A");
    for (const char* suffix : {"", "1"})
        for (char c = 'A'; c <= 'Z'; ++c) f.point(std::string(1, c) + suffix);
    f.list.removeAt(f.list.indexOf(f["C1"]));
    EXPECT_EQ(f.list.nextPointName(), "C1");
}

TEST(PointNames, StraightLinesCountOtherKindsDoNot) {
    Figure f;
    f.point("A");
    f.add(nat::droite, std::make_unique<TestPoint>(0, 0))->setName("B");
    f.add(nat::cercle, std::make_unique<TestPoint>(0, 0))->setName("C");
    f.value(nat::variable, "D");
    EXPECT_EQ(f.list.nextPointName(), "C");
    // The new object's own name does not count.
    EXPECT_EQ(f.list.nextPointName(f["A"]), "A");
}

TEST(ValueNames, TakenCaseInsensitiveAndBuiltInsAndUniqueNumbered) {
    Figure f;
    EXPECT_EQ(uniqueNumberedValueName(f.list, "f"), "f1");
    f.value(nat::variable, "Var");
    f.point("A");
    f.value(nat::commentaire, "comm");  // not a numeric nature
    EXPECT_TRUE(isValueNameTaken(f.list, "var"));
    EXPECT_TRUE(isValueNameTaken(f.list, "SIN"));
    EXPECT_FALSE(isValueNameTaken(f.list, "A"));
    EXPECT_FALSE(isValueNameTaken(f.list, "comm"));
    f.value(nat::fonction, "f1");
    f.value(nat::calcul, "F2");
    f.point("f3");  // a point's name does not count
    EXPECT_EQ(uniqueNumberedValueName(f.list, "f"), "f3");
}

TEST(ValueNames, LongestMatchInTheGroupEarlierOnTies) {
    Figure f;
    f.value(nat::variable, "a");          // 0
    f.value(nat::mesure, "ab");           // 1
    f.value(nat::fonction, "abc");        // 2
    f.value(nat::calcul, "AB");           // 3: tie with 1
    f.value(nat::mesureAffixe, "zz");     // 4
    f.value(nat::fonctionComplexe, "h");  // 5
    for (auto [text, pos, group, length, index] :
         {std::tuple{"2*Ab+1", size_t{2}, nat::valeurReelle, 2, 1},
          {"b", 0, nat::valeurReelle, 0, -1},
          {"ab", 5, nat::valeurReelle, 0, -1},
          {"abcd", 0, nat::fonctionOuSuite, 3, 2},
          {"zzz", 0, nat::valeurComplexe, 2, 4},
          {"h(z)", 0, nat::valeurReelle, 0, -1}}) {
        CElementBase* found = reinterpret_cast<CElementBase*>(1);
        EXPECT_EQ(findLongestNameAt(f.list, text, pos, group, &found), length) << text;
        EXPECT_EQ(found, index < 0 ? nullptr : f.list.elementAt(index)) << text;
    }
}
