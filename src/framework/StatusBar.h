#pragma once

#include "framework/Control.h"

#include <memory>

// The status bar along the bottom of a window, divided into parts declared in average
// character widths; the first part takes what the others leave.
class StatusBar : public Control {
public:
    // Makes room for n parts; answers whether the room could be allocated.
    bool SetPartCount(int n);
    // Declares the next part; ignored beyond the declared count.
    void AddPart(int widthInCharacters, int styleBits);
    bool CreateStatusBar(HWND parentWindow);
    // The bar's window height while it is visible, else 0.
    int Height() const;
    // Passes the parent's WM_SIZE on and recomputes the part edges from the bar's font.
    void Resize(WPARAM wParam, LPARAM lParam);
    LRESULT SetText(int part, const char* text) const;

    int PartCount() const { return partCount; }
    // Right edge of a part in pixels as last given to the control; 0 before the first Resize.
    int PartEdge(int part) const { return part >= 0 && part < partCount ? partEdges[part] : 0; }

private:
    HWND parent = nullptr;
    int partCount = 0;
    std::unique_ptr<int[]> partWidths;
    std::unique_ptr<int[]> partStyles;
    std::unique_ptr<int[]> partEdges;
    int partsAdded = 0;
};
