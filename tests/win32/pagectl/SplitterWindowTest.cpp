// The splitter window under Wine: a press, moves and a release resize the window before it and
// move the splitter along, within the minimum sizes, with one moved event.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "Pixels.h"
#include "toolkit/win32/HostWindow.h"
#include "toolkit/win32/SplitterWindow.h"

namespace orv::pagectl {
namespace {

using toolkit::win32::THostWindow;
using toolkit::win32::TSplitterWindow;

RECT InParent(HWND w) {
    RECT r{};
    GetWindowRect(w, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(w), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Mouse positions in the splitter's client coordinates for a parent x.
LPARAM At(HWND splitter, int parentX) {
    return MAKELPARAM(static_cast<short>(parentX - InParent(splitter).left), 5);
}

TEST(SplitterWindow, DraggingResizesTheWindowBeforeIt) {
    THostWindow form;
    ASSERT_TRUE(form.CreateTopLevel(L"split", 900, 400));
    THostWindow list;
    ASSERT_TRUE(list.CreateChild(form.Handle(), 0, 58, 210, 300));
    TSplitterWindow split;
    split.SetMinSize(50);
    std::vector<int> sizes;
    int moved = 0;
    split.OnResizeControl = [&](int w) { sizes.push_back(w); };
    split.OnMoved = [&](toolkit::TComponent*) { ++moved; };
    ASSERT_TRUE(split.CreateWindowIn(form.Handle(), list.Handle()));
    RECT r = InParent(split.Handle());
    EXPECT_EQ(r.left, 210);
    EXPECT_EQ(r.top, 58);
    EXPECT_EQ(r.bottom - r.top, 300) << "as high as the list";

    const HWND h = split.Handle();
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, At(h, 211));
    SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, At(h, 300));
    EXPECT_EQ(InParent(list.Handle()).right, 299) << "live while dragging";
    EXPECT_EQ(InParent(h).left, 299);
    SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, At(h, 5));
    EXPECT_EQ(InParent(list.Handle()).right, 50) << "the minimum";
    SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, At(h, 2000));
    EXPECT_EQ(InParent(list.Handle()).right, 900 - 3 - 50) << "room for the rest";
    EXPECT_EQ(moved, 0);
    SendMessageW(h, WM_LBUTTONUP, 0, At(h, 2000));
    EXPECT_EQ(moved, 1);
    EXPECT_EQ(sizes, (std::vector<int>{299, 50, 847}));
    EXPECT_NE(GetCapture(), h);

    SendMessageW(h, WM_MOUSEMOVE, 0, At(h, 400));
    EXPECT_EQ(InParent(list.Handle()).right, 847) << "moves without the button do nothing";
    EXPECT_EQ(InParent(list.Handle()).bottom - InParent(list.Handle()).top, 300);
}

TEST(SplitterWindow, LosingTheMouseEndsTheDragWithTheEvent) {
    THostWindow form;
    ASSERT_TRUE(form.CreateTopLevel(L"split", 600, 300));
    THostWindow list;
    ASSERT_TRUE(list.CreateChild(form.Handle(), 0, 0, 210, 300));
    TSplitterWindow split;
    int moved = 0;
    split.OnMoved = [&](toolkit::TComponent*) { ++moved; };
    ASSERT_TRUE(split.CreateWindowIn(form.Handle(), list.Handle()));
    const HWND h = split.Handle();
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, At(h, 211));
    SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, At(h, 250));
    SendMessageW(h, WM_CAPTURECHANGED, 0, 0);
    EXPECT_EQ(moved, 1);
    EXPECT_FALSE(split.Dragging());
    SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, At(h, 400));
    EXPECT_EQ(InParent(list.Handle()).right, 249);
}

TEST(SplitterWindow, RefusesAControlOfAnotherParent) {
    THostWindow form, other;
    ASSERT_TRUE(form.CreateTopLevel(L"a", 300, 200));
    ASSERT_TRUE(other.CreateTopLevel(L"b", 300, 200));
    THostWindow list;
    ASSERT_TRUE(list.CreateChild(other.Handle(), 0, 0, 100, 100));
    TSplitterWindow split;
    EXPECT_FALSE(split.CreateWindowIn(form.Handle(), list.Handle()));
    EXPECT_FALSE(split.CreateWindowIn(form.Handle(), nullptr));
}

}  // namespace
}  // namespace orv::pagectl
