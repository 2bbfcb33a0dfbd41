#pragma once

#include "text/LeadBytes.h"

// True when a drive or network source folder leans on a current folder ("C:Data\" goes on
// from drive C's current folder) or holds a "." or ".." component, or one of dots and spaces
// only, which Windows may read the same way: its mirror under the destination could then lie
// outside the drive's or server's own folder there. Other paths answer false; the run reports
// them as unknown. The folder is read in the code page of leadBytes.
bool HasRelativeParts(const char* folder, const LeadBytes& leadBytes);
