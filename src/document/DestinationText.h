#pragma once

#include "text/LeadBytes.h"

#include <cstddef>

// Ends a destination with the separator that the copies go below: "E:" becomes "E:\" and
// "C:\Backups" becomes "C:\Backups\". One that ends in "\" or "/" already, and an empty one, stay
// as they are. False, leaving the text as it was, when the separator does not fit the buffer or
// would become the second byte of a character cut short. The text is read in the code page of leadBytes.
bool EndDestinationWithSeparator(char* destination, std::size_t size, const LeadBytes& leadBytes);
