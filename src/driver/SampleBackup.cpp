#include "driver/SampleBackup.h"

#include "driver/SampleLayout.h"
#include "resource.h"

namespace {

constexpr char kDialogClass[] = "#32770";
constexpr char kOptionsCaption[] = "Backup";
constexpr char kCompleted[] = "Backup completed without errors.";
constexpr std::size_t kSummaryLines = 3;

// The log's lines once the program has let go of it; false while it holds it or it is not there.
bool ReadLogLines(std::vector<std::string>& lines)
{
    const DWORD anyShare = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    std::string path = BackupLogPath();
    HANDLE log = CreateFileA(path.c_str(), GENERIC_READ, anyShare, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log == INVALID_HANDLE_VALUE)
        return false;
    std::string text;
    char block[4096];
    DWORD read = 0;
    while (ReadFile(log, block, sizeof block, &read, nullptr) && read > 0)
        text.append(block, read);
    CloseHandle(log);
    lines.clear();
    for (std::size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    return true;
}

std::string WithoutErrorMark(const std::string& line)
{
    return line.compare(0, 2, "! ") == 0 ? line.substr(2) : line;
}

} // namespace

bool BackupSummary::Completed() const
{
    return lines.size() == kSummaryLines && lines.back() == kCompleted;
}

bool ConfirmBackup(ProgramSession& session, const BackupChoices& choices)
{
    if (!session.Press(IDM_START_BACKUP))
        return false;
    HWND dialog = session.WaitForWindow(kDialogClass, kOptionsCaption);
    if (dialog == nullptr)
        return false;
    for (const BackupChoices::Box& box : choices.boxes) {
        auto isSet = [&] { return IsChecked(dialog, box.controlId) == box.checked; };
        if (!isSet() && (!Click(dialog, box.controlId) || !session.WaitUntil(isSet, ProgramSession::kWindowTimeoutMs)))
            return false;
    }
    if (choices.beforeConfirming)
        choices.beforeConfirming(dialog);
    return Click(dialog, IDC_START_BACKUP) && session.WaitUntilGone(dialog);
}

bool WaitForRunEnd(ProgramSession& session, BackupSummary& summary, DWORD timeoutMs)
{
    summary.lines.clear();
    return session.WaitUntil(
        [&] {
            std::vector<std::string> lines;
            if (!ReadLogLines(lines) || lines.size() < kSummaryLines)
                return false;
            summary.lines.assign(lines.end() - kSummaryLines, lines.end());
            return session.StatusText() == WithoutErrorMark(summary.lines.back());
        },
        timeoutMs);
}
