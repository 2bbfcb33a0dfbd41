#pragma once

#include "document/DocumentHost.h"
#include "text/BoundedText.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

// The folder list and options held in memory, kept the way the list view keeps them:
// rows sorted without regard to case, each text led by four spaces.
class MemoryDocumentHost : public DocumentHost {
public:
    struct Row {
        std::string text;
        bool subfolders;
    };
    struct Warning {
        std::string text;
        std::string caption;
    };

    std::vector<Row> rows;
    std::vector<Warning> warnings;
    BackupOptions opts;
    PathBuffer path = {};
    DataFileStamp stamp;
    bool modified = false;
    bool backupDone = false;
    int newStepsRun = 0;
    int titleUpdates = 0;
    int paneUpdates = 0;
    PathBuffer folder = {};
    // The answers the questions get, in order; 0 (no answer) once they run out.
    std::vector<int> questionAnswers;
    std::vector<std::string> questions;

    void InsertRow(const char* entryText, bool includeSubfolders) override
    {
        std::string text = std::string("    ") + entryText;
        auto at = std::upper_bound(rows.begin(), rows.end(), text, [](const std::string& a, const Row& b) {
            return std::lexicographical_compare(a.begin(), a.end(), b.text.begin(), b.text.end(), LowerLess);
        });
        rows.insert(at, Row{text, includeSubfolders});
        modified = true;
    }
    int RowCount() override { return static_cast<int>(rows.size()); }
    void GetRowText(int row, char* buffer, std::size_t size) override
    {
        CopyText(buffer, size, row >= 0 && row < RowCount() ? rows[row].text.c_str() : "");
    }
    bool RowHasSubfolders(int row) override { return row >= 0 && row < RowCount() && rows[row].subfolders; }
    bool IsModified() override { return modified; }
    void SetModified(bool value) override { modified = value; }
    BackupOptions& options() override { return opts; }
    PathBuffer& dataFilePath() override { return path; }
    DataFileStamp& dataFileStamp() override { return stamp; }
    void resetOptions() override
    {
        opts.copyUpdated = true;
        opts.copyHidden = false;
        opts.copySystem = false;
        opts.recordFileNames = false;
        backupDone = false;
        opts.description[0] = '\0';
    }
    void runNewSteps() override
    {
        ++newStepsRun;
        modified = false;
        rows.clear();
        path[0] = '\0';
        opts.destination[0] = '\0';
        opts.lastBackupDate[0] = '\0';
        resetOptions();
    }
    void showWarning(const char* text, const char* caption) override { warnings.push_back(Warning{text, caption}); }
    void updateTitle() override { ++titleUpdates; }
    void updateDestinationPane() override { ++paneUpdates; }
    PathBuffer& dataFolder() override { return folder; }
    bool IsBackupDone() override { return backupDone; }
    int askYesNoCancel(const char* text, const char* caption) override
    {
        questions.push_back(std::string(caption) + ": " + text);
        std::size_t asked = questions.size() - 1;
        return asked < questionAnswers.size() ? questionAnswers[asked] : 0;
    }
    int askYesNo(const char* text, const char* caption) override { return askYesNoCancel(text, caption); }
    // No dialog is shown here; the command tests answer file dialogs themselves.
    bool chooseFile(FileDialog&, char* buffer, std::size_t, const char*) override
    {
        buffer[0] = '\0';
        return false;
    }

    // The entry texts as a reader of the list gets them, without the leading spaces.
    std::vector<std::string> EntryTexts() const
    {
        std::vector<std::string> texts;
        for (const Row& row : rows)
            texts.push_back(row.text.substr(4));
        return texts;
    }

private:
    static bool LowerLess(char a, char b)
    {
        return std::tolower(static_cast<unsigned char>(a)) < std::tolower(static_cast<unsigned char>(b));
    }
};
