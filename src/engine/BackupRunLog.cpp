#include "engine/BackupRun.h"

#include "engine/LogText.h"
#include "text/BoundedText.h"

#include <cstring>

bool BackupRun::CreateLog()
{
    if (logFile != INVALID_HANDLE_VALUE)
        CloseHandle(logFile);
    logFile = CreateFileA(logPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (logFile == INVALID_HANDLE_VALUE) {
        ui.ShowWarning("Can't create log file", logPath);
        return false;
    }
    WriteLogLine(kLogTitle, "", 0);
    if (options.lastBackupDate[0] != '\0')
        WriteLogLine("Last backed up on ", options.lastBackupDate, 0);
    WriteLogLine("", "", 0);
    return true;
}

void BackupRun::WriteLogLine(const char* text, const char* tail, int isError)
{
    char line[780];
    if (!FormatText(line, sizeof line, "%s%s%s\r\n", isError ? "! " : "", text, tail)) {
        // a cut line still ends its record
        line[sizeof line - 3] = '\r';
        line[sizeof line - 2] = '\n';
        line[sizeof line - 1] = '\0';
    }
    if (isError)
        ++errorCount;
    if (logFile == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(logFile, line, static_cast<DWORD>(std::strlen(line)), &written, nullptr);
}

void BackupRun::WriteSummary()
{
    WriteLogLine("", "", 0);
    WriteSummaryLines();
    if (logFile != INVALID_HANDLE_VALUE)
        CloseHandle(logFile);
    logFile = INVALID_HANDLE_VALUE;
    ui.SetStatusText(0, message);
    logWritten = 1;
}

void BackupRun::WriteSummaryLines()
{
    FormatText(message, sizeof message, "%d files checked.", filesChecked);
    WriteLogLine(message, "", 0);
    FormatText(message, sizeof message, "%d files copied.", filesCopied);
    WriteLogLine(message, "", 0);
    bool isError = FormatSummaryOutcome(abortRequested != 0, errorCount, message, sizeof message);
    WriteLogLine(message, "", isError ? 1 : 0);
}

void BackupRun::DeleteLog()
{
    // a log that is gone can no longer be viewed; one still held open elsewhere still can
    if (logWritten && (DeleteFileA(logPath) || GetLastError() == ERROR_FILE_NOT_FOUND))
        logWritten = 0;
}

void BackupRun::OpenLog()
{
    if (logWritten)
        ui.OpenLogViewer(logPath);
}
