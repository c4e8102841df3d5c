#include "tests/support/Screenshot.h"

#include "tests/support/PngWriter.h"

Picture CaptureWindow(HWND hWnd, bool clientOnly)
{
    RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    return ReadWindowPixels(hWnd, clientOnly);
}

Picture ReadWindowPixels(HWND hWnd, bool clientOnly)
{
    // Read through the window's own context: under Wine a window's pixels
    // reach the X screen some time after they were drawn, but its context
    // reads what was drawn. (For another process's window it reads the screen.)
    RECT rc;
    if (clientOnly) {
        GetClientRect(hWnd, &rc);
    } else {
        GetWindowRect(hWnd, &rc);
        OffsetRect(&rc, -rc.left, -rc.top);
    }
    Picture picture;
    picture.width = rc.right - rc.left;
    picture.height = rc.bottom - rc.top;
    if (picture.width <= 0 || picture.height <= 0)
        return Picture();

    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
    bmi.bmiHeader.biWidth = picture.width;
    bmi.bmiHeader.biHeight = -picture.height;  // top-down rows
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC hSource = clientOnly ? GetDC(hWnd) : GetWindowDC(hWnd);
    HDC hMem = CreateCompatibleDC(hSource);
    HBITMAP hBitmap = CreateDIBSection(hSource, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ hOld = SelectObject(hMem, hBitmap);
    BitBlt(hMem, 0, 0, picture.width, picture.height, hSource, 0, 0, SRCCOPY);
    GdiFlush();
    picture.rgb.resize(static_cast<std::size_t>(picture.width) * picture.height * 3);
    const std::uint8_t* src = static_cast<const std::uint8_t*>(bits);
    for (std::size_t i = 0; i < static_cast<std::size_t>(picture.width) * picture.height; ++i) {
        picture.rgb[i * 3] = src[i * 4 + 2];
        picture.rgb[i * 3 + 1] = src[i * 4 + 1];
        picture.rgb[i * 3 + 2] = src[i * 4];
    }
    SelectObject(hMem, hOld);
    DeleteObject(hBitmap);
    DeleteDC(hMem);
    ReleaseDC(hWnd, hSource);
    return picture;
}

bool SavePicture(const Picture& picture, const std::string& path)
{
    return WritePng(path, picture.width, picture.height, picture.rgb);
}
