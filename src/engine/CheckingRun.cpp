#include "engine/CheckingRun.h"

#include "text/BoundedText.h"

CheckingRun::CheckingRun(BackupUserInterface& userInterface, RunReport& runReport) : BackupRun(userInterface), report(runReport)
{
}

void CheckingRun::WriteLogLine(const char* text, const char* tail, int isError)
{
    if (isError)
        Report(text, tail, isError);
    else
        BackupRun::WriteLogLine(text, tail, isError);
}

void CheckingRun::Report(const char* text, const char* tail, int isError)
{
    BackupRun::WriteLogLine(text, tail, isError);
    char line[780];
    FormatText(line, sizeof line, "%s%s%s", isError ? "! " : "", text, tail);
    report.ReportLine(line);
}

void CheckingRun::ReportOutcome(const char* outcome)
{
    if (abortRequested) {
        CopyText(message, "User aborted backup.");
        Report(message, "", 1);
        return;
    }
    CopyText(message, outcome);
    Report(message, "", 0);
}
