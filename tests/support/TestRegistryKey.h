#pragma once

#include <windows.h>

#include <string>

// A program key of the test's own below HKEY_CURRENT_USER, removed with everything below it.
class TestRegistryKey {
public:
    TestRegistryKey();
    ~TestRegistryKey();
    TestRegistryKey(const TestRegistryKey&) = delete;
    TestRegistryKey& operator=(const TestRegistryKey&) = delete;

    const char* Name() const { return name.c_str(); }
    // The key's name followed by a backslash and subkey.
    std::string operator/(const char* subkey) const { return name + "\\" + subkey; }

private:
    std::string name;
};

// Keeps what the program's real key holds and puts exactly that back when the test ends,
// removing the key (and "Software\Pennyroyal" when it was not there either) when it was absent.
class RealProgramKeyGuard {
public:
    RealProgramKeyGuard();
    ~RealProgramKeyGuard();
    RealProgramKeyGuard(const RealProgramKeyGuard&) = delete;
    RealProgramKeyGuard& operator=(const RealProgramKeyGuard&) = delete;

private:
    bool makerExisted;
    bool programKeyExisted;
};

// Direct registry access for arranging and checking, independent of the code under test.
struct StoredValue {
    bool present = false;
    DWORD type = REG_NONE;
    std::string bytes;
};

bool KeyExists(const std::string& keyName);
void SetValue(const std::string& keyName, const char* name, DWORD type, const void* data, DWORD size);
void SetText(const std::string& keyName, const char* name, const std::string& text);
// A REG_SZ value without its terminator, as another program can store it; written through the
// wide function because the 8-bit one may add the terminator.
void SetUnterminatedText(const std::string& keyName, const char* name, const wchar_t* text);
void SetDword(const std::string& keyName, const char* name, DWORD value);
void SetRectangle(const std::string& keyName, const char* name, const RECT& rectangle);
void DeleteValue(const std::string& keyName, const char* name);
StoredValue ReadValue(const std::string& keyName, const char* name);
// The text of a REG_SZ value stored with its terminator; a failed expectation otherwise.
std::string ReadText(const std::string& keyName, const char* name);
