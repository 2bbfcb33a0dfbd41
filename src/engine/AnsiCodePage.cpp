#include "engine/AnsiCodePage.h"

#include <windows.h>

LeadBytes CodePageLeadBytes(unsigned codePage)
{
    LeadBytes leadBytes;
    for (unsigned value = 0; value <= 0xFF; ++value) {
        if (IsDBCSLeadByteEx(codePage, static_cast<BYTE>(value)))
            leadBytes.Add(static_cast<unsigned char>(value), static_cast<unsigned char>(value));
    }
    return leadBytes;
}

const LeadBytes& AnsiLeadBytes()
{
    // the ANSI code page is fixed for the life of the process
    static const LeadBytes ansi = CodePageLeadBytes(GetACP());
    return ansi;
}
