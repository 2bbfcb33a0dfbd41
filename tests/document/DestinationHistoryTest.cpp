#include "document/DestinationHistory.h"

#include "support/TestRegistryKey.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

// What one Backup dialog does with the history: a fresh destination combo box, loaded on
// opening with the dialog's text size and entry count, released on closing.
class HistoryDialog {
public:
    HistoryDialog(HWND parent, const char* programKey, const char* subkey = "Combo2")
    {
        comboBox = CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL,
                                   10, 10, 300, 200, parent, reinterpret_cast<HMENU>(1003), GetModuleHandleA(nullptr),
                                   nullptr);
        EXPECT_NE(nullptr, comboBox);
        EXPECT_TRUE(history.loadHistory(comboBox, 261, 10, programKey, subkey));
    }
    ~HistoryDialog()
    {
        history.releaseHistory();
        DestroyWindow(comboBox);
    }

    // The list as the combo box holds it.
    std::vector<std::string> List() const
    {
        std::vector<std::string> entries;
        LRESULT count = SendMessageA(comboBox, CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            char entry[300] = "";
            if (SendMessageA(comboBox, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0) < static_cast<LRESULT>(sizeof entry))
                SendMessageA(comboBox, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(entry));
            entries.push_back(entry);
        }
        return entries;
    }
    std::string EditText() const
    {
        char text[300] = "";
        SendMessageA(comboBox, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
        return text;
    }
    // The user types text into the field and presses Backup.
    std::string Push(const std::string& typed)
    {
        SendMessageA(comboBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed.c_str()));
        return Push();
    }
    std::string Push()
    {
        char destination[261];
        destination[0] = 'x';
        pushed = history.pushHistory(destination, sizeof destination);
        return destination;
    }

    HWND comboBox = nullptr;
    DestinationHistory history;
    bool pushed = false;
};

using Entries = std::vector<std::string>;

