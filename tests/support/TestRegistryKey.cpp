#include "support/TestRegistryKey.h"

#include <gtest/gtest.h>

#include <cstring>
#include <cwchar>

static const char TestRoot[] = "Software\\TrellisvaultTests";
static const char MakerKey[] = "Software\\Pennyroyal";
static const char RealProgramKey[] = "Software\\Pennyroyal\\Tvault";
static const char SavedProgramKey[] = "Software\\TrellisvaultTestsSaved";

TestRegistryKey::TestRegistryKey()
{
    static unsigned made;
    name = std::string(TestRoot) + "\\" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++made) +
           "\\Tvault";
    RegDeleteTreeA(HKEY_CURRENT_USER, name.c_str());
}

TestRegistryKey::~TestRegistryKey()
{
    RegDeleteTreeA(HKEY_CURRENT_USER, TestRoot);
    EXPECT_FALSE(KeyExists(TestRoot));
}

RealProgramKeyGuard::RealProgramKeyGuard()
    : makerExisted(KeyExists(MakerKey)), programKeyExisted(KeyExists(RealProgramKey))
{
    RegDeleteTreeA(HKEY_CURRENT_USER, SavedProgramKey);
    if (!programKeyExisted)
        return;
    HKEY saved;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, SavedProgramKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, &saved, nullptr) != ERROR_SUCCESS) {
        ADD_FAILURE() << "cannot keep " << RealProgramKey;
        return;
    }
    EXPECT_EQ(ERROR_SUCCESS, RegCopyTreeA(HKEY_CURRENT_USER, RealProgramKey, saved));
    RegCloseKey(saved);
}

RealProgramKeyGuard::~RealProgramKeyGuard()
{
    RegDeleteTreeA(HKEY_CURRENT_USER, RealProgramKey);
    if (programKeyExisted) {
        HKEY real;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, RealProgramKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                            nullptr, &real, nullptr) == ERROR_SUCCESS) {
            EXPECT_EQ(ERROR_SUCCESS, RegCopyTreeA(HKEY_CURRENT_USER, SavedProgramKey, real));
            RegCloseKey(real);
        } else {
            ADD_FAILURE() << "cannot put back " << RealProgramKey;
        }
        RegDeleteTreeA(HKEY_CURRENT_USER, SavedProgramKey);
    } else if (!makerExisted) {
        RegDeleteTreeA(HKEY_CURRENT_USER, MakerKey);
    }
    EXPECT_EQ(programKeyExisted, KeyExists(RealProgramKey));
}

bool KeyExists(const std::string& keyName)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, keyName.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

void SetValue(const std::string& keyName, const char* name, DWORD type, const void* data, DWORD size)
{
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, keyName.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                             KEY_SET_VALUE, nullptr, &key, nullptr));
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size));
    RegCloseKey(key);
}

void SetText(const std::string& keyName, const char* name, const std::string& text)
{
    SetValue(keyName, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

void SetUnterminatedText(const std::string& keyName, const char* name, const wchar_t* text)
{
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, keyName.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                             KEY_SET_VALUE, nullptr, &key, nullptr));
    std::wstring wideName(name, name + std::strlen(name));
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueExW(key, wideName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                                            static_cast<DWORD>(std::wcslen(text) * sizeof(wchar_t))));
    RegCloseKey(key);
}

void SetDword(const std::string& keyName, const char* name, DWORD value)
{
    SetValue(keyName, name, REG_DWORD, &value, sizeof value);
}

void SetRectangle(const std::string& keyName, const char* name, const RECT& rectangle)
{
    SetValue(keyName, name, REG_BINARY, &rectangle, sizeof rectangle);
}

void DeleteValue(const std::string& keyName, const char* name)
{
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, keyName.c_str(), 0, KEY_SET_VALUE, &key));
    EXPECT_EQ(ERROR_SUCCESS, RegDeleteValueA(key, name));
    RegCloseKey(key);
}

StoredValue ReadValue(const std::string& keyName, const char* name)
{
    StoredValue value;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, keyName.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return value;
    DWORD size = 0;
    if (RegQueryValueExA(key, name, nullptr, &value.type, nullptr, &size) == ERROR_SUCCESS) {
        value.bytes.assign(size, '\0');
        value.present = RegQueryValueExA(key, name, nullptr, &value.type,
                                         reinterpret_cast<BYTE*>(value.bytes.data()), &size) == ERROR_SUCCESS;
        value.bytes.resize(size);
    }
    RegCloseKey(key);
    return value;
}

std::string ReadText(const std::string& keyName, const char* name)
{
    StoredValue value = ReadValue(keyName, name);
    EXPECT_TRUE(value.present) << keyName << "\\" << name;
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), value.type) << name;
    if (value.bytes.empty() || value.bytes.back() != '\0') {
        ADD_FAILURE() << name << " is stored without its terminator";
        return value.bytes;
    }
    return value.bytes.substr(0, value.bytes.size() - 1);
}
