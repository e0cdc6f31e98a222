// The splitter model: a drag resizes the control before it within the minimum sizes, and the
// moved event fires once at the release, only when the width changed.
#include <gtest/gtest.h>

#include <vector>

#include "toolkit/Splitter.h"

namespace orv::pagectl {
namespace {

using toolkit::TSplitter;

// A control at 0 of width 210, splitter 3 wide in a parent 900 wide, minimum 30.
struct Split {
    TSplitter s;
    std::vector<int> widths;
    int moved = 0;
    Split() {
        s.SetControlBefore(0, 210);
        s.SetParentWidth(900);
        s.SetWidth(3);
        s.SetMinSize(30);
        s.OnResizeControl = [this](int w) { widths.push_back(w); };
        s.OnMoved = [this](toolkit::TComponent*) { ++moved; };
    }
};

TEST(Splitter, DragKeepsTheGrabPointAndTheMinimums) {
    struct Case {
        int press, to, width;
    } const cases[] = {
        {211, 311, 310},  // grabbed in the middle: the control grows by the distance moved
        {210, 100, 100},  {212, 5, 30},  // never below the minimum
        {211, 2000, 867},                // 30 of the 900 stay for the rest
        {211, -50, 30},
    };
    for (const Case& c : cases) {
        Split t;
        t.s.BeginDrag(c.press);
        t.s.DragTo(c.to);
        EXPECT_EQ(t.s.ControlWidth(), c.width) << c.press << " -> " << c.to;
        EXPECT_EQ(t.s.Left(), c.width);
        ASSERT_EQ(t.widths.size(), 1u);
        EXPECT_EQ(t.widths[0], c.width);
    }
}

TEST(Splitter, MovedFiresAtTheReleaseOnlyForAChange) {
    Split t;
    t.s.DragTo(400);
    EXPECT_TRUE(t.widths.empty()) << "no drag without a press";
    t.s.BeginDrag(211);
    t.s.DragTo(300);
    t.s.DragTo(350);
    EXPECT_EQ(t.moved, 0) << "not while dragging";
    t.s.EndDrag();
    EXPECT_EQ(t.moved, 1);
    EXPECT_EQ(t.widths, (std::vector<int>{299, 349}));
    t.s.EndDrag();
    EXPECT_EQ(t.moved, 1) << "a second release is no drag";

    t.s.BeginDrag(350);
    t.s.DragTo(400);
    t.s.DragTo(350);  // and back
    t.s.EndDrag();
    EXPECT_EQ(t.moved, 1) << "back where it started";
}

TEST(Splitter, ANarrowParentStillLeavesTheMinimum) {
    Split t;
    t.s.SetParentWidth(40);
    EXPECT_EQ(t.s.MaxControlWidth(), 30);
    t.s.BeginDrag(211);
    t.s.DragTo(500);
    EXPECT_EQ(t.s.ControlWidth(), 30);
}

}  // namespace
}  // namespace orv::pagectl
