// What the user sees when the program starts on a large file: the warning
// about its size before anything is drawn, then the graph painted once.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/UiHooks.h"
#include "graph/PlorView.h"
#include "tests/support/AppHarness.h"

namespace {

// Boxes and paints in the order they came, from the hooks below.
std::vector<HWND> g_events;
const HWND kBox = reinterpret_cast<HWND>(-1);

LRESULT CALLBACK OnSentMessage(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* msg = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && msg->message == WM_PAINT)
        g_events.push_back(msg->hwnd);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK OnQueuedMessage(int code, WPARAM wParam, LPARAM lParam)
{
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && msg->message == WM_PAINT)
        g_events.push_back(msg->hwnd);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

TEST(FirstShow, LargeFileWarnsBeforeAnythingIsDrawnThenPaintsTheGraphOnce)
{
    std::string text;
    for (int i = 0; i < 6000; ++i)
        text += std::to_string(i) + " " + std::to_string(i % 17) + ".123456\r\n";
    ASSERT_GT(text.size(), 86000u);
    std::string path = WriteTestFile("large first show.plr", text);
    g_events.clear();
    AppHarness app;
    AfxGetUiHooks().messageBox = [](const CString&, UINT, const CString&) {
        g_events.push_back(kBox);
        return IDOK;
    };
    DWORD thread = GetCurrentThreadId();
    HHOOK hSent = SetWindowsHookExA(WH_CALLWNDPROC, OnSentMessage, nullptr, thread);
    HHOOK hQueued = SetWindowsHookExA(WH_GETMESSAGE, OnQueuedMessage, nullptr, thread);
    ASSERT_TRUE(app.Start("\"" + path + "\""));
    app.Pump();
    UnhookWindowsHookEx(hSent);
    UnhookWindowsHookEx(hQueued);
    ASSERT_NE(nullptr, app.View());
    ASSERT_FALSE(g_events.empty());
    EXPECT_EQ(kBox, g_events[0]) << "the warning comes first";
    int viewPaints = 0;
    for (HWND hWnd : g_events)
        viewPaints += hWnd == app.View()->m_hWnd;
    EXPECT_EQ(1, viewPaints);
}
