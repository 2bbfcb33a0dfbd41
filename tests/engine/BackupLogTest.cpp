#include "EngineFixture.h"

#include "engine/BackupDate.h"
#include "engine/LastBackupStamp.h"
#include "text/BoundedText.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

class BackupLogTest : public EngineTest {};

} // namespace

TEST_F(BackupLogTest, LivesInTheTemporaryFolder)
{
    char temp[MAX_PATH];
    ASSERT_NE(0u, GetTempPathA(sizeof temp, temp));
    EXPECT_EQ(std::string(temp) + "BackupLog.txt", run.LogPath());
}

// A temporary folder named Ковёр, which code page 1252 cannot hold, takes the log through its short path.
TEST_F(BackupLogTest, ATemporaryFolderTheCodePageCannotHoldIsReachedThroughItsShortPath)
{
    wchar_t base[MAX_PATH];
    ASSERT_NE(0u, GetTempPathW(MAX_PATH, base));
    const std::wstring odd = std::wstring(base) + L"\u041A\u043E\u0432\u0451\u0440\\";
    ASSERT_TRUE(CreateDirectoryW(odd.c_str(), nullptr));
    wchar_t savedTmp[MAX_PATH] = L"";
    bool hadTmp = GetEnvironmentVariableW(L"TMP", savedTmp, MAX_PATH) > 0;
    SetEnvironmentVariableW(L"TMP", odd.c_str());
    BackupRun oddRun(ui);
    SetEnvironmentVariableW(L"TMP", hadTmp ? savedTmp : nullptr);
    EXPECT_EQ(std::string::npos, std::string(oddRun.LogPath()).find('?')) << oddRun.LogPath();
    EXPECT_TRUE(oddRun.CreateLog());
    oddRun.WriteSummary();
    EXPECT_TRUE(DeleteFileW((odd + L"BackupLog.txt").c_str()));
    RemoveDirectoryW(odd.c_str());
}

TEST_F(BackupLogTest, AFirstRunWithoutErrorsHasNoDateLineAndEndsCompleted)
{
    ASSERT_TRUE(run.CreateLog());
    EXPECT_FALSE(run.LogWritten());
    run.WriteSummary();
    EXPECT_EQ("*** Trellisvault log file ***\r\n\r\n\r\n0 files checked.\r\n0 files copied.\r\nBackup completed without errors.\r\n", Log());
    EXPECT_EQ("Backup completed without errors.", ui.status[0]);
    EXPECT_TRUE(run.LogWritten());
    EXPECT_TRUE(ui.openedLogs.empty());
}

TEST_F(BackupLogTest, ALaterRunNamesTheLastBackupAndCountsItsErrorLines)
{
    CopyText(run.options.lastBackupDate, "03/07/06  09:05 PM");
    ASSERT_TRUE(run.CreateLog());
    run.filesChecked = 12;
    run.filesCopied = 3;
    run.WriteLogLine("Checking folder: ", "C:\\Data\\*.doc", 0);
    run.WriteLogLine("Can't copy - error #2 ", "C:\\Data\\gone.doc", 1);
    EXPECT_EQ(1, run.errorCount);
    run.WriteSummary();
    EXPECT_EQ("*** Trellisvault log file ***\r\n"
              "Last backed up on 03/07/06  09:05 PM\r\n"
              "\r\n"
              "Checking folder: C:\\Data\\*.doc\r\n"
              "! Can't copy - error #2 C:\\Data\\gone.doc\r\n"
              "\r\n"
              "12 files checked.\r\n"
              "3 files copied.\r\n"
              "1 errors occured during the backup.\r\n",
              Log());
    EXPECT_EQ("1 errors occured during the backup.", ui.status[0]);
    EXPECT_EQ(1, run.errorCount);
}

TEST_F(BackupLogTest, AnAbortedRunEndsWithTheAbortErrorLine)
{
    ASSERT_TRUE(run.CreateLog());
    run.WriteLogLine("Can't copy - access denied: ", "C:\\x", 1);
    run.RequestAbort();
    run.WriteSummary();
    EXPECT_EQ(LogHeader() + "! Can't copy - access denied: C:\\x\r\n" + LogSummary(0, 0, "! User aborted backup."), Log());
    EXPECT_EQ("User aborted backup.", ui.status[0]);
    EXPECT_EQ(2, run.errorCount);
}

TEST_F(BackupLogTest, ALineTooLongForItsBufferIsCutButKeepsItsEnd)
{
    ASSERT_TRUE(run.CreateLog());
    std::string text(500, 't');
    std::string tail(500, 'u');
    run.WriteLogLine(text.c_str(), tail.c_str(), 1);
    run.WriteSummary();
    std::string expectedLine = "! " + text + std::string(777 - 2 - 500, 'u') + "\r\n";
    EXPECT_EQ(779u, expectedLine.size());
    EXPECT_EQ(LogHeader() + expectedLine + LogSummary(0, 0, "1 errors occured during the backup."), Log());
}

TEST_F(BackupLogTest, ALogThatCannotBeCreatedIsReportedWithItsPathAsCaption)
{
    HANDLE held = CreateFileA(run.LogPath(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    EXPECT_FALSE(run.CreateLog());
    CloseHandle(held);
    ASSERT_EQ(1u, ui.warnings.size());
    EXPECT_EQ("Can't create log file", ui.warnings[0].text);
    EXPECT_EQ(run.LogPath(), ui.warnings[0].caption);
}

TEST_F(BackupLogTest, OpenAndDeleteActOnlyOnceASummaryWasWritten)
{
    HANDLE stray = CreateFileA(run.LogPath(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, stray);
    CloseHandle(stray);
    run.OpenLog();
    run.DeleteLog();
    EXPECT_TRUE(ui.openedLogs.empty());
    EXPECT_TRUE(FileExists(run.LogPath()));

    ASSERT_TRUE(run.CreateLog());
    run.WriteSummary();
    run.OpenLog();
    EXPECT_EQ((std::vector<std::string>{run.LogPath()}), ui.openedLogs);
    run.DeleteLog();
    EXPECT_FALSE(FileExists(run.LogPath()));
    // once gone, the log is opened no more, and "View log file" is greyed
    EXPECT_FALSE(run.LogWritten());
    run.OpenLog();
    EXPECT_EQ(1u, ui.openedLogs.size());
}

TEST_F(BackupLogTest, StampLastBackupWritesTheLocalTime)
{
    BackupOptions options;
    SYSTEMTIME before;
    GetLocalTime(&before);
    StampLastBackup(options);
    SYSTEMTIME after;
    GetLocalTime(&after);
    char earliest[22];
    char latest[22];
    FormatBackupDate(CalendarTimeOf(before), earliest, sizeof earliest);
    FormatBackupDate(CalendarTimeOf(after), latest, sizeof latest);
    EXPECT_EQ(kBackupDateLength, std::strlen(options.lastBackupDate));
    EXPECT_TRUE(std::string(options.lastBackupDate) == earliest || std::string(options.lastBackupDate) == latest) << options.lastBackupDate;
}
