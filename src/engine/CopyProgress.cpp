#include "engine/CopyProgress.h"

#include "framework/PumpMessages.h"

CopyProgress::CopyProgress(const std::atomic<int>& abort, DWORD startTick) : abortRequested(abort), lastDrain(startTick) {}

DWORD CopyProgress::Answer(DWORD now)
{
    // the unsigned difference stays right when the tick count wraps
    if (!quitWaiting && now - lastDrain >= kDrainPeriod) {
        lastDrain = now;
        quitWaiting = PumpMessages();
    }
    return abortRequested != 0 || quitWaiting ? PROGRESS_CANCEL : PROGRESS_CONTINUE;
}

DWORD CALLBACK CopyProgress::Routine(LARGE_INTEGER, LARGE_INTEGER, LARGE_INTEGER, LARGE_INTEGER, DWORD, DWORD, HANDLE, HANDLE, LPVOID data)
{
    return static_cast<CopyProgress*>(data)->Answer(GetTickCount());
}
