#pragma once

#include <windows.h>

#include <atomic>

// Keeps the window alive and Cancel within reach while CopyFileExA copies one long file: the
// copy's progress routine drains the queue at most every 50 ms and stops the copy once the run
// is cancelled or a quit request waits.
class CopyProgress {
public:
    // startTick: when the queue was last drained, just before the copy.
    CopyProgress(const std::atomic<int>& abortRequested, DWORD startTick);

    // The progress routine's answer at tick `now`: PROGRESS_CANCEL or PROGRESS_CONTINUE.
    DWORD Answer(DWORD now);
    // A quit request was found waiting; it stays queued for the application's own loop.
    bool QuitWaiting() const { return quitWaiting; }

    // The LPPROGRESS_ROUTINE handed to CopyFileExA with the CopyProgress as its data. CALLBACK
    // makes it __stdcall in 32 bits, as the system calls it; 64 bits has one convention.
    static DWORD CALLBACK Routine(LARGE_INTEGER totalSize, LARGE_INTEGER totalTransferred, LARGE_INTEGER streamSize,
                                  LARGE_INTEGER streamTransferred, DWORD streamNumber, DWORD reason, HANDLE source,
                                  HANDLE destination, LPVOID data);

    static constexpr DWORD kDrainPeriod = 50;

private:
    const std::atomic<int>& abortRequested;
    DWORD lastDrain;
    bool quitWaiting = false;
};
