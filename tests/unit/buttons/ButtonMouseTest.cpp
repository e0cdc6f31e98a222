// Mouse enter, leave, press and release as the host delivers them to the custom buttons.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RecordingDevice.h"
#include "skin/MirelMouseImage3State.h"
#include "skin/PellButton.h"
#include "skin/PellButton2.h"
#include "skin/PellUnicodeSTButton.h"

namespace orv::skin {
namespace {

using test::PictureOf;
using test::RecordingHost;
using toolkit::TComponent;
using toolkit::TMouseButton;

// Records the events a button fires, in order.
template <typename Button>
void Record(Button& b, std::vector<std::string>& log) {
    b.OnMouseEnter = [&log](TComponent*) { log.push_back("enter"); };
    b.OnMouseLeave = [&log](TComponent*) { log.push_back("leave"); };
    b.OnMouseUp = [&log](TComponent*, TMouseButton, int x, int y) {
        log.push_back("up " + std::to_string(x) + "," + std::to_string(y));
    };
    b.OnClick = [&log](TComponent*) { log.push_back("click"); };
}

template <typename Button>
void CheckEvents() {
    RecordingHost host;
    Button b;
    b.SetParent(&host);
    b.SetBounds(10, 10, 100, 33);
    std::vector<std::string> log;
    Record(b, log);

    host.HostMouseMove(20, 20);
    host.HostMouseMove(25, 20);  // still inside: nothing new
    EXPECT_TRUE(b.MouseIsInside());
    host.HostMouseDown(TMouseButton::Left, 20, 20);
    host.HostMouseUp(TMouseButton::Left, 21, 22);
    host.HostMouseMove(200, 200);
    EXPECT_FALSE(b.MouseIsInside());
    EXPECT_EQ(log, (std::vector<std::string>{"enter", "click", "up 11,12", "leave"}));

    // Released outside: no click, but the mouse-up still arrives.
    log.clear();
    host.HostMouseMove(20, 20);
    host.HostMouseDown(TMouseButton::Left, 20, 20);
    host.HostMouseUp(TMouseButton::Left, 300, 300);
    EXPECT_EQ(log, (std::vector<std::string>{"enter", "up 290,290"}));
    host.HostMouseLeave();

    // Disabled: the inside flag follows the mouse, the events stay silent.
    log.clear();
    b.SetEnabled(false);
    host.HostMouseMove(20, 20);
    EXPECT_TRUE(b.MouseIsInside());
    host.HostMouseDown(TMouseButton::Left, 20, 20);
    host.HostMouseUp(TMouseButton::Left, 20, 20);
    host.HostMouseLeave();
    EXPECT_FALSE(b.MouseIsInside());
    EXPECT_TRUE(log.empty());

    // Disabled between press and release: no mouse-up, no click.
    b.SetEnabled(true);
    host.HostMouseMove(20, 20);
    log.clear();
    host.HostMouseDown(TMouseButton::Left, 20, 20);
    b.SetEnabled(false);
    host.HostMouseUp(TMouseButton::Left, 20, 20);
    EXPECT_TRUE(log.empty());
}

TEST(ButtonMouse, PellButton2) {
    CheckEvents<TPellButton2>();
}
TEST(ButtonMouse, PellButton) {
    CheckEvents<TPellButton>();
}
TEST(ButtonMouse, PellUnicodeSTButton) {
    CheckEvents<TPellUnicodeSTButton>();
}

TEST(ButtonMouse, ClickFiresOnlyWhenAssigned) {
    TPellButton2 b;
    b.Click();  // nothing assigned: nothing happens
    int clicks = 0;
    b.OnClick = [&](TComponent* s) {
        EXPECT_EQ(s, &b);
        ++clicks;
    };
    b.Click();
    EXPECT_EQ(clicks, 1);
}

TEST(ButtonMouse, HostHandsOverFromOneButtonToTheNext) {
    RecordingHost host;
    TPellButton2 a;
    TPellButton2 b;
    a.SetParent(&host);
    b.SetParent(&host);
    a.SetBounds(0, 0, 50, 33);
    b.SetBounds(50, 0, 50, 33);
    std::vector<std::string> log;
    a.OnMouseEnter = [&](TComponent*) { log.push_back("a enter"); };
    a.OnMouseLeave = [&](TComponent*) { log.push_back("a leave"); };
    b.OnMouseEnter = [&](TComponent*) { log.push_back("b enter"); };
    host.HostMouseMove(10, 10);
    host.HostMouseMove(60, 10);
    EXPECT_EQ(log, (std::vector<std::string>{"a enter", "a leave", "b enter"}));
    // An invisible control is not under the mouse.
    b.SetVisible(false);
    EXPECT_EQ(host.ControlAt(60, 10), nullptr);
}

TEST(ButtonMouse, DestroyedControlIsForgottenByItsHost) {
    RecordingHost host;
    auto* b = new TPellButton2(&host);
    b->SetParent(&host);
    host.HostMouseMove(5, 5);
    EXPECT_EQ(host.Hovered(), b);
    delete b;
    EXPECT_EQ(host.Hovered(), nullptr);
    host.HostMouseLeave();
}

TEST(ButtonRepaint, SettersThatRepaintAndThoseThatDoNot) {
    RecordingHost host;
    TPellButton2 b;
    b.SetParent(&host);
    struct Case {
        const char* what;
        std::function<void()> set;
        bool repaints;
    };
    const Case cases[] = {
        {"caption", [&] { b.SetCaption(u"New"); }, true},
        {"same caption", [&] { b.SetCaption(u"New"); }, false},
        {"action button", [&] { b.SetActionButton(true); }, true},
        {"face colour", [&] { b.SetFaceColor_Normal(5); }, true},
        {"hover face colour", [&] { b.SetFaceColor_Normal_Hover(5); }, false},
        {"border colour", [&] { b.SetBorderColor(5); }, false},
        {"rounding", [&] { b.SetRoundingX(4); }, true},
        {"font", [&] { b.Font().SetColor(0x0000FF); }, true},
        {"auto width", [&] { b.SetAutoWidth(false); }, false},
        {"glyph",
         [&] {
             const toolkit::TPicture g = PictureOf(4, 4);
             b.SetGlyph(&g);
         },
         true},
        {"missing glyph", [&] { b.SetGlyph(nullptr); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        host.invalidations = 0;
        c.set();
        EXPECT_EQ(host.invalidations > 0, c.repaints);
    }
    EXPECT_EQ(b.Glyph().Width(), 4) << "a missing glyph leaves the old one";
}

TEST(MirelMouseImage3State, PicturesAndPressMove) {
    RecordingHost host;
    TMirelMouseImage3State m;
    m.SetParent(&host);
    m.SetBounds(100, 50, 24, 24);
    EXPECT_TRUE(m.Stretch());
    EXPECT_TRUE(m.Move_If_MousePressed());
    const toolkit::TPicture normal = PictureOf(1, 1);
    const toolkit::TPicture highlight = PictureOf(2, 2);
    const toolkit::TPicture pressed = PictureOf(3, 3);
    m.SetPicture_Highlight(&highlight);
    m.SetPicture_Pressed(&pressed);
    EXPECT_TRUE(m.Picture().Empty()) << "only the normal picture is shown when set";
    m.SetPicture_Normal(&normal);
    EXPECT_EQ(m.Picture().Width(), 1);

    int enters = 0;
    m.OnMouseEnter = [&](TComponent*) { ++enters; };
    host.HostMouseMove(110, 60);
    EXPECT_EQ(enters, 1);
    EXPECT_EQ(m.Picture().Width(), 2);
    host.HostMouseDown(TMouseButton::Left, 110, 60);
    EXPECT_EQ(m.Left(), 101);
    EXPECT_EQ(m.Top(), 51);
    EXPECT_EQ(m.Picture().Width(), 3);
    host.HostMouseUp(TMouseButton::Left, 110, 60);
    EXPECT_EQ(m.Left(), 100);
    EXPECT_EQ(m.Top(), 50);
    EXPECT_EQ(m.Picture().Width(), 2);
    host.HostMouseLeave();
    EXPECT_EQ(m.Picture().Width(), 1);

    // Without the move it stays put while pressed.
    m.SetMove_If_MousePressed(false);
    host.HostMouseMove(110, 60);
    host.HostMouseDown(TMouseButton::Left, 110, 60);
    EXPECT_EQ(m.Left(), 100);
    host.HostMouseUp(TMouseButton::Left, 110, 60);

    // Disabled: the flag follows the mouse, the pictures do not change.
    host.HostMouseLeave();
    m.SetEnabled(false);
    host.HostMouseMove(110, 60);
    EXPECT_TRUE(m.MouseIsInside());
    EXPECT_EQ(m.Picture().Width(), 1);
    EXPECT_EQ(enters, 2);
}

TEST(MirelMouseImage3State, AssignedMouseDownReplacesThePress) {
    RecordingHost host;
    TMirelMouseImage3State m;
    m.SetParent(&host);
    m.SetBounds(0, 0, 24, 24);
    bool downSeen = false;
    m.OnMouseDown = [&](TComponent*, TMouseButton, int, int) { downSeen = true; };
    host.HostMouseDown(TMouseButton::Left, 5, 5);
    EXPECT_TRUE(downSeen);
    EXPECT_EQ(m.Left(), 0);
}

}  // namespace
}  // namespace orv::skin
