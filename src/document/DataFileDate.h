#pragma once

#include <cstddef>
#include <string>

// A data file's text with only its Date value set to date: the first value line of the first
// Date section is replaced, or put after the header when the section has none, and every other
// byte stays as it was. False, with result untouched, when a reader would reject the text as not
// a data file (no Date or no Dest section).
bool SetDateValue(const char* text, std::size_t length, const char* date, std::string& result);
