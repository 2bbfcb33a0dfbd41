#pragma once

#include "text/LeadBytes.h"

// Code pages 932 and 936 as Windows reads them (see FolderPathsTest). In 932 ソ is 83 5C and 表 is
// 95 5C; in 936 乗 is 81 5C, and B1 5C is one character, 盶, where 932 reads ｱ and a "\".
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