class DestinationHistoryTest : public testing::Test {
protected:
    void SetUp() override
    {
        parent = CreateWindowExA(0, "STATIC", "Backup", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(nullptr, parent);
    }
    void TearDown() override { DestroyWindow(parent); }

    // A history written by an earlier run: letter values and the order.
    void StoreHistory(const std::vector<std::pair<const char*, std::string>>& values, const char* order)
    {
        for (const auto& value : values)
            SetText(history, value.first, value.second);
        SetText(history, "MRUList", order);
    }

    TestRegistryKey programKey;
    std::string history = programKey / "Combo2";
    HWND parent = nullptr;
};

TEST_F(DestinationHistoryTest, TheWorkedExampleFromAnEmptyHistory)
{
    {
        HistoryDialog first(parent, programKey.Name());
        EXPECT_TRUE(first.history.IsReady());
        EXPECT_EQ(Entries{}, first.List());
        EXPECT_EQ("", first.EditText());
        EXPECT_FALSE(KeyExists(history)) << "loading must not create the key";
        EXPECT_EQ("E:\\", first.Push("E:\\"));
        EXPECT_TRUE(first.pushed);
        EXPECT_EQ("E:\\", ReadText(history, "a"));
        EXPECT_EQ("a", ReadText(history, "MRUList"));
        EXPECT_EQ(Entries{}, first.List()) << "a push leaves the open dialog's list as it is";
    }
    {
        HistoryDialog second(parent, programKey.Name());
        EXPECT_EQ(Entries{"E:\\"}, second.List());
        EXPECT_EQ("E:\\", second.EditText());
        EXPECT_EQ("F:\\Backup\\", second.Push("F:\\Backup\\"));
        EXPECT_EQ("F:\\Backup\\", ReadText(history, "b"));
        EXPECT_EQ("ba", ReadText(history, "MRUList"));
    }
    {
        HistoryDialog third(parent, programKey.Name());
        EXPECT_EQ((Entries{"F:\\Backup\\", "E:\\"}), third.List());
        EXPECT_EQ("F:\\Backup\\", third.EditText());
        EXPECT_EQ("e:\\", third.Push("e:\\"));
        EXPECT_EQ("ab", ReadText(history, "MRUList"));
        EXPECT_EQ("E:\\", ReadText(history, "a"));
        EXPECT_EQ("F:\\Backup\\", ReadText(history, "b"));
        EXPECT_FALSE(ReadValue(history, "c").present);
    }
    HistoryDialog fourth(parent, programKey.Name());
    EXPECT_EQ((Entries{"E:\\", "F:\\Backup\\"}), fourth.List());
}

TEST_F(DestinationHistoryTest, PushingTheEntryAlreadyFirstWritesNothing)
{
    StoreHistory({{"a", "E:\\"}, {"b", "F:\\"}}, "ab");
    HistoryDialog dialog(parent, programKey.Name());
    ASSERT_EQ("E:\\", dialog.EditText());
    // changed behind the history's back: any write would put them right again
    SetText(history, "MRUList", "ba");
    SetText(history, "a", "X:\\");

    EXPECT_EQ("E:\\", dialog.Push());
    EXPECT_TRUE(dialog.pushed);
    EXPECT_EQ("e:\\", dialog.Push("e:\\"));
    EXPECT_EQ("ba", ReadText(history, "MRUList"));
    EXPECT_EQ("X:\\", ReadText(history, "a"));
    EXPECT_EQ("F:\\", ReadText(history, "b"));
}

TEST_F(DestinationHistoryTest, ADestinationDifferingOnlyInCaseMovesFirstAndKeepsItsStoredText)
{
    StoreHistory({{"a", "E:\\Backups\\"}, {"b", "F:\\"}}, "ba");
    HistoryDialog dialog(parent, programKey.Name());
    EXPECT_EQ((Entries{"F:\\", "E:\\Backups\\"}), dialog.List());
    EXPECT_EQ("e:\\BACKUPS\\", dialog.Push("e:\\BACKUPS\\"));
    EXPECT_EQ("ab", ReadText(history, "MRUList"));
    EXPECT_EQ("E:\\Backups\\", ReadText(history, "a"));
    EXPECT_FALSE(ReadValue(history, "c").present);
}

TEST_F(DestinationHistoryTest, AMissingLetterValueLeavesTheOtherEntriesTheirLetters)
{
    StoreHistory({{"b", "B:\\"}, {"c", "C:\\"}}, "abc");
    {
        HistoryDialog dialog(parent, programKey.Name());
        EXPECT_EQ((Entries{"B:\\", "C:\\"}), dialog.List());
        EXPECT_EQ("B:\\", dialog.EditText());
        // C:\ is at list position 1 but keeps its own letter c, not the order's letter b there
        dialog.Push("C:\\");
        EXPECT_EQ("cab", ReadText(history, "MRUList"));
        EXPECT_EQ("B:\\", ReadText(history, "b"));
        EXPECT_EQ("C:\\", ReadText(history, "c"));
    }
    {
        HistoryDialog dialog(parent, programKey.Name());
        EXPECT_EQ((Entries{"C:\\", "B:\\"}), dialog.List());
        EXPECT_EQ("C:\\", dialog.EditText()) << "the destination pushed last comes first";
        // the order still counts the missing entry, so a new destination takes the next letter
        dialog.Push("D:\\");
        EXPECT_EQ("dcab", ReadText(history, "MRUList"));
        EXPECT_EQ("D:\\", ReadText(history, "d"));
        EXPECT_FALSE(ReadValue(history, "a").present);
    }
}

TEST_F(DestinationHistoryTest, AnEmptyFieldStoresNothingAndALaterPressWorksOnTheSameHistory)
{
    HistoryDialog dialog(parent, programKey.Name());
    EXPECT_EQ("", dialog.Push(""));
    EXPECT_FALSE(dialog.pushed);
    EXPECT_FALSE(KeyExists(history));
    EXPECT_TRUE(dialog.history.IsReady());

    EXPECT_EQ("K:\\", dialog.Push("K:\\"));
    EXPECT_TRUE(dialog.pushed);
    EXPECT_EQ("K:\\", ReadText(history, "a"));
    EXPECT_EQ("a", ReadText(history, "MRUList"));

    StoreHistory({{"a", "K:\\"}}, "a");
    HistoryDialog second(parent, programKey.Name());
    EXPECT_EQ("", second.Push(""));
    EXPECT_EQ("a", ReadText(history, "MRUList"));
    EXPECT_FALSE(ReadValue(history, "b").present);
}

TEST_F(DestinationHistoryTest, TheFieldTakesAtMost260CharactersAndALongerBufferIsNeverOverrun)
{
    HistoryDialog dialog(parent, programKey.Name());
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(dialog.comboBox, &info));
    ASSERT_NE(nullptr, info.hwndItem);
    EXPECT_EQ(260, SendMessageA(info.hwndItem, EM_GETLIMITTEXT, 0, 0));

    const std::string longest = "L:\\" + std::string(256, 'x') + "\\";
    EXPECT_EQ(longest, dialog.Push(longest));
    EXPECT_EQ(longest, ReadText(history, "a"));

    // a buffer one byte short of the text takes nothing, and the history stays as it was
    SendMessageA(dialog.comboBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(("M:\\" + std::string(256, 'y') + "\\").c_str()));
    char shortBuffer[262];
    std::fill(std::begin(shortBuffer), std::end(shortBuffer), '#');
    EXPECT_FALSE(dialog.history.pushHistory(shortBuffer, 260));
    EXPECT_EQ('\0', shortBuffer[0]);
    EXPECT_EQ('#', shortBuffer[260]);
    EXPECT_FALSE(ReadValue(history, "b").present);
    EXPECT_EQ("a", ReadText(history, "MRUList"));

