// The mark-up label drawn with GDI: between two pieces of text in different fonts or colours
// the picture shows the rest of the left glyph's advance, one space and the right glyph's own
// left blank, no more. Each case colours its two pieces differently to find them by pixels.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

#include "Surface.h"
#include "toolkit/HTMLabel.h"
#include "toolkit/win32/GdiPaintDevice.h"

namespace orv::toolkit {
namespace {

using test::Surface;
using win32::CreateGdiFont;
using win32::TGdiPaintDevice;
using win32::UniqueFont;

constexpr COLORREF kPaper = RGB(255, 255, 255);
constexpr COLORREF kInk = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);

bool IsColour(COLORREF p, COLORREF c) {
    return std::abs(GetRValue(p) - GetRValue(c)) < 100 &&
           std::abs(GetGValue(p) - GetGValue(c)) < 100 &&
           std::abs(GetBValue(p) - GetBValue(c)) < 100;
}

// First and last column holding a pixel of colour c; -1 when there is none.
void ColumnsOf(const Surface& s, COLORREF c, int& first, int& last) {
    first = last = -1;
    for (int x = 0; x < s.Width(); ++x) {
        for (int y = 0; y < s.Height(); ++y) {
            if (IsColour(s.At(x, y), c)) {
                if (first < 0) first = x;
                last = x;
                break;
            }
        }
    }
}

// A character's reported advance and the columns its glyph covers, from its origin, drawn alone.
struct Glyph {
    int advance = 0;
    int first = -1, last = -1;
};

Glyph GlyphOf(const TFont& f, char16_t c) {
    Surface s(60, 30, kPaper);
    UniqueFont font(CreateGdiFont(f));
    const HGDIOBJ old = SelectObject(s.Dc(), font.Get());
    const auto* text = reinterpret_cast<const wchar_t*>(&c);
    SIZE size{};
    GetTextExtentPoint32W(s.Dc(), text, 1, &size);
    SetBkMode(s.Dc(), TRANSPARENT);
    SetTextColor(s.Dc(), kInk);
    // Away from the left edge, for glyphs that reach left of their origin.
    constexpr int kOrigin = 10;
    ExtTextOutW(s.Dc(), kOrigin, 5, 0, nullptr, text, 1, nullptr);
    SelectObject(s.Dc(), old);
    Glyph g;
    g.advance = size.cx;
    ColumnsOf(s, kInk, g.first, g.last);
    if (g.first >= 0) {
        g.first -= kOrigin;
        g.last -= kOrigin;
    }
    return g;
}

TEST(MarkupLabelPixels, BlankBetweenPiecesIsOneSpaceWide) {
    struct Case {
        const char* what;
        std::u16string markup;
        // The pieces either side of the blank: last character of the left one, first of the
        // right one, their colours and whether they are bold.
        char16_t leftChar, rightChar;
        COLORREF leftColour, rightColour;
        bool leftBold, rightBold;
        bool space;  // a space between them, in the regular font
    };
    const Case cases[] = {
        {"regular words", u"Sollen <FONT color=\"#FF0000\">alle</FONT>", u'n', u'a', kInk, kRed,
         false, false, true},
        {"a long regular word", u"Einstellungen <FONT color=\"#FF0000\">jetzt</FONT>", u'n', u'j',
         kInk, kRed, false, false, true},
        {"regular then bold", u"nicht <b><FONT color=\"#FF0000\">mehr</FONT></b>", u't', u'm', kInk,
         kRed, false, true, true},
        {"bold then regular", u"<b>alle</b> <FONT color=\"#FF0000\">Einstellungen</FONT>", u'e',
         u'E', kInk, kRed, true, false, true},
        {"coloured then regular", u"<FONT color=\"#FF0000\">zur\u00FCckgesetzt</FONT> werden", u't',
         u'w', kRed, kInk, false, false, true},
        {"punctuation after bold", u"<b>nicht</b><FONT color=\"#FF0000\">.</FONT>", u't', u'.',
         kInk, kRed, true, false, false},
        {"punctuation after colour", u"<FONT color=\"#FF0000\">gemacht</FONT>!", u't', u'!', kRed,
         kInk, false, false, false},
    };
    Surface s(400, 30, kPaper);
    THTMLabel label;
    label.SetBounds(0, 0, s.Width(), s.Height());
    label.SetTransparent(true);
    label.Font().SetColor(kInk);
    TFont regular;
    regular.Assign(label.Font());
    TFont bold;
    bold.Assign(regular);
    bold.SetStyle(fsBold);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        s.Fill(kPaper);
        label.SetHTMLText(c.markup);
        {
            TGdiPaintDevice device(s.Dc());
            label.Paint(device);
        }
        int leftFirst, leftLast, rightFirst, rightLast;
        ColumnsOf(s, c.leftColour, leftFirst, leftLast);
        ColumnsOf(s, c.rightColour, rightFirst, rightLast);
        ASSERT_GE(leftFirst, 0);
        ASSERT_GT(rightFirst, leftLast);
        // The blank right of the left piece's last glyph up to its advance, the space, and the
        // blank left of the right piece's first glyph.
        const Glyph last = GlyphOf(c.leftBold ? bold : regular, c.leftChar);
        const Glyph first = GlyphOf(c.rightBold ? bold : regular, c.rightChar);
        ASSERT_GE(last.first, 0);
        ASSERT_GE(first.first, 0);
        const int space = c.space ? GlyphOf(regular, u' ').advance : 0;
        const int want = last.advance - last.last - 1 + space + first.first;
        const int gap = rightFirst - leftLast - 1;
        EXPECT_LE(std::abs(gap - want), 1) << "blank columns " << gap << ", wanted " << want;
    }
}

}  // namespace
}  // namespace orv::toolkit
