#pragma once

#include <windows.h>

#include <cstddef>

class DocumentHost;

// The commands around the program's one open folder list: New, Open, Save, the close query and
// the start-up steps that find the data folder and move an older data file into it.

// What a save came to: Cancelled when the user chose not to write (the save dialog cancelled, or
// No to replacing a file another program changed), Failed when the writing did not succeed.
enum class SaveOutcome { NothingToSave, Cancelled, Saved, Failed };

// New folder list: asks to save a modified list first; Cancel leaves everything as it was.
void newDocument(DocumentHost& host);
// Open existing folder list: the close query, an empty list, then the open dialog and the load.
void openDocument(DocumentHost& host);
// Save folder list: writes a modified list or one a backup has stamped, asking for a name when
// the list is untitled. A stamped list that is not modified writes its date alone; a modified one
// whose file another program changed since asks before replacing it, and No saves nothing.
SaveOutcome saveCommand(DocumentHost& host);
// The main window's close query: true when the window may close. A list a backup has stamped is
// saved without asking; a modified one asks "Save folder list?". When the save it starts does not
// happen (a cancelled dialog, a file that cannot be written, a changed file not to be replaced),
// the user is asked whether to close without saving.
bool CanClose(DocumentHost& host);
// Finds the per-user data folder ("Pennyroyal\Trellisvault\" in the application data folder) and
// creates it when missing; without the application data folder it lies at the root of the
// current drive.
void locateDataFolder(DocumentHost& host, HWND owner);
// The main window's title: "Trellisvault", followed by " - last backed up on " and the date when
// the list has one. A title buffer of kTitleSize bytes holds the longest.
constexpr std::size_t kTitleSize = 64;
void composeTitle(const char* lastBackupDate, char* title, std::size_t size);
// The destination pane of the status bar: "Dest " and the destination, or empty without one.
constexpr std::size_t kDestinationPaneSize = 5 + 260;
void composeDestinationPane(const char* destination, char* text, std::size_t size);
// Moves a remembered data file that lies outside the data folder into it, under the same name,
// unless a file of that name is there already or the old file cannot be removed: the list is then
// used where it is.
void relocateDataFile(DocumentHost& host);
