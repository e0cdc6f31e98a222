// Paint geometry and colours of the custom buttons, recorded from a paint device.
#include <gtest/gtest.h>

#include "RecordingDevice.h"
#include "skin/PellButton.h"
#include "skin/PellButton2.h"
#include "skin/PellUnicodeSTButton.h"

namespace orv::skin {
namespace {

using test::PictureOf;
using test::RecordingDevice;
using toolkit::MakeColor;
using toolkit::TRect;

TEST(PellButton2Defaults, AreThoseOfAFreshButton) {
    TPellButton2 b;
    EXPECT_EQ(b.Width(), 100);
    EXPECT_EQ(b.Height(), 33);
    EXPECT_TRUE(b.AutoWidth());
    EXPECT_EQ(b.AutoWidthMin(), 80);
    EXPECT_EQ(b.ImageIndex(), -1);
    EXPECT_EQ(b.Font().Name(), u"Segeo UI");
    EXPECT_EQ(b.Font().Size(), 10);
    EXPECT_EQ(b.Font().Height(), -13);
    EXPECT_EQ(b.BorderColor(), MakeColor(204, 204, 204));
    EXPECT_EQ(b.FaceColor_Normal_Hover(), MakeColor(232, 232, 232));
    EXPECT_EQ(b.FaceColor_Disabled(), MakeColor(247, 247, 247));
    EXPECT_EQ(b.FaceColor_ActionButton(), MakeColor(0, 103, 192));
    EXPECT_EQ(b.FaceColor_ActionButton_Hover(), MakeColor(30, 91, 160));
    EXPECT_EQ(b.FontColor_NormalDisabled(), MakeColor(192, 192, 192));
    EXPECT_EQ(b.RoundingX(), 10);
    EXPECT_EQ(b.RoundingY(), 10);
    EXPECT_TRUE(b.AlignWithMargins());
    EXPECT_EQ(b.Margins().Top, 12);
    EXPECT_EQ(b.Margins().Left, 4);
    EXPECT_EQ(b.Cursor(), toolkit::TCursor::HandPoint);
}

struct LayoutCase {
    const char* what;
    std::u16string caption;
    int measured;
    bool autoWidth;
    int width;  // before painting
    int height;
    int fontHeight;
    bool dropDown;
    int glyphW, glyphH;
    int wantWidth, wantTextX, wantTextY, wantGlyphX, wantGlyphY;
};

TEST(PellButton2Layout, WidthsAndPositions) {
    const LayoutCase cases[] = {
        {"caption top at 33 px and font -13", u"Ok", 79, true, 100, 33, -13, false, 0, 0, 99, 10, 8,
         -1, -1},
        {"a cell height gives the same top", u"Ok", 79, true, 100, 33, 13, false, 0, 0, 99, 10, 8,
         -1, -1},
        {"narrow caption takes the minimum", u"Ab", 50, true, 100, 33, -13, false, 0, 0, 80, 15, 8,
         -1, -1},
        {"drop-down arrow adds 16", u"Ab", 50, true, 100, 33, -13, true, 0, 0, 86, 10, 8, -1, -1},
        {"fixed width keeps it", u"Ab", 50, false, 120, 33, -13, false, 0, 0, 120, 35, 8, -1, -1},
        {"glyph without caption is centred", u"", 0, false, 40, 33, -13, false, 24, 24, 40, -1, -1,
         8, 4},
        {"odd room rounds toward zero", u"", 0, false, 41, 30, -13, false, 24, 23, 41, -1, -1, 8,
         3},
        {"caption-less drop-down moves the glyph 8 left", u"", 0, false, 60, 33, -13, true, 20, 20,
         60, -1, -1, 12, 6},
        {"glyph with caption shifts by half its width", u"Go", 40, true, 100, 33, -13, false, 20,
         10, 80, 30, 8, 30, 11},
        {"a caption wider than the button starts at 0", u"Long", 200, false, 100, 33, -13, false, 0,
         0, 100, 0, 8, -1, -1},
    };
    for (const LayoutCase& c : cases) {
        SCOPED_TRACE(c.what);
        TPellButton2 b;
        b.SetCaption(c.caption);
        b.SetAutoWidth(c.autoWidth);
        b.SetBounds(0, 0, c.width, c.height);
        b.Font().SetHeight(c.fontHeight);
        b.SetDropDownArrow(c.dropDown);
        if (c.glyphW > 0) {
            const toolkit::TPicture glyph = PictureOf(c.glyphW, c.glyphH);
            b.SetGlyph(&glyph);
        }
        RecordingDevice d;
        d.widths[c.caption] = c.measured;
        b.Paint(d);
        EXPECT_EQ(b.Width(), c.wantWidth);
        ASSERT_EQ(d.roundRects.size(), 1u);
        EXPECT_EQ(d.roundRects[0].r, (TRect{0, 0, c.wantWidth, c.height}));
        EXPECT_TRUE(d.transparent);
        if (c.wantTextX >= 0) {
            ASSERT_EQ(d.texts.size(), 1u);
            EXPECT_EQ(d.texts[0].x, c.wantTextX);
            EXPECT_EQ(d.texts[0].y, c.wantTextY);
        } else {
            EXPECT_TRUE(d.texts.empty());
        }
        if (c.wantGlyphX >= 0) {
            ASSERT_EQ(d.draws.size(), 1u);
            EXPECT_EQ(d.draws[0].x, c.wantGlyphX);
            EXPECT_EQ(d.draws[0].y, c.wantGlyphY);
        } else {
            EXPECT_TRUE(d.draws.empty());
        }
    }
}

TEST(PellButton2Layout, PaintToShiftsEverythingByTheOrigin) {
    TPellButton2 b;
    b.SetCaption(u"Ok");
    RecordingDevice d;
    d.widths[u"Ok"] = 79;
    b.PaintTo(d, 30, 40);
    EXPECT_EQ(d.roundRects[0].r, (TRect{30, 40, 129, 73}));
    EXPECT_EQ(d.texts[0].x, 40);
    EXPECT_EQ(d.texts[0].y, 48);
}

TEST(PellButton2Layout, ImageListCentresWithoutCaption) {
    toolkit::TPngImageList list(16, 16);
    list.Add(TPngImage(16, 16));
    TPellButton2 b;
    b.SetAutoWidth(false);
    b.SetWidth(40);
    b.SetImageList(&list);
    b.SetImageIndex(0);
    RecordingDevice d;
    b.Paint(d);
    ASSERT_EQ(d.draws.size(), 1u);
    EXPECT_EQ(d.draws[0].x, 12);
    EXPECT_EQ(d.draws[0].y, 8);
    // An index the list does not hold draws nothing and does not fail.
    b.SetImageIndex(5);
    RecordingDevice d2;
    b.Paint(d2);
    EXPECT_TRUE(d2.draws.empty());
}

struct StateCase {
    const char* what;
    bool enabled, action, inside;
    TColor pen, brush, font;
};

TEST(PellButton2Colours, PerState) {
    const TColor border = 1, borderHover = 2, borderDisabled = 3;
    const TColor face = 10, faceHover = 11, faceDisabled = 12, action = 13, actionHover = 14;
    const TColor fontNormal = 20, fontDisabled = 21, fontAction = 22;
    const StateCase cases[] = {
        {"normal", true, false, false, border, face, fontNormal},
        {"normal hover", true, false, true, borderHover, faceHover, fontNormal},
        {"action", true, true, false, action, action, fontAction},
        {"action hover", true, true, true, actionHover, actionHover, fontAction},
        {"disabled", false, false, false, borderDisabled, faceDisabled, fontDisabled},
        {"disabled hover shows nothing new", false, false, true, borderDisabled, faceDisabled,
         fontDisabled},
        {"disabled action", false, true, true, borderDisabled, faceDisabled, fontDisabled},
    };
    for (const StateCase& c : cases) {
        SCOPED_TRACE(c.what);
        test::RecordingHost host;
        TPellButton2 b;
        b.SetParent(&host);
        b.SetCaption(u"Ok");
        b.SetBorderColor(border);
        b.SetBorderColor_Hover(borderHover);
        b.SetBorderColorDisabled(borderDisabled);
        b.SetFaceColor_Normal(face);
        b.SetFaceColor_Normal_Hover(faceHover);
        b.SetFaceColor_Disabled(faceDisabled);
        b.SetFaceColor_ActionButton(action);
        b.SetFaceColor_ActionButton_Hover(actionHover);
        b.SetFontColor_NormalEnabled(fontNormal);
        b.SetFontColor_NormalDisabled(fontDisabled);
        b.SetFontColor_ActionButtonEnabled(fontAction);
        b.SetActionButton(c.action);
        b.SetEnabled(c.enabled);
        if (c.inside) host.HostMouseMove(5, 5);
        EXPECT_EQ(b.MouseIsInside(), c.inside);
        RecordingDevice d;
        b.Paint(d);
        ASSERT_EQ(d.roundRects.size(), 1u);
        EXPECT_EQ(d.roundRects[0].pen, c.pen);
        EXPECT_EQ(d.roundRects[0].brush, c.brush);
        EXPECT_EQ(d.roundRects[0].rx, 10);
        ASSERT_EQ(d.texts.size(), 1u);
        EXPECT_EQ(d.texts[0].color, c.font);
    }
}

// The four rows of an arrow as (y, left, right) relative to (a, b).
struct Row {
    int dy, left, right;
};

TEST(PellButton2Arrow, RowsDownAndUp) {
    for (const bool up : {false, true}) {
        SCOPED_TRACE(up ? "up" : "down");
        TPellButton2 b;
        b.SetCaption(u"Ab");
        b.SetDropDownArrow(true);
        b.SetDropDownArrowUp(up);
        b.SetFontColor_NormalEnabled(0x123456);
        RecordingDevice d;
        d.widths[u"Ab"] = 50;
        b.Paint(d);
        // Width 86, caption at 10, so the arrow starts at a = 60, b = 33 / 2 - 1 = 15.
        const Row down[] = {{0, 8, 16}, {1, 9, 15}, {2, 10, 14}, {3, 11, 13}};
        const Row upRows[] = {{4, 8, 16}, {3, 9, 15}, {2, 10, 14}, {1, 11, 13}};
        ASSERT_EQ(d.lines.size(), 4u);
        for (size_t i = 0; i < 4; ++i) {
            const Row& r = up ? upRows[i] : down[i];
            EXPECT_EQ(d.lines[i].y1, 15 + r.dy);
            EXPECT_EQ(d.lines[i].y2, 15 + r.dy);
            EXPECT_EQ(d.lines[i].x1, 60 + r.left);
            EXPECT_EQ(d.lines[i].x2, 60 + r.right);
            EXPECT_EQ(d.lines[i].pen, 0x123456u) << "drawn in the caption colour";
        }
    }
}

TEST(PellButton2Arrow, WithoutCaptionFollowsTheGlyphWidth) {
    TPellButton2 b;
    b.SetAutoWidth(false);
    b.SetDropDownArrow(true);
    const toolkit::TPicture glyph = PictureOf(10, 10);
    b.SetGlyph(&glyph);
    RecordingDevice d;
    b.Paint(d);
    ASSERT_EQ(d.lines.size(), 4u);
    // a = -6 + 10 + 8 = 12, first row from a + 8.
    EXPECT_EQ(d.lines[0].x1, 20);
    EXPECT_EQ(d.lines[0].y1, 15);
}

TEST(PellButton, FramesFillsAndCaptionColours) {
    struct Case {
        const char* what;
        bool enabled, action, inside, dropDownNoCaption;
        int fills;          // FillRect calls
        TColor firstFill;   // brush of the first one
        TColor textColour;  // caption colour, 0xFFFFFFFF for none
    };
    const TColor border = 763127, hover = 769527, disabled = 11578024;
    const Case cases[] = {
        {"normal: two one-pixel frames", true, false, false, false, 8, border, 0x010203},
        {"hover frames in the hover colour", true, false, true, false, 8, hover, 0x010203},
        {"disabled: grey caption", false, false, false, false, 8, disabled, 0x808080},
        {"action: a face, no frame", true, true, false, false, 1, border, 16777215},
        {"action hover face", true, true, true, false, 1, hover, 16777215},
        {"drop-down without caption: three bands", true, false, false, true, 3, border, 0xFFFFFFFF},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::RecordingHost host;
        TPellButton b;
        b.SetParent(&host);
        b.Font().SetColor(0x010203);
        if (c.dropDownNoCaption) {
            b.SetDropDownArrow(true);
        } else {
            b.SetCaption(u"Ok");
        }
        b.SetActionButton(c.action);
        b.SetEnabled(c.enabled);
        if (c.inside) host.HostMouseMove(1, 1);
        RecordingDevice d;
        d.widths[u"Ok"] = 79;
        b.Paint(d);
        ASSERT_EQ(static_cast<int>(d.fills.size()), c.fills);
        EXPECT_EQ(d.fills[0].brush, c.firstFill);
        if (c.action) {
            EXPECT_EQ(d.fills[0].r, (TRect{0, 0, 98, 32}));
        }
        if (c.dropDownNoCaption) {
            EXPECT_EQ(d.fills[0].r, (TRect{0, 0, 80, 2}));
            EXPECT_EQ(d.fills[1].r, (TRect{0, 31, 80, 33}));
            EXPECT_EQ(d.fills[2].r, (TRect{78, 0, 80, 33}));
            // a = -6: the first row starts at x = 2.
            ASSERT_EQ(d.lines.size(), 4u);
            EXPECT_EQ(d.lines[0].x1, 2);
        }
        if (c.textColour != 0xFFFFFFFF) {
            ASSERT_EQ(d.texts.size(), 1u);
            EXPECT_EQ(d.texts[0].color, c.textColour);
            EXPECT_EQ(d.texts[0].x, 10);
        }
        EXPECT_TRUE(d.roundRects.empty());
    }
}

TEST(PellButtonDefaults, Colours) {
    TPellButton b;
    EXPECT_EQ(b.BorderColor(), MakeColor(247, 164, 11));
    EXPECT_EQ(b.BorderColorHover(), MakeColor(247, 189, 11));
    EXPECT_EQ(b.BorderColorDisabled(), MakeColor(168, 170, 176));
    EXPECT_EQ(b.ActionButtonFontColor(), 16777215u);
    EXPECT_EQ(b.Width(), 100);
    EXPECT_EQ(b.Height(), 33);
}

TEST(PellUnicodeSTButton, Layout) {
    struct Case {
        const char* what;
        toolkit::TAlignment align;
        bool autoWidth, shadow;
        int width, glyphW;
        int wantWidth, wantX;
    };
    using toolkit::TAlignment;
    const Case cases[] = {
        {"auto width link", TAlignment::LeftJustify, true, false, 88, 0, 33, 4},
        {"shadow adds a pixel", TAlignment::LeftJustify, true, true, 88, 0, 34, 4},
        {"glyph on the left", TAlignment::LeftJustify, true, false, 88, 16, 49, 20},
        {"right aligned", TAlignment::RightJustify, false, false, 88, 0, 88, 59},
        {"centred", TAlignment::Center, false, false, 88, 0, 88, 29},
        {"centred with glyph", TAlignment::Center, false, false, 88, 16, 88, 37},
        {"centred in too little room starts at 0", TAlignment::Center, false, false, 10, 0, 10, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TPellUnicodeSTButton b;
        b.SetCaption(u"Link");
        b.SetAlignment(c.align);
        b.SetAutoWidth(c.autoWidth);
        b.SetShadow(c.shadow);
        b.SetWidth(c.width);
        if (c.glyphW > 0) {
            const toolkit::TPicture glyph = PictureOf(c.glyphW, 12);
            b.SetGlyph(&glyph);
        }
        RecordingDevice d;
        d.widths[u"Link"] = 29;
        b.Paint(d);
        EXPECT_EQ(b.Width(), c.wantWidth);
        ASSERT_EQ(d.texts.size(), c.shadow ? 2u : 1u);
        EXPECT_EQ(d.texts.back().x, c.wantX);
        if (c.glyphW > 0) {
            ASSERT_EQ(d.draws.size(), 1u);
            EXPECT_EQ(d.draws[0].x, c.wantX - c.glyphW - 4);
            EXPECT_EQ(d.draws[0].y, (25 - 12) / 2);
        }
    }
}

TEST(PellUnicodeSTButton, HotFontShadowAndRightGlyph) {
    test::RecordingHost host;
    TPellUnicodeSTButton b;
    b.SetParent(&host);
    EXPECT_EQ(b.Caption(), u"xxxxxx");
    EXPECT_EQ(b.Height(), 25);
    b.SetCaption(u"Link");
    b.Font().SetColor(0x111111);
    b.Font().SetHeight(-11);
    b.FontHOT().SetColor(0x222222);
    b.FontHOT().SetHeight(-15);
    b.SetShadow(true);
    b.SetShadowColor(0x333333);
    const toolkit::TPicture right = PictureOf(8, 8);
    b.SetGlyphRightSide(&right);
    b.SetGlyphRightSide_OffsetX(70);
    b.SetGlyphRightSide_OffsetY(3);

    for (const bool inside : {false, true}) {
        SCOPED_TRACE(inside ? "hot" : "normal");
        if (inside) host.HostMouseMove(1, 1);
        RecordingDevice d;
        d.widths[u"Link"] = 29;
        b.Paint(d);
        ASSERT_EQ(d.texts.size(), 2u);
        // The top comes from Font even while FontHOT draws: (25 - 11) / 2 - 2 = 5.
        EXPECT_EQ(d.texts[0].x, 5);
        EXPECT_EQ(d.texts[0].y, 6);
        EXPECT_EQ(d.texts[0].color, 0x333333u);
        EXPECT_EQ(d.texts[1].x, 4);
        EXPECT_EQ(d.texts[1].y, 5);
        EXPECT_EQ(d.texts[1].color, inside ? 0x222222u : 0x111111u);
        EXPECT_EQ(d.texts[1].fontHeight, inside ? -15 : -11);
        ASSERT_EQ(d.draws.size(), 1u);
        EXPECT_EQ(d.draws[0].x, 70);
        EXPECT_EQ(d.draws[0].y, 3);
    }
}

}  // namespace
}  // namespace orv::skin
