#pragma once
// Screenshots of windows, as a person sees them on the screen.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;  // top row first

    COLORREF At(int x, int y) const
    {
        const std::uint8_t* p = &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
        return RGB(p[0], p[1], p[2]);
    }
};

// The window's whole rectangle (frame and caption included) or, with
// clientOnly, its client area, read back from the screen after a repaint.
Picture CaptureWindow(HWND hWnd, bool clientOnly = false);
// The same as it is now, without a repaint.
Picture ReadWindowPixels(HWND hWnd, bool clientOnly = false);
bool SavePicture(const Picture& picture, const std::string& path);
