#include "tests/support/Screenshot.h"

#include "tests/support/PngWriter.h"

Picture CaptureWindow(HWND hWnd, bool clientOnly)
{
    RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RECT rc;
    if (clientOnly) {
        GetClientRect(hWnd, &rc);
        MapWindowPoints(hWnd, nullptr, reinterpret_cast<POINT*>(&rc), 2);
    } else {
        GetWindowRect(hWnd, &rc);
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
    HDC hScreen = GetDC(nullptr);
    HDC hMem = CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = CreateDIBSection(hScreen, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ hOld = SelectObject(hMem, hBitmap);
    BitBlt(hMem, 0, 0, picture.width, picture.height, hScreen, rc.left, rc.top, SRCCOPY);
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
    ReleaseDC(nullptr, hScreen);
    return picture;
}

bool SavePicture(const Picture& picture, const std::string& path)
{
    return WritePng(path, picture.width, picture.height, picture.rgb);
}
