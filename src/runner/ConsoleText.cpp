#include "runner/ConsoleText.h"

#include <windows.h>

#include <cstdarg>
#include <vector>

static void WriteToConsole(HANDLE console, const char* text, int length)
{
    int wideLength = MultiByteToWideChar(CP_ACP, 0, text, length, nullptr, 0);
    if (wideLength <= 0)
        return;
    std::vector<wchar_t> wide(static_cast<std::size_t>(wideLength));
    MultiByteToWideChar(CP_ACP, 0, text, length, wide.data(), wideLength);
    DWORD written = 0;
    WriteConsoleW(console, wide.data(), static_cast<DWORD>(wideLength), &written, nullptr);
}

void ConsolePrint(std::FILE* stream, const char* format, ...)
{
    std::va_list args;
    va_start(args, format);
    std::va_list measure;
    va_copy(measure, args);
    int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    std::vector<char> text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, '\0');
    std::vsnprintf(text.data(), text.size(), format, args);
    va_end(args);
    if (length <= 0)
        return;

    HANDLE handle = GetStdHandle(stream == stderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE || !GetConsoleMode(handle, &mode)) {
        std::fputs(text.data(), stream);
        return;
    }
    // what the stream holds still goes first
    std::fflush(stream);
    WriteToConsole(handle, text.data(), length);
}
