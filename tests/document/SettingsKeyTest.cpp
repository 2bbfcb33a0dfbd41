#include "document/SettingsKey.h"

#include "support/TestRegistryKey.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

class SettingsKeyTest : public testing::Test {
protected:
    // Opens the test's Settings key for the reads under test; closed in TearDown.
    HKEY OpenSettings()
    {
        EXPECT_EQ(ERROR_SUCCESS, openSettingsKey(HKEY_CURRENT_USER, programKey.Name(), "Settings", &key));
        return key;
    }
    void TearDown() override
    {
        if (key)
            RegCloseKey(key);
    }

    TestRegistryKey programKey;
    std::string settings = programKey / "Settings";
    HKEY key = nullptr;
};

TEST_F(SettingsKeyTest, OpenCreatesTheSubkeyAndOpensItAgain)
{
    ASSERT_FALSE(KeyExists(programKey.Name()));
    HKEY first;
    ASSERT_EQ(ERROR_SUCCESS, openSettingsKey(HKEY_CURRENT_USER, programKey.Name(), "Settings", &first));
    EXPECT_TRUE(KeyExists(settings));
    DWORD written = 7;
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(first, "probe", 0, REG_DWORD, reinterpret_cast<BYTE*>(&written), 4));
    RegCloseKey(first);

    HKEY again;
    ASSERT_EQ(ERROR_SUCCESS, openSettingsKey(HKEY_CURRENT_USER, programKey.Name(), "Settings", &again));
    DWORD read = 0;
    EXPECT_TRUE(readDword(again, "probe", &read, 0));
    EXPECT_EQ(7u, read);
    RegCloseKey(again);

    HKEY programOnly;
    ASSERT_EQ(ERROR_SUCCESS, openSettingsKey(HKEY_CURRENT_USER, programKey.Name(), nullptr, &programOnly));
    EXPECT_FALSE(readDword(programOnly, "probe", &read, 3));
    EXPECT_EQ(3u, read);
    RegCloseKey(programOnly);
}

TEST_F(SettingsKeyTest, AKeyNameTooLongToComposeIsRefusedNotCut)
{
    std::string longName = std::string(programKey.Name()) + "\\" + std::string(600, 'k');
    HKEY opened = reinterpret_cast<HKEY>(1);
    EXPECT_NE(ERROR_SUCCESS, openSettingsKey(HKEY_CURRENT_USER, longName.c_str(), "Settings", &opened));
    EXPECT_EQ(nullptr, opened);
    EXPECT_FALSE(KeyExists(programKey.Name()));
}

TEST_F(SettingsKeyTest, ReadDwordTakesOnlyA32BitDword)
{
    SetDword(settings, "good", 0x12345678);
    SetValue(settings, "binary4", REG_BINARY, "\x01\x02\x03\x04", 4);
    SetValue(settings, "binary2", REG_BINARY, "\x01\x02", 2);
    DWORD bigEndian = 0x01000000;
    SetValue(settings, "bigEndian", REG_DWORD_BIG_ENDIAN, &bigEndian, 4);
    unsigned long long wide = 5;
    SetValue(settings, "qword", REG_QWORD, &wide, sizeof wide);
    SetText(settings, "text", "12");
    SetValue(settings, "short", REG_DWORD, "\x09\x00", 2);
    HKEY opened = OpenSettings();

    DWORD value = 0;
    EXPECT_TRUE(readDword(opened, "good", &value, 99));
    EXPECT_EQ(0x12345678u, value);
    for (const char* name : {"absent", "binary4", "binary2", "bigEndian", "qword", "text", "short"}) {
        value = 0xDEADBEEF;
        EXPECT_FALSE(readDword(opened, name, &value, 42)) << name;
        EXPECT_EQ(42u, value) << name;
    }
}

TEST_F(SettingsKeyTest, ReadStringTakesATextThatFitsWithItsTerminator)
{
    SetText(settings, "fits", std::string(9, 'f'));
    SetText(settings, "oneOver", std::string(10, 'o'));
    SetText(settings, "empty", "");
    SetUnterminatedText(settings, "noTerminator", L"abc");
    SetUnterminatedText(settings, "noTerminatorFull", L"0123456789");
    SetValue(settings, "zeroBytes", REG_SZ, "", 0);
    HKEY opened = OpenSettings();

    // a guard past the ten-byte buffer shows that nothing is written beyond it; Wine answers
    // ERROR_MORE_DATA for the unterminated ten characters, Windows may hand them over unterminated
    struct Read {
        const char* name;
        const char* defaultText;
        bool read;
        const char* text;
    };
    const Read reads[] = {
        {"fits", "dflt", true, "fffffffff"},
        {"oneOver", "dflt", false, "dflt"},
        {"empty", "dflt", true, ""},
        {"noTerminator", "dflt", true, "abc"},
        {"noTerminatorFull", "dflt", false, "dflt"},
        {"zeroBytes", "dflt", true, ""},
        {"absent", "a default longer than the buffer", false, "a default"},
    };
    for (const Read& expected : reads) {
        char buffer[12];
        std::memset(buffer, '#', sizeof buffer);
        EXPECT_EQ(expected.read, readString(opened, expected.name, buffer, 10, expected.defaultText)) << expected.name;
        EXPECT_STREQ(expected.text, buffer) << expected.name;
        EXPECT_EQ('#', buffer[10]) << expected.name;
    }
}

TEST_F(SettingsKeyTest, ReadStringTreatsOtherTypesAsAbsent)
{
    SetValue(settings, "expand", REG_EXPAND_SZ, "%TEMP%", 7);
    SetValue(settings, "multi", REG_MULTI_SZ, "a\0b\0", 5);
    SetValue(settings, "binary", REG_BINARY, "abc", 4);
    SetDword(settings, "dword", 0x00414141);
    HKEY opened = OpenSettings();
    char buffer[16];
    for (const char* name : {"expand", "multi", "binary", "dword"}) {
        EXPECT_FALSE(readString(opened, name, buffer, sizeof buffer, "dflt")) << name;
        EXPECT_STREQ("dflt", buffer) << name;
    }
}
