#pragma once

#include "text/LeadBytes.h"

// The lead bytes of two double-byte code pages as Windows reads them (a Windows test holds them
// against IsDBCSLeadByteEx). In 932 ソ is 83 5C and 表 is 95 5C; in 936 乗 is 81 5C, and B1 5C is
// one character, 盶, where 932 reads a half-width ｱ and a "\".
inline LeadBytes CodePage932()
{
    LeadBytes leadBytes;
    leadBytes.Add(0x81, 0x9F);
    leadBytes.Add(0xE0, 0xFC);
    return leadBytes;
}

inline LeadBytes CodePage936()
{
    LeadBytes leadBytes;
    leadBytes.Add(0x81, 0xFE);
    return leadBytes;
}

// A single-byte code page such as 1252: no lead bytes.
inline LeadBytes SingleByteCodePage()
{
    return LeadBytes();
}
