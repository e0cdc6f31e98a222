// The progress bar window under Wine: drawn flat in the share bars' green up to its position,
// shown and hidden with the model, and repainted only where the filled edge moved.
#include <gtest/gtest.h>
#include <windows.h>

#include "Pixels.h"
#include "toolkit/win32/HostWindow.h"
#include "toolkit/win32/ProgressBarWindow.h"

namespace orv::pagectl {
namespace {

using toolkit::TProgressBar;
using toolkit::win32::THostWindow;
using toolkit::win32::TProgressBarWindow;

const COLORREF kGreen = TProgressBar::kBarColor;
const COLORREF kBack = TProgressBar::kBackColor;
const COLORREF kFrame = TProgressBar::kFrameColor;

TEST(ProgressBarWindow, FillsUpToThePositionInsideAFrame) {
    THostWindow host;
    ASSERT_TRUE(host.CreateTopLevel(L"bar", 300, 60));
    TProgressBarWindow bar;
    ASSERT_TRUE(bar.CreateWindowIn(host.Handle(), 10, 10, 202, 16));
    bar.SetMax(1000);
    bar.SetPosition(250);  // 50 of 200 inner pixels
    Pixels s(202, 16);
    bar.PaintTo(s.Dc());
    EXPECT_EQ(s.At(0, 8), kFrame);
    EXPECT_EQ(s.At(201, 8), kFrame);
    EXPECT_EQ(s.At(100, 0), kFrame);
    EXPECT_EQ(s.At(100, 15), kFrame);
    EXPECT_EQ(s.At(1, 1), kGreen);
    EXPECT_EQ(s.At(50, 14), kGreen) << "last filled pixel";
    EXPECT_EQ(s.At(51, 8), kBack) << "first empty pixel";
    EXPECT_EQ(s.At(200, 14), kBack);
    bar.SetPosition(1000);
    bar.PaintTo(s.Dc());
    EXPECT_EQ(s.At(200, 8), kGreen) << "full";
}

TEST(ProgressBarWindow, VisibilityFollowsTheModel) {
    THostWindow host;
    ASSERT_TRUE(host.CreateTopLevel(L"bar", 300, 60));
    TProgressBarWindow bar;
    bar.SetVisible(false);
    ASSERT_TRUE(bar.CreateWindowIn(host.Handle(), 10, 10, 202, 16));
    EXPECT_FALSE(GetWindowLongW(bar.Handle(), GWL_STYLE) & WS_VISIBLE) << "created hidden";
    bar.SetVisible(true);
    EXPECT_TRUE(GetWindowLongW(bar.Handle(), GWL_STYLE) & WS_VISIBLE);
    bar.SetVisible(false);
    EXPECT_FALSE(GetWindowLongW(bar.Handle(), GWL_STYLE) & WS_VISIBLE);
}

TEST(ProgressBarWindow, OnlyTheStripBetweenTheEdgesIsRepainted) {
    THostWindow host;
    ASSERT_TRUE(host.CreateTopLevel(L"bar", 300, 60));
    TProgressBarWindow bar;
    ASSERT_TRUE(bar.CreateWindowIn(host.Handle(), 10, 10, 202, 16));
    // Only a shown window collects update regions.
    ShowWindow(host.Handle(), SW_SHOWNOACTIVATE);
    bar.SetPosition(10);
    UpdateWindow(host.Handle());
    UpdateWindow(bar.Handle());  // paints: 20 pixels filled
    RECT dirty{};
    EXPECT_FALSE(GetUpdateRect(bar.Handle(), &dirty, FALSE));
    bar.SetPosition(10);
    EXPECT_FALSE(GetUpdateRect(bar.Handle(), &dirty, FALSE)) << "same position";
    bar.SetPosition(30);
    ASSERT_TRUE(GetUpdateRect(bar.Handle(), &dirty, FALSE));
    EXPECT_EQ(dirty.left, 21);
    EXPECT_EQ(dirty.right, 61);
    UpdateWindow(bar.Handle());
    bar.SetPosition(5);
    ASSERT_TRUE(GetUpdateRect(bar.Handle(), &dirty, FALSE));
    EXPECT_EQ(dirty.left, 11) << "shrinking repaints the strip that turns empty";
    EXPECT_EQ(dirty.right, 61);
}

}  // namespace
}  // namespace orv::pagectl
