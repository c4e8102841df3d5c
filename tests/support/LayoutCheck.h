#pragma once
// Checks of a dialog's layout as a person sees it at any screen DPI: every
// text fits its control in the control's own font, no control overlaps
// another (a group box may frame others) or leaves the window.
#include <windows.h>

#include <string>
#include <vector>

// What is wrong with the window's visible child controls; empty when nothing is.
std::vector<std::string> LayoutProblems(HWND hWindow);
// The screen's DPI as this program sees it.
int ScreenDpi();
// screenshots\dpi<N>\name beside the running program, the folder made when missing.
std::string DpiScreenshotPath(const std::string& name);
