#include "document/WarningBoxHost.h"

#include "support/ModalDriver.h"

#include <windows.h>

#include <gtest/gtest.h>

void WarningBoxHost::showWarning(const char* text, const char* caption)
{
    std::string seenText;
    ModalDriver driver("#32770", [&](HWND box) {
        // the message box's text is its static control 0xFFFF
        seenText = WindowTextOf(GetDlgItem(box, 0xFFFF));
        ClickButton(box, IDOK);
    }, 10000);
    int answer = MessageBoxA(nullptr, text, caption, MB_OK | MB_ICONEXCLAMATION);
    EXPECT_EQ(1, driver.Count()) << "no warning box appeared";
    boxes.push_back(Box{seenText, driver.Caption(), answer});
    MemoryDocumentHost::showWarning(text, caption);
}
