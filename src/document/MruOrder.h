#pragma once

#include <cstddef>

// The destination history's order: the letters of its entries, most recently used first,
// one letter per entry, each naming the registry value that holds the entry's text.

// The letter a destination not yet in the history takes: the first letter from 'a' that order
// does not hold while fewer than maximumEntries are in use, otherwise the letter of the least
// recently used entry.
// Answers '\0' when there is no such letter (maximumEntries of 0, or an order shorter than it claims).
char LetterForNewEntry(const char* order, std::size_t count, std::size_t maximumEntries);

// Makes letter the first of order and removes its later occurrence, so the order never grows
// by a letter it already holds. Answers false, leaving order unchanged, when the result would
// not fit orderSize bytes with its terminator.
bool MoveLetterToFront(char* order, std::size_t orderSize, char letter);
