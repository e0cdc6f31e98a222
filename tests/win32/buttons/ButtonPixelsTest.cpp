// The custom buttons drawn with GDI into a memory surface and probed for face, border and text
// colours per state; mouse messages sent to a real host window.
#include <gtest/gtest.h>
#include <windows.h>

#include "Surface.h"
#include "skin/MirelMouseImage3State.h"
#include "skin/PellButton.h"
#include "skin/PellButton2.h"
#include "skin/PellUnicodeSTButton.h"
#include "toolkit/win32/GdiPaintDevice.h"
#include "toolkit/win32/GraphicHostWindow.h"
#include "toolkit/win32/ModalForm.h"

namespace orv::skin {
namespace {

using test::Surface;
using toolkit::win32::TGdiPaintDevice;
using toolkit::win32::TGraphicHostWindow;

constexpr COLORREF kBackground = RGB(255, 0, 255);

struct StateCase {
    const char* what;
    bool enabled, action, inside;
    COLORREF face, border, text;
};

TEST(ButtonPixels, PellButton2PerState) {
    const COLORREF border = RGB(10, 20, 30), borderHover = RGB(200, 30, 30),
                   borderDisabled = RGB(120, 120, 0);
    const StateCase cases[] = {
        {"normal", true, false, false, RGB(255, 255, 255), border, RGB(0, 0, 0)},
        {"normal hover", true, false, true, RGB(232, 232, 232), borderHover, RGB(0, 0, 0)},
        {"action", true, true, false, RGB(0, 103, 192), RGB(0, 103, 192), RGB(255, 255, 255)},
        {"action hover", true, true, true, RGB(30, 91, 160), RGB(30, 91, 160), RGB(255, 255, 255)},
        {"disabled", false, false, true, RGB(247, 247, 247), borderDisabled, RGB(192, 192, 192)},
    };
    for (const StateCase& c : cases) {
        SCOPED_TRACE(c.what);
        TGraphicHostWindow host;
        TPellButton2 b;
        b.SetParent(&host);
        b.SetCaption(u"WWWWWW");
        b.Font().SetName(u"Tahoma");
        b.SetBorderColor(border);
        b.SetBorderColor_Hover(borderHover);
        b.SetBorderColorDisabled(borderDisabled);
        b.SetActionButton(c.action);
        b.SetEnabled(c.enabled);
        if (c.inside) host.HostMouseMove(3, 16);
        Surface s(160, 40, kBackground);
        {
            TGdiPaintDevice device(s.Dc());
            b.Paint(device);
        }
        const int w = b.Width();
        ASSERT_GE(w, 80);
        EXPECT_EQ(s.At(0, 0), kBackground) << "rounded corner";
        EXPECT_EQ(s.At(w, 16), kBackground) << "nothing right of the button";
        EXPECT_EQ(s.At(w / 2, 0), c.border) << "top border";
        EXPECT_EQ(s.At(w / 2, 32), c.border) << "bottom border";
        EXPECT_EQ(s.At(0, 16), c.border) << "left border";
        EXPECT_EQ(s.At(4, 16), c.face) << "face left of the caption";
        EXPECT_EQ(s.At(w / 2, 4), c.face) << "face above the caption";
        // The caption sits between y = 8 and 8 + 16 around the middle.
        EXPECT_GT(s.CountNear(c.text, 10, 8, w - 10, 26, 40), 20) << "caption pixels";
        EXPECT_EQ(s.CountNear(c.text, 10, 1, w - 10, 7, 40), 0) << "no caption above its top";
    }
}

TEST(ButtonPixels, PellButtonFramesAndActionFace) {
    Surface s(120, 40, kBackground);
    TPellButton b;
    b.SetCaption(u"Ok");
    {
        TGdiPaintDevice device(s.Dc());
        b.Paint(device);
    }
    EXPECT_EQ(s.At(0, 0), RGB(247, 164, 11));
    EXPECT_EQ(s.At(1, 1), RGB(247, 164, 11));
    EXPECT_EQ(s.At(2, 2), kBackground) << "a normal button has no face";
    EXPECT_EQ(s.At(79, 32), RGB(247, 164, 11));

    s.Fill(kBackground);
    b.SetActionButton(true);
    {
        TGdiPaintDevice device(s.Dc());
        b.Paint(device);
    }
    EXPECT_EQ(s.At(2, 2), RGB(247, 164, 11)) << "the action face";
    EXPECT_EQ(s.At(79, 32), kBackground) << "the face leaves the last row and column";
}

TEST(ButtonPixels, LinkDrawsItsShadowAndHotFont) {
    Surface s(120, 25, RGB(255, 255, 255));
    TPellUnicodeSTButton link;
    link.SetCaption(u"Datenschutz");
    link.Font().SetColor(RGB(0, 0, 200));
    link.SetShadow(true);
    link.SetShadowColor(RGB(200, 0, 0));
    {
        TGdiPaintDevice device(s.Dc());
        link.Paint(device);
    }
    EXPECT_GT(s.CountNear(RGB(0, 0, 200), 0, 0, 120, 25, 40), 10);
    EXPECT_GT(s.CountNear(RGB(200, 0, 0), 0, 0, 120, 25, 40), 3);
}

// A visible top-level host with one control, fed by messages.
class HostWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(host.CreateTopLevel(L"buttons", 50, 50, 300, 200));
        ShowWindow(host.Handle(), SW_SHOWNOACTIVATE);
    }
    void Send(UINT message, int x, int y, WPARAM keys = 0) {
        SendMessageW(host.Handle(), message, keys, MAKELPARAM(x, y));
    }
    TGraphicHostWindow host;
};

