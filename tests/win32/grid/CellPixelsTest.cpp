// Cells of the result list drawn with GDI into a memory bitmap and probed pixel by pixel.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "analysis/ResultTree.h"
#include "analysis/RowDrawing.h"
#include "toolkit/win32/GdiCanvas.h"
#include "toolkit/win32/GdiHandles.h"

namespace orv::analysis {
namespace {

using toolkit::TPaintInfo;
using toolkit::TRect;
using toolkit::win32::MemoryDC;
using toolkit::win32::SelectScope;
using toolkit::win32::TGdiCanvas;
using toolkit::win32::UniqueBitmap;
using toolkit::win32::UniqueFont;

constexpr int kWidth = 320;
constexpr int kHeight = 18;

// A white 32-bit bitmap one row high, with the grid's font.
class Bitmap {
  public:
    Bitmap() : dc_(nullptr) {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = kWidth;
        bi.bmiHeader.biHeight = -kHeight;  // top-down
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bitmap_.Reset(CreateDIBSection(dc_.Get(), &bi, DIB_RGB_COLORS, &bits_, nullptr, 0));
        select_ = std::make_unique<SelectScope>(dc_.Get(), bitmap_.Get());
        font_.Reset(CreateFontW(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                                NONANTIALIASED_QUALITY, 0, L"Tahoma"));
        const RECT all{0, 0, kWidth, kHeight};
        FillRect(dc_.Get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    HDC Dc() const { return dc_.Get(); }
    HFONT Font() const { return font_.Get(); }
    // As a COLORREF: red in the low byte.
    COLORREF At(int x, int y) const {
        GdiFlush();
        const uint32_t p = static_cast<const uint32_t*>(bits_)[y * kWidth + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    int CountColor(COLORREF c, int left, int right) const {
        int n = 0;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = left; x < right; ++x) n += At(x, y) == c;
        }
        return n;
    }
    // Pixels that are neither white nor the bar colour: text and icons.
    int CountInk(int left, int right) const {
        int n = 0;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = left; x < right; ++x) {
                const COLORREF c = At(x, y);
                n += c != RGB(255, 255, 255) && c != RGB(96, 224, 96);
            }
        }
        return n;
    }