    // the limit holds only for typing: a longer text set into the field is refused, not cut
    SendMessageA(dialog.comboBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(("N:\\" + std::string(258, 'z')).c_str()));
    ASSERT_EQ(261, GetWindowTextLengthA(dialog.comboBox));
    EXPECT_EQ("", dialog.Push());
    EXPECT_FALSE(dialog.pushed);
    EXPECT_FALSE(ReadValue(history, "b").present);
    EXPECT_EQ("a", ReadText(history, "MRUList"));
}

TEST_F(DestinationHistoryTest, AnOrderOfElevenLettersIsReadAndTwelveGiveAnEmptyList)
{
    Entries eleven;
    for (char letter = 'a'; letter <= 'k'; ++letter) {
        SetText(history, std::string(1, letter).c_str(), std::string(1, static_cast<char>(letter - 'a' + 'A')) + ":\\");
        eleven.push_back(std::string(1, static_cast<char>(letter - 'a' + 'A')) + ":\\");
    }
    SetText(history, "l", "Z:\\");
    SetText(history, "MRUList", "abcdefghijk");
    {
        HistoryDialog dialog(parent, programKey.Name());
        EXPECT_EQ(eleven, dialog.List());
        EXPECT_EQ("A:\\", dialog.EditText());
        // a new destination takes the tenth letter, and the order keeps its length
        dialog.Push("N:\\");
        EXPECT_EQ("jabcdefghik", ReadText(history, "MRUList"));
        EXPECT_EQ("N:\\", ReadText(history, "j"));
    }
    SetText(history, "MRUList", "abcdefghijkl");
    {
        HistoryDialog dialog(parent, programKey.Name());
        EXPECT_EQ(Entries{}, dialog.List());
        EXPECT_EQ("", dialog.EditText());
    }
}

// A letter value of another type is the settings key's refusal and is left out as a missing one is;
// an order of another type leaves the whole list empty.
TEST_F(DestinationHistoryTest, AnOrderOfAnotherTypeGivesAnEmptyList)
{
    SetText(history, "a", "A:\\");
    SetValue(history, "MRUList", REG_BINARY, "a", 2);
    HistoryDialog dialog(parent, programKey.Name());
    EXPECT_EQ(Entries{}, dialog.List());
    EXPECT_EQ("", dialog.EditText());
}

TEST_F(DestinationHistoryTest, ReleasingEndsTheHistoryOnce)
{
    HistoryDialog dialog(parent, programKey.Name());
    dialog.history.releaseHistory();
    EXPECT_FALSE(dialog.history.IsReady());
    dialog.history.releaseHistory();
    EXPECT_FALSE(dialog.history.IsReady());
    EXPECT_EQ("", dialog.Push("P:\\"));
    EXPECT_FALSE(dialog.pushed);
    EXPECT_FALSE(KeyExists(history));

    EXPECT_TRUE(dialog.history.loadHistory(dialog.comboBox, 261, 10, programKey.Name(), "Combo2"));
    EXPECT_EQ("P:\\", dialog.Push("P:\\"));
    EXPECT_EQ("P:\\", ReadText(history, "a"));
}

TEST_F(DestinationHistoryTest, UnusableArgumentsLeaveTheHistoryNotReady)
{
    HistoryDialog dialog(parent, programKey.Name());
    dialog.history.releaseHistory();
    EXPECT_FALSE(dialog.history.loadHistory(nullptr, 261, 10, programKey.Name(), "Combo2"));
    EXPECT_FALSE(dialog.history.loadHistory(dialog.comboBox, 1, 10, programKey.Name(), "Combo2"));
    EXPECT_FALSE(dialog.history.loadHistory(dialog.comboBox, 261, 0, programKey.Name(), "Combo2"));
    EXPECT_FALSE(dialog.history.loadHistory(dialog.comboBox, 261, 27, programKey.Name(), "Combo2"));
    EXPECT_FALSE(dialog.history.IsReady());
}

TEST_F(DestinationHistoryTest, TheProgramsOwnKeyHoldsTheHistory)
{
    RealProgramKeyGuard guard;
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Pennyroyal\\Tvault\\Combo2");
    {
        HistoryDialog dialog(parent, "Software\\Pennyroyal\\Tvault");
        dialog.Push("R:\\Real\\");
    }
    EXPECT_EQ("R:\\Real\\", ReadText("Software\\Pennyroyal\\Tvault\\Combo2", "a"));
    EXPECT_EQ("a", ReadText("Software\\Pennyroyal\\Tvault\\Combo2", "MRUList"));
    HistoryDialog dialog(parent, "Software\\Pennyroyal\\Tvault");
    EXPECT_EQ(Entries{"R:\\Real\\"}, dialog.List());
    EXPECT_FALSE(KeyExists(programKey.Name()));
}
