// The progress bar model: clamping of position and range, the filled width and that the view
// hears only of changes it would show.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "toolkit/ProgressBar.h"

namespace orv::pagectl {
namespace {

using toolkit::TProgressBar;

struct Recorder : TProgressBar::TView {
    std::vector<unsigned> calls;
    void ModelChanged(unsigned what) override { calls.push_back(what); }
};

TEST(ProgressBar, PositionAndRangeAreClamped) {
    struct Case {
        int min, max, set, position;
    } const cases[] = {
        {0, 100, 50, 50}, {0, 100, -5, 0},  {0, 100, 101, 100},
        {10, 20, 5, 10},  {10, 20, 25, 20}, {5, 3, 4, 5},  // a reversed range is empty at its Min
    };
    for (const Case& c : cases) {
        TProgressBar bar;
        bar.SetRange(c.min, c.max);
        bar.SetPosition(c.set);
        EXPECT_EQ(bar.Position(), c.position) << c.min << ".." << c.max << " set " << c.set;
        EXPECT_LE(bar.Min(), bar.Max());
    }
}

TEST(ProgressBar, ShrinkingTheRangePullsThePositionIn) {
    TProgressBar bar;
    bar.SetPosition(80);
    bar.SetMax(50);
    EXPECT_EQ(bar.Position(), 50);
    bar.SetMin(70);
    EXPECT_EQ(bar.Min(), 70);
    EXPECT_EQ(bar.Max(), 70) << "a Min above Max takes Max along";
    EXPECT_EQ(bar.Position(), 70);
}

TEST(ProgressBar, FilledWidthInsideTheFrame) {
    struct Case {
        int width, min, max, position, filled;
    } const cases[] = {
        {102, 0, 100, 0, 0},
        {102, 0, 100, 50, 50},
        {102, 0, 100, 100, 100},
        {52, 0, 100, 33, 16},
        {2, 0, 100, 100, 0},
        {0, 0, 100, 100, 0},
        {102, 7, 7, 7, 0},
        {302, 0, INT_MAX, INT_MAX, 300},
        {302, INT_MIN, INT_MAX, 0, 150},
    };
    for (const Case& c : cases) {
        TProgressBar bar;
        bar.SetClientSize(c.width, 10);
        bar.SetRange(c.min, c.max);
        bar.SetPosition(c.position);
        EXPECT_EQ(bar.FilledWidth(), c.filled) << c.width << " " << c.position << "/" << c.max;
    }
}

TEST(ProgressBar, ViewHearsOnlyOfVisibleChanges) {
    TProgressBar bar;
    Recorder view;
    bar.SetView(&view);
    bar.SetClientSize(52, 10);  // 50 inner pixels for 0..100: two steps per pixel
    view.calls.clear();
    bar.SetRange(0, 1000);
    view.calls.clear();
    for (int i = 0; i <= 1000; ++i) bar.SetPosition(i);
    EXPECT_EQ(view.calls.size(), 50u) << "once per pixel, not once per position";
    view.calls.clear();
    bar.SetPosition(1000);
    bar.SetVisible(true);
    EXPECT_TRUE(view.calls.empty()) << "nothing changed";
    bar.SetVisible(false);
    ASSERT_EQ(view.calls.size(), 1u);
    EXPECT_EQ(view.calls[0], TProgressBar::kVisibility);
}

}  // namespace
}  // namespace orv::pagectl
