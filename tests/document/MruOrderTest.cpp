#include "document/MruOrder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

TEST(MruOrder, ANewEntryTakesTheNextFreeLetterThenTheLeastRecentlyUsed)
{
    struct Row {
        const char* order;
        std::size_t entries;
        std::size_t historySize;
        char letter;
    };
    const Row rows[] = {
        {"", 0, 10, 'a'}, {"ba", 2, 10, 'c'}, {"ihgfedcba", 9, 10, 'j'},
        // a full history gives up its last letter, for the eleventh destination and the twelfth alike
        {"jihgfedcba", 10, 10, 'a'}, {"ajihgfedcb", 10, 10, 'b'}, {"acbdefghji", 10, 10, 'i'},
        // a hand-written order of eleven letters gives up its tenth, never reaching past the history
        {"kjihgfedcba", 11, 10, 'b'},
        // orders written by hand that skip a letter: counting alone would name b and c again
        {"b", 1, 10, 'a'}, {"ca", 2, 10, 'b'}, {"bac", 3, 10, 'd'},
        // no letter for an impossible history
        {"", 0, 0, '\0'}, {"", 0, 27, '\0'}, {"ab", 10, 10, '\0'},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.letter, LetterForNewEntry(row.order, row.entries, row.historySize)) << row.order;
}

TEST(MruOrder, MovingALetterToTheFront)
{
    struct Row {
        const char* before;
        std::size_t size;
        char letter;
        bool moved;
        const char* after;
    };
    const Row rows[] = {
        // a known letter keeps the length
        {"cab", 12, 'b', true, "bca"}, {"bca", 12, 'b', true, "bca"},
        {"jihgfedcba", 12, 'a', true, "ajihgfedcb"}, {"ajihgfedcb", 12, 'b', true, "bajihgfedc"},
        // a new letter goes first while there is room
        {"", 12, 'a', true, "a"}, {"a", 12, 'b', true, "ba"}, {"b", 12, 'a', true, "ab"},
        {"ab", 4, 'c', true, "cab"}, {"cab", 4, 'd', false, "cab"}, {"cab", 4, 'b', true, "bca"},
        // the zero letter is refused
        {"ab", 4, '\0', false, "ab"},
    };
    for (const Row& row : rows) {
        // a buffer of exactly the given size, so that the sanitizers see any write past it
        std::vector<char> order(row.size);
        std::strcpy(order.data(), row.before);
        EXPECT_EQ(row.moved, MoveLetterToFront(order.data(), order.size(), row.letter)) << row.before << row.letter;
        EXPECT_STREQ(row.after, order.data()) << row.before << row.letter;
    }
}

TEST(MruOrder, RefusesAnUnterminatedOrder)
{
    char unterminated[3] = {'a', 'b', 'c'};
    EXPECT_FALSE(MoveLetterToFront(unterminated, sizeof unterminated, 'c'));
    EXPECT_EQ(0, std::memcmp(unterminated, "abc", 3));
}
