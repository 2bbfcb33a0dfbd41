#pragma once

// tvbench program EXE LIST ROWS: makes LIST the folder list the program remembers, starts it, and
// prints the time until its main window shows the list's ROWS rows, the main window's processor
// time while idle, and the longest wait for an answer to a sent message during a backup of the
// list started from the main window; then ends it through its close box.
int ProbeProgram(const char* program, const char* folderList, int rows);

// tvbench floor EXE: the time from starting EXE to its one window shown and waiting for input.
int ProbeFloor(const char* program);