  private:
    MemoryDC dc_;
    UniqueBitmap bitmap_;
    void* bits_ = nullptr;
    std::unique_ptr<SelectScope> select_;
    UniqueFont font_;
};

// Records the texts drawn while GDI draws and measures them.
class RecordingCanvas : public TGdiCanvas {
  public:
    using TGdiCanvas::TGdiCanvas;
    void DrawTextAt(int x, int y, std::u16string_view text) override {
        texts.emplace_back(text);
        TGdiCanvas::DrawTextAt(x, y, text);
    }
    std::vector<std::u16string> texts;
};

class CellPixelsTest : public ::testing::Test {
  protected:
    NodeId Row(std::u16string path, int64_t size) {
        TSizeNode r;
        r.FullPath = std::move(path);
        r.Size = size;
        // A group picture index keeps the shell out of these pictures.
        r.ImageIndex = 1;
        return tree_.AddChild(kNoNode, r);
    }
    // Draws into the content rectangle (10, 0)-(10 + width, 18).
    void Draw(Bitmap& bmp, NodeId node, int column, const TRowDrawState& state, int width,
              std::vector<std::u16string>* texts = nullptr) {
        RecordingCanvas canvas(bmp.Dc(), bmp.Font());
        TPaintInfo info{canvas, node, column, TRect{6, 0, 14 + width, kHeight},
                        TRect{10, 0, 10 + width, kHeight}};
        DrawNode(state, tree_, info);
        if (texts != nullptr) *texts = canvas.texts;
    }
    ResultTree tree_;
};

TEST_F(CellPixelsTest, SizeShareBarHasItsColourAndWidth) {
    struct Case {
        int64_t size, total;
        int width;  // of the content
        int bar;    // expected bar width in pixels
    };
    for (const Case c : {Case{250, 1000, 200, 50}, Case{1000, 1000, 92, 92},
                         Case{125, 1000, 100, 12}, Case{135, 1000, 100, 14}}) {
        SCOPED_TRACE(c.size * 1000 + c.width);
        Bitmap bmp;
        TRowDrawState s;
        s.TotalSize = c.total;
        Draw(bmp, Row(u"x", c.size), 4, s, c.width);
        const COLORREF green = RGB(96, 224, 96);
        // From (L, T + 2) to (L + w, B - 2), exclusive.
        EXPECT_EQ(bmp.At(10, 2), green);
        EXPECT_EQ(bmp.At(10 + c.bar - 1, 15), green);
        EXPECT_NE(bmp.At(10, 1), green);
        EXPECT_NE(bmp.At(10, 16), green);
        EXPECT_NE(bmp.At(9, 8), green);
        if (c.bar < c.width) EXPECT_NE(bmp.At(10 + c.bar, 3), green);
        // Text drawn over the bar hides some of it; what is green lies within the bar.
        EXPECT_EQ(bmp.CountColor(green, 10 + c.bar, kWidth), 0);
        EXPECT_GT(bmp.CountColor(green, 10, 10 + c.bar), c.bar * 14 / 2);
        // The number is drawn (dark pixels).
        EXPECT_GT(bmp.CountInk(10, 10 + c.width), 10);
    }
}

TEST_F(CellPixelsTest, NoBarAtZeroOrWithoutTotal) {
    const COLORREF green = RGB(96, 224, 96);
    TRowDrawState s;
    s.TotalSize = 1000;
    s.NameBalken = 1;
    for (int column : {0, 4, 5}) {
        SCOPED_TRACE(column);
        Bitmap bmp;
        Draw(bmp, Row(u"C:\\empty.txt", 0), column, s, 200);
        EXPECT_EQ(bmp.CountColor(green, 0, kWidth), 0);
    }
    s.TotalSize = 0;
    s.HasCurrentRoot = true;
    s.CurrentRootSize = 1000;
    for (int column : {0, 4, 5}) {
        SCOPED_TRACE(column);
        Bitmap bmp;
        Draw(bmp, Row(u"C:\\big.txt", 500), column, s, 200);
        EXPECT_EQ(bmp.CountColor(green, 0, kWidth), 0);
        // Columns 4 and 5 are empty without a total.
        if (column != 0) EXPECT_EQ(bmp.CountInk(0, kWidth), 0);
    }
}

TEST_F(CellPixelsTest, TooWideNameEndsInDotsWithinItsRoom) {
    Bitmap bmp;
    TRowDrawState s;
    s.TotalSize = 1000;
    std::vector<std::u16string> texts;
    const std::u16string name = u"A rather long file name that cannot fit the column.txt";
    Draw(bmp, Row(u"C:\\" + name, 10), 0, s, 120, &texts);
    ASSERT_EQ(texts.size(), 1u);
    const std::u16string shown = texts[0];
    ASSERT_GT(shown.size(), 3u);
    EXPECT_EQ(shown.substr(shown.size() - 3), u"...");
    const std::u16string start = shown.substr(0, shown.size() - 3);
    EXPECT_EQ(name.substr(0, start.size()), start);
    // The shortened text fits the 100 pixels beside the icon; one more character would not.
    TGdiCanvas measure(bmp.Dc(), bmp.Font());
    EXPECT_LE(measure.TextWidth(shown), 100);
    EXPECT_GT(measure.TextWidth(name.substr(0, start.size() + 1) + u"..."), 100);
    // Nothing is drawn right of the content.
    EXPECT_EQ(bmp.CountInk(10 + 120, kWidth), 0);
    EXPECT_GT(bmp.CountInk(30, 130), 20);

    // A name that fits is drawn whole.
    Bitmap other;
    Draw(other, Row(u"C:\\short.txt", 10), 0, s, 120, &texts);
    EXPECT_EQ(texts.at(0), u"short.txt");
}

TEST_F(CellPixelsTest, ShellIconIsDrawnAtTheStartOfTheNameCell) {
    Bitmap bmp;
    TRowDrawState s;
    TSizeNode r;
    r.FullPath = u"C:\\windows\\system32\\notepad.exe";
    r.Size = 1;
    const NodeId n = tree_.AddChild(kNoNode, r);
    std::vector<std::u16string> texts;
    Draw(bmp, n, 0, s, 200, &texts);
    // The 16 x 16 icon at (L, T + 1) leaves colour in (10..26, 1..17).
    EXPECT_GT(bmp.CountInk(10, 26), 16);
    EXPECT_EQ(texts.at(0), u"notepad.exe");
}

}  // namespace
}  // namespace orv::analysis
