#pragma once

#include "app/BackupOptionsDialog.h"
#include "app/FolderListView.h"
#include "app/MainWindow.h"
#include "app/ProgressDialog.h"
#include "app/SubfolderDialog.h"
#include "engine/BackupRun.h"
#include "framework/ButtonBar.h"
#include "framework/RoundMessageWindow.h"
#include "framework/StatusBar.h"
#include "support/ModalDriver.h"
#include "support/TempFolder.h"
#include "support/TestRegistryKey.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

// The main window as the program makes it, but the logs it would open in the system's viewer
// are only recorded with their owners, and a test may act once the progress window is up.
class TestMainWindow : public MainWindow {
public:
    using MainWindow::MainWindow;

    void ShowWithShell(HWND owner, const char* path) override { openedLogs.push_back(path); logOwner = owner; }
    void ShowProgress() override
    {
        MainWindow::ShowProgress();
        if (afterShowProgress)
            afterShowProgress();
    }

    std::vector<std::string> openedLogs;
    HWND logOwner = nullptr;
    std::function<void()> afterShowProgress;
};

// The program's main window with objects of the test's own, started as the program starts it,
// on the real registry key of the test prefix (kept and put back) and a data file in a
// temporary folder, which the start moves into the data folder.
class MainWindowFixture : public ::testing::Test {
protected:
    // Starts from no stored settings; the guard puts back what was there.
    void SetUp() override;
    void TearDown() override;

    // Remembers a data file with this content in the registry, then starts the window.
    void StartWithDataFile(const std::string& content);
    void Start();

    std::string StatusText(int part) const;
    std::string Title() const;
    std::string RowText(int row) const;
    // The data file as the start left it: moved into the data folder.
    std::string DataFilePath() { return window.dataFilePath(); }

    RealProgramKeyGuard registryGuard;
    TempFolder temp{"AppWindow"};
    FolderListView folderList;
    ButtonBar buttonBar;
    StatusBar statusBar;
    RoundMessageWindow about;
    SubfolderDialog subfolderDialog;
    BackupOptionsDialog optionsDialog;
    ProgressDialog progress;
    TestMainWindow window{{backupRun, folderList, buttonBar, statusBar, about, subfolderDialog, optionsDialog, progress}};
    BackupRun backupRun{window};
};

// A data file of three rows, one with its subfolders, the destination E:\ and a backup date.
extern const char kExampleList[];

// The class of the program's message boxes.
constexpr const char kBoxClass[] = "CMSGCLASS";

// Fails the test when one of the program's message boxes appears while it lives, and answers
// the box, so that an unexpected warning fails the test instead of waiting for a user.
class NoBoxExpected {
public:
    NoBoxExpected();

private:
    ModalDriver driver;
};
