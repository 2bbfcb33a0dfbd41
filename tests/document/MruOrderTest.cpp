#include "document/MruOrder.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(MruOrder, NewEntriesTakeLettersInOrderThenTheLeastRecentlyUsed)
{
    EXPECT_EQ('a', LetterForNewEntry("", 0, 10));
    EXPECT_EQ('c', LetterForNewEntry("ba", 2, 10));
    EXPECT_EQ('j', LetterForNewEntry("ihgfedcba", 9, 10));
    EXPECT_EQ('a', LetterForNewEntry("jihgfedcba", 10, 10));
    EXPECT_EQ('i', LetterForNewEntry("acbdefghji", 10, 10));
    // a hand-written order of eleven letters gives up its tenth, never reaching past the history
    EXPECT_EQ('b', LetterForNewEntry("kjihgfedcba", 11, 10));
}

TEST(MruOrder, ANewEntryNeverTakesALetterStillInUse)
{
    // orders written by hand that skip a letter: counting alone would name b and c again
    EXPECT_EQ('a', LetterForNewEntry("b", 1, 10));
    EXPECT_EQ('b', LetterForNewEntry("ca", 2, 10));
    EXPECT_EQ('d', LetterForNewEntry("bac", 3, 10));
}

TEST(MruOrder, NoLetterForAnImpossibleHistory)
{
    EXPECT_EQ('\0', LetterForNewEntry("", 0, 0));
    EXPECT_EQ('\0', LetterForNewEntry("", 0, 27));
    EXPECT_EQ('\0', LetterForNewEntry("ab", 10, 10));
}

TEST(MruOrder, MovingAKnownLetterKeepsTheLength)
{
    char order[12] = "cab";
    EXPECT_TRUE(MoveLetterToFront(order, sizeof order, 'b'));
    EXPECT_STREQ("bca", order);
    EXPECT_TRUE(MoveLetterToFront(order, sizeof order, 'b'));
    EXPECT_STREQ("bca", order);
    char full[12] = "jihgfedcba";
    EXPECT_TRUE(MoveLetterToFront(full, sizeof full, 'a'));
    EXPECT_STREQ("ajihgfedcb", full);
}

TEST(MruOrder, ANewLetterGoesFirstWhileThereIsRoom)
{
    char order[12] = "";
    EXPECT_TRUE(MoveLetterToFront(order, sizeof order, 'a'));
    EXPECT_STREQ("a", order);
    EXPECT_TRUE(MoveLetterToFront(order, sizeof order, 'b'));
    EXPECT_STREQ("ba", order);

    char tight[4] = "ab";
    EXPECT_TRUE(MoveLetterToFront(tight, sizeof tight, 'c'));
    EXPECT_STREQ("cab", tight);
    EXPECT_FALSE(MoveLetterToFront(tight, sizeof tight, 'd'));
    EXPECT_STREQ("cab", tight);
    EXPECT_TRUE(MoveLetterToFront(tight, sizeof tight, 'b'));
    EXPECT_STREQ("bca", tight);
}

TEST(MruOrder, RefusesAnUnterminatedOrderAndTheZeroLetter)
{
    char unterminated[3] = {'a', 'b', 'c'};
    EXPECT_FALSE(MoveLetterToFront(unterminated, sizeof unterminated, 'c'));
    EXPECT_EQ(0, std::memcmp(unterminated, "abc", 3));
    char order[4] = "ab";
    EXPECT_FALSE(MoveLetterToFront(order, sizeof order, '\0'));
    EXPECT_STREQ("ab", order);
}
