#pragma once

#include <cstdint>

// The lead bytes of a code page's double-byte characters. In code pages 932, 936, 949 and 950 the
// byte after a lead byte may look like "\" (ソ is 83 5C, 表 is 95 5C), so a path is read one
// character at a time from its start, never byte by byte or backwards. No lead bytes at all is a
// single-byte code page. It needs no Windows API: the Windows side fills it from the system.
class LeadBytes {
public:
    void Add(unsigned char first, unsigned char last)
    {
        for (unsigned value = first; value <= last; ++value)
            bits[value / 32] |= std::uint32_t{1} << (value % 32);
    }

    bool IsLead(char c) const
    {
        unsigned char value = static_cast<unsigned char>(c);
        return (bits[value / 32] >> (value % 32) & 1) != 0;
    }

    bool operator==(const LeadBytes& other) const
    {
        for (int i = 0; i < 8; ++i) {
            if (bits[i] != other.bits[i])
                return false;
        }
        return true;
    }

    // The character after the one at c; a lead byte before the end takes its trail byte along.
    template <typename Char>
    Char* Next(Char* c) const
    {
        return c + (IsLead(*c) && c[1] != '\0' ? 2 : 1);
    }

    // The first wanted character of text, or null.
    template <typename Char>
    Char* FindFirst(Char* text, char wanted) const
    {
        for (; *text != '\0'; text = Next(text)) {
            if (*text == wanted)
                return text;
        }
        return nullptr;
    }

    // The last wanted character of text, or null.
    template <typename Char>
    Char* FindLast(Char* text, char wanted) const
    {
        Char* found = nullptr;
        for (; *text != '\0'; text = Next(text)) {
            if (*text == wanted)
                found = text;
        }
        return found;
    }

    // Whether the last character of text is wanted (a trail byte that looks like it is not).
    bool EndsWith(const char* text, char wanted) const
    {
        const char* last = nullptr;
        for (; *text != '\0'; text = Next(text))
            last = text;
        return last != nullptr && *last == wanted;
    }

private:
    std::uint32_t bits[8] = {};
};
