#pragma once

#include "engine/BackupRun.h"

// Where a run that only checks sends the lines its user reads: the console runner prints them.
class RunReport {
public:
    // One line, without its line end; an error line begins with "! ".
    virtual void ReportLine(const char* line) = 0;

protected:
    ~RunReport() = default;
};

// A run that walks the folder list exactly as a backup does (the same folders, patterns, filters
// and refusals) but writes nothing outside its log: no copy, no folder, no date. Its error lines,
// its own lines and its summary go to the log and to the report.
class CheckingRun : public BackupRun {
public:
    CheckingRun(BackupUserInterface& userInterface, RunReport& report);

    void WriteLogLine(const char* text, const char* tail, int isError) override;

protected:
    // Writes the line to the log and to the report.
    void Report(const char* text, const char* tail, int isError);
    // Ends the summary with the abort line, or with the outcome text it is given, left in `message`.
    void ReportOutcome(const char* outcome);

    FolderOutcome ProvideFolder(const char*) override { return FolderOutcome::Absent; }
    void CompleteRun() override {}

private:
    RunReport& report;
};
