#pragma once

#include "text/LeadBytes.h"

// The lead bytes of a code page's double-byte characters, as the system reads them.
LeadBytes CodePageLeadBytes(unsigned codePage);

// Those of the ANSI code page, in which every "A" function reads its paths.
const LeadBytes& AnsiLeadBytes();