TEST_F(HostWindowTest, DisabledButtonFiresNoMouseUp) {
    TPellButton2 b;
    b.SetParent(&host);
    b.SetBounds(20, 20, 100, 33);
    int ups = 0;
    int clicks = 0;
    b.OnMouseUp = [&](toolkit::TComponent*, toolkit::TMouseButton, int, int) { ++ups; };
    b.OnClick = [&](toolkit::TComponent*) { ++clicks; };
    Send(WM_MOUSEMOVE, 30, 30);
    EXPECT_TRUE(b.MouseIsInside());
    Send(WM_LBUTTONDOWN, 30, 30, MK_LBUTTON);
    Send(WM_LBUTTONUP, 30, 30);
    EXPECT_EQ(ups, 1);
    EXPECT_EQ(clicks, 1);

    b.SetEnabled(false);
    Send(WM_LBUTTONDOWN, 30, 30, MK_LBUTTON);
    Send(WM_LBUTTONUP, 30, 30);
    EXPECT_EQ(ups, 1);
    EXPECT_EQ(clicks, 1);

    // Disabled while held down: the release is not forwarded either.
    b.SetEnabled(true);
    Send(WM_LBUTTONDOWN, 30, 30, MK_LBUTTON);
    b.SetEnabled(false);
    Send(WM_LBUTTONUP, 30, 30);
    EXPECT_EQ(ups, 1);
    Send(WM_MOUSEMOVE, 250, 150);
    EXPECT_FALSE(b.MouseIsInside());
}

TEST_F(HostWindowTest, AClickThatRanADialogLeavesTheHoverWhereTheMouseIsNow) {
    TPellButton2 b;
    b.SetParent(&host);
    b.SetBounds(20, 20, 100, 30);
    b.OnClick = [](toolkit::TComponent*) {
        toolkit::win32::TModalForm dialog;
        ASSERT_TRUE(dialog.CreateForm(u"Dialog", 200, 100, {}));
        PostMessageW(dialog.Handle(), WM_CLOSE, 0, 0);
        dialog.ShowModal();
    };
    // The user went on to the dialog, far from the button, and it closed there.
    SetCursorPos(1270, 1010);
    Send(WM_MOUSEMOVE, 50, 30);
    ASSERT_TRUE(b.MouseIsInside());
    Send(WM_LBUTTONDOWN, 50, 30, MK_LBUTTON);
    Send(WM_LBUTTONUP, 50, 30);
    EXPECT_FALSE(b.MouseIsInside()) << "the button keeps its hover look after the dialog";
}

// A square picture of one opaque colour.
toolkit::TPicture Solid(int size, uint8_t r, uint8_t g, uint8_t b) {
    TPngImage image(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) image.SetPixel(x, y, Rgba{r, g, b, 255});
    }
    toolkit::TPicture p;
    p.Assign(image);
    return p;
}

TEST_F(HostWindowTest, ImageButtonMovesOnePixelWhilePressed) {
    TMirelMouseImage3State m;
    m.SetParent(&host);
    m.SetBounds(40, 40, 24, 24);
    const toolkit::TPicture normal = Solid(12, 0, 0, 255);
    const toolkit::TPicture hover = Solid(12, 0, 255, 0);
    const toolkit::TPicture pressed = Solid(12, 255, 0, 0);
    m.SetPicture_Normal(&normal);
    m.SetPicture_Highlight(&hover);
    m.SetPicture_Pressed(&pressed);
    host.SetColor(RGB(255, 255, 255));

    const auto paint = [&](Surface& s) { host.PaintTo(s.Dc(), s.Width(), s.Height()); };
    Surface s(300, 200, 0);
    paint(s);
    EXPECT_EQ(s.At(40, 40), RGB(0, 0, 255)) << "normal picture, stretched to 24 x 24";
    EXPECT_EQ(s.At(63, 63), RGB(0, 0, 255));
    EXPECT_EQ(s.At(64, 64), RGB(255, 255, 255));

    Send(WM_MOUSEMOVE, 50, 50);
    paint(s);
    EXPECT_EQ(s.At(40, 40), RGB(0, 255, 0)) << "hover picture";

    Send(WM_LBUTTONDOWN, 50, 50, MK_LBUTTON);
    EXPECT_EQ(m.Left(), 41);
    EXPECT_EQ(m.Top(), 41);
    paint(s);
    EXPECT_EQ(s.At(40, 40), RGB(255, 255, 255)) << "moved away from its place";
    EXPECT_EQ(s.At(41, 41), RGB(255, 0, 0)) << "pressed picture one pixel right and down";
    EXPECT_EQ(s.At(64, 64), RGB(255, 0, 0));

    Send(WM_LBUTTONUP, 50, 50);
    EXPECT_EQ(m.Left(), 40);
    EXPECT_EQ(m.Top(), 40);
    paint(s);
    EXPECT_EQ(s.At(40, 40), RGB(0, 255, 0)) << "back, with the hover picture";
    EXPECT_EQ(s.At(64, 64), RGB(255, 255, 255));
}

TEST(PictureBlend, HalfTransparentPixelsBlendOverTheBackground) {
    TPngImage image(2, 1);
    image.SetPixel(0, 0, Rgba{255, 0, 0, 128});
    image.SetPixel(1, 0, Rgba{255, 0, 0, 0});
    toolkit::TPicture p;
    p.Assign(image);
    Surface s(2, 1, RGB(0, 0, 255));
    {
        TGdiPaintDevice device(s.Dc());
        device.Draw(0, 0, p);
    }
    const COLORREF half = s.At(0, 0);
    EXPECT_NEAR(GetRValue(half), 128, 2);
    EXPECT_NEAR(GetBValue(half), 127, 2);
    EXPECT_EQ(s.At(1, 0), RGB(0, 0, 255)) << "fully transparent leaves the background";
}

}  // namespace
}  // namespace orv::skin
