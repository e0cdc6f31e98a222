// Drawing the cells of the result rows on a recording canvas, with a scripted shell and
// system.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "FakeCanvas.h"
#include "analysis/ResultTree.h"
#include "analysis/RowDrawing.h"
#include "app/Globals.h"
#include "core/Text.h"
#include "platform/Shell.h"
#include "platform/SystemForwarder.h"
#include "toolkit/Canvas.h"

namespace orv::analysis {
namespace {

using orv::testing::FakeCanvas;
using toolkit::TPaintInfo;
using toolkit::TRect;

// Hands out a new icon for every lookup and notes lookups and releases in a shared log.
class ScriptedShell : public platform::Shell {
  public:
    explicit ScriptedShell(std::vector<std::string>& log) : log_(log) {}
    platform::IconHandle AssociatedSmallIcon(std::u16string_view path) override {
        log_.push_back("icon " + Utf16ToUtf8(path));
        return Next();
    }
    platform::IconHandle FileTypeSmallIcon(std::u16string_view ext) override {
        log_.push_back("type " + Utf16ToUtf8(ext));
        return Next();
    }
    void ReleaseIcon(platform::IconHandle icon) override {
        log_.push_back("release " + std::to_string(reinterpret_cast<uintptr_t>(icon)));
    }
    bool Open(std::u16string_view) override { return false; }
    bool MoveToRecycleBin(std::u16string_view) override { return false; }

  private:
    platform::IconHandle Next() { return reinterpret_cast<platform::IconHandle>(++handed_); }
    std::vector<std::string>& log_;
    uintptr_t handed_ = 0;
};

class ScriptedSystem : public platform::SystemForwarder {
  public:
    explicit ScriptedSystem(std::vector<std::string>& log) : log_(log) {}
    bool disableWorks = true;
    bool DisableWow64Redirection(void*& cookie) override {
        log_.push_back("disable");
        cookie = reinterpret_cast<void*>(0x77);
        return disableWorks;
    }
    bool RevertWow64Redirection(void* cookie) override {
        log_.push_back(cookie == reinterpret_cast<void*>(0x77) ? "revert" : "revert ?");
        return true;
    }

  private:
    std::vector<std::string>& log_;
};

class RecordingImages : public toolkit::TImageSource {
  public:
    int Count() const override { return 8; }
    void Draw(toolkit::TCanvas&, int index, int x, int y) override {
        drawn.push_back({x, y, std::u16string(1, static_cast<char16_t>(u'0' + index))});
    }
    std::vector<orv::testing::DrawnText> drawn;
};

class RowDrawingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::SetShell(&shell_);
        platform::SetSystem(&system_);
        RunningUnderWow64 = false;
    }
    void TearDown() override {
        platform::SetShell(nullptr);
        platform::SetSystem(nullptr);
        RunningUnderWow64 = false;
    }
    NodeId Row(std::u16string path, int64_t size, int32_t imageIndex = 0, bool folder = false,
               uint32_t folders = 0, uint32_t files = 0) {
        TSizeNode r;
        r.FullPath = std::move(path);
        r.Size = size;
        r.ImageIndex = imageIndex;
        r.IsFolder = folder;
        r.Folders = folders;
        r.Files = files;
        return tree_.AddChild(kNoNode, r);
    }
    // Draws one cell with the content rectangle (10, 20)-(110, 38): W = 100.
    FakeCanvas& Draw(NodeId node, int column, const TRowDrawState& state, int width = 100) {
        canvas_ = FakeCanvas();
        TPaintInfo info{canvas_, node, column, TRect{6, 20, 114, 38},
                        TRect{10, 20, 10 + width, 38}};
        DrawNode(state, tree_, info);
        return canvas_;
    }
    static TRowDrawState WithTotal(int64_t total) {
        TRowDrawState s;
        s.TotalSize = total;
        return s;
    }

    std::vector<std::string> log_;
    ScriptedShell shell_{log_};
    ScriptedSystem system_{log_};
    ResultTree tree_;
    FakeCanvas canvas_;
};

TEST(BarWidthTest, RoundsToNearestWithHalvesToEven) {
    struct Case {
        int W;
        float p;
        int w;
    };
    const Case cases[] = {
        {100, 12.5f, 12},   {100, 13.5f, 14}, {200, 0.25f, 0},   {200, 0.75f, 2},
        {236, 100.0f, 236}, {50, 0.0f, 0},    {80, 33.333f, 27}, {100, 0.49f, 0},
        {100, -10.0f, -10}, {0, 50.0f, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.W * 1000 + c.p);
        EXPECT_EQ(BarWidth(c.W, c.p), c.w);
    }
}

TEST_F(RowDrawingTest, SizeShareBarIsHeldInSinglePrecision) {
    // p = 12.5000001 is 12.5 in single precision: 100 x 0.125 = 12.5 rounds to 12, where a
    // double would give 13.
    const NodeId n = Row(u"C:\\a", 125000001);
    const FakeCanvas& c = Draw(n, 4, WithTotal(1000000000));
    ASSERT_EQ(c.fills.size(), 1u);
    EXPECT_EQ(c.fills[0].rect, (TRect{10, 22, 22, 36}));
    EXPECT_EQ(c.fills[0].color, kBarColor);
    ASSERT_EQ(c.texts.size(), 1u);
    EXPECT_EQ(c.texts[0].text, u"12.500");
}

TEST_F(RowDrawingTest, SizeShareColumn) {
    struct Case {
        const char* what;
        int64_t size, total;
        int barWidth;      // 0: no bar
        const char* text;  // nullptr: no text
    };
    const Case cases[] = {
        {"a quarter", 250, 1000, 25, "25.000"},
        {"all", 1000, 1000, 100, "100.000"},
        {"0 bytes: no bar, 0.000", 0, 1000, 0, "0.000"},
        {"too small for a pixel", 4, 1000, 0, "0.400"},
        {"no total: nothing", 500, 0, 0, nullptr},
        {"negative total: nothing", 500, -1, 0, nullptr},
        {"negative size: no bar", -10, 1000, 0, "-1.000"},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.what);
        const FakeCanvas& c = Draw(Row(u"C:\\x", k.size), 4, WithTotal(k.total));
        EXPECT_TRUE(c.transparent);
        if (k.barWidth > 0) {
            ASSERT_EQ(c.fills.size(), 1u);
            EXPECT_EQ(c.fills[0].rect, (TRect{10, 22, 10 + k.barWidth, 36}));
        } else {
            EXPECT_TRUE(c.fills.empty());
        }
        if (k.text == nullptr) {
            EXPECT_TRUE(c.texts.empty());
        } else {
            ASSERT_EQ(c.texts.size(), 1u);
            const std::u16string text = Utf8ToUtf16(k.text);
            EXPECT_EQ(c.texts[0].text, text);
            // Centred: L + W div 2 - textwidth div 2, six pixels a unit here.
            EXPECT_EQ(c.texts[0].x, 10 + 50 - static_cast<int>(text.size()) * 6 / 2);
            EXPECT_EQ(c.texts[0].y, 21);
        }
    }
}

TEST_F(RowDrawingTest, FolderShareColumn) {
    struct Case {
        const char* what;
        int64_t size, total;
        bool hasRoot;
        int64_t rootSize;
        int barWidth;
        const char* text;
    };
    const Case cases[] = {
        {"half of the folder", 50, 1000, true, 100, 50, "50.000"},
        {"no current folder", 50, 1000, false, 100, 0, nullptr},
        {"no total", 50, 0, true, 100, 0, nullptr},
        {"empty folder: 0.000, no bar", 50, 1000, true, 0, 0, "0.000"},
        {"0 bytes in the folder", 0, 1000, true, 100, 0, "0.000"},
        {"too small for a pixel", 1, 1000, true, 1000, 0, "0.100"},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.what);
        TRowDrawState s = WithTotal(k.total);
        s.HasCurrentRoot = k.hasRoot;
        s.CurrentRootSize = k.rootSize;
        const FakeCanvas& c = Draw(Row(u"C:\\x", k.size), 5, s);
        if (k.barWidth > 0) {
            ASSERT_EQ(c.fills.size(), 1u);
            EXPECT_EQ(c.fills[0].rect, (TRect{10, 22, 10 + k.barWidth, 36}));
            // The number is drawn over the bar, not hidden by it.
            EXPECT_EQ(c.calls, (std::vector<std::string>{"transparent", "fill", "text"}));
        } else {
            EXPECT_TRUE(c.fills.empty());
        }
        if (k.text == nullptr) {
            EXPECT_TRUE(c.texts.empty());
        } else {
            ASSERT_EQ(c.texts.size(), 1u);
            EXPECT_EQ(c.texts[0].text, Utf8ToUtf16(k.text));
        }
    }
}

TEST_F(RowDrawingTest, PercentTooWideIsShortenedFromTheLeft) {
    const FakeCanvas& c = Draw(Row(u"C:\\x", 250), 4, WithTotal(1000), 40);
    // "25.000" is 36 pixels and fits 40: centred.
    ASSERT_EQ(c.texts.size(), 1u);
    EXPECT_EQ(c.texts[0].x, 10 + 20 - 18);
    const FakeCanvas& d = Draw(Row(u"C:\\y", 250), 4, WithTotal(1000), 30);
    ASSERT_EQ(d.texts.size(), 1u);
    EXPECT_EQ(d.texts[0].text, u"25...");
    EXPECT_EQ(d.texts[0].x, 10);
    EXPECT_EQ(d.texts[0].y, 21);
}

TEST_F(RowDrawingTest, CountAndSizeColumns) {
    const NodeId n = Row(u"C:\\x", 1536, 0, true, 4000000000u, 17);
    struct Case {
        int column;
        const char* text;
    };
    for (const Case k : {Case{1, "4000000000"}, Case{2, "17"}, Case{3, "1.5 KB"}}) {
        SCOPED_TRACE(k.column);
        const FakeCanvas& c = Draw(n, k.column, WithTotal(100));
        ASSERT_EQ(c.texts.size(), 1u);
        EXPECT_EQ(c.texts[0].text, Utf8ToUtf16(k.text));
        EXPECT_EQ(c.texts[0].x, 10);
        EXPECT_EQ(c.texts[0].y, 21);
        EXPECT_TRUE(c.fills.empty());
    }
    // Too narrow for the number: shortened.
    const FakeCanvas& c = Draw(n, 1, WithTotal(100), 40);
    ASSERT_EQ(c.texts.size(), 1u);
    EXPECT_EQ(c.texts[0].text, u"400...");
    EXPECT_TRUE(Draw(n, 7, WithTotal(100)).calls == std::vector<std::string>{"transparent"});
}

TEST_F(RowDrawingTest, NameColumnTextDependsOnTheView) {
    struct Case {
        const char* what;
        std::u16string path;
        int32_t imageIndex;
        bool showFullPath;
        std::u16string filter;
        std::u16string text;
    };
    const Case cases[] = {
        {"structure view: file name", u"C:\\Docs\\a.txt", 0, false, u"", u"a.txt"},
        {"structure view: last folder part", u"C:\\Docs\\Old", 0, false, u"", u"Old"},
        {"all files: full path", u"C:\\Docs\\a.txt", 0, true, u"", u"C:\\Docs\\a.txt"},
        {"filter: full path", u"C:\\Docs\\a.txt", 0, false, u"TXT\r\n", u"C:\\Docs\\a.txt"},
        {"group row", u"Audio", 3, false, u"", u"Audio"},
        {"drive root: nothing after the backslash", u"C:\\", 0, false, u"", u""},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.what);
        TRowDrawState s = WithTotal(100);
        s.ShowFullPath = k.showFullPath;
        s.CurrentFilter = k.filter;
        EXPECT_EQ(NameText(s, k.path, k.imageIndex), k.text);
    }
    const FakeCanvas& c = Draw(Row(u"C:\\Docs\\a.txt", 5), 0, WithTotal(100));
    ASSERT_EQ(c.texts.size(), 1u);
    EXPECT_EQ(c.texts[0].text, u"a.txt");
    EXPECT_EQ(c.texts[0].x, 30);
    EXPECT_EQ(c.texts[0].y, 22);
}

TEST_F(RowDrawingTest, NameColumnShortensToTheRoomBesideTheIcon) {
    // Room W - 20 = 80 pixels, 6 a unit: 13 units fit, 14 do not.
    const FakeCanvas& fits = Draw(Row(u"C:\\abcdefghijklm", 5), 0, WithTotal(100));
    EXPECT_EQ(fits.texts.at(0).text, u"abcdefghijklm");
    const FakeCanvas& longer = Draw(Row(u"C:\\abcdefghijklmn", 5), 0, WithTotal(100));
    EXPECT_EQ(longer.texts.at(0).text, u"abcdefghij...");
    // Not even "..." fits in 17 pixels: nothing is drawn.
    const FakeCanvas& none = Draw(Row(u"C:\\abcdef", 5), 0, WithTotal(100), 37);
    EXPECT_TRUE(none.texts.empty());
}

TEST_F(RowDrawingTest, NameColumnBar) {
    struct Case {
        const char* what;
        int mode;
        int64_t total;
        bool hasRoot;
        int64_t rootSize;
        int barWidth;
    };
    const Case cases[] = {
        {"no bar", 0, 1000, true, 200, 0},
        {"share of the drive", 1, 1000, true, 200, 10},
        {"share of the drive without total", 1, 0, true, 200, 0},
        {"share of the folder", 2, 1000, true, 200, 50},
        {"share of the folder without total", 2, 0, true, 200, 0},
        {"share of the folder without folder", 2, 1000, false, 200, 0},
        {"share of an empty folder", 2, 1000, true, 0, 0},
        {"unknown mode", 3, 1000, true, 200, 0},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.what);
        TRowDrawState s = WithTotal(k.total);
        s.NameBalken = k.mode;
        s.HasCurrentRoot = k.hasRoot;
        s.CurrentRootSize = k.rootSize;
        const FakeCanvas& c = Draw(Row(u"C:\\x", 100), 0, s);
        if (k.barWidth > 0) {
            ASSERT_EQ(c.fills.size(), 1u);
            EXPECT_EQ(c.fills[0].rect, (TRect{10, 22, 10 + k.barWidth, 36}));
            // Bar, then icon, then name over both.
            EXPECT_EQ(c.calls, (std::vector<std::string>{"transparent", "fill", "icon", "text"}));
        } else {
            EXPECT_TRUE(c.fills.empty());
        }
    }
}

TEST_F(RowDrawingTest, ShellIconIsDrawnAtTheCellStartAndReleased) {
    const FakeCanvas& c = Draw(Row(u"C:\\Docs\\a.txt", 5), 0, WithTotal(100));
    ASSERT_EQ(c.icons.size(), 1u);
    EXPECT_EQ(c.icons[0].x, 10);
    EXPECT_EQ(c.icons[0].y, 21);
    EXPECT_EQ(c.icons[0].icon, reinterpret_cast<platform::IconHandle>(1));
    EXPECT_EQ(log_, (std::vector<std::string>{"icon C:\\Docs\\a.txt", "release 1"}));
}

TEST_F(RowDrawingTest, ImageListPictureInsteadOfTheShellIcon) {
    RecordingImages images;
    TRowDrawState s = WithTotal(100);
    s.Images = &images;
    const FakeCanvas& c = Draw(Row(u"Video", 5, 4), 0, s);
    EXPECT_TRUE(c.icons.empty());
    EXPECT_TRUE(log_.empty());
    ASSERT_EQ(images.drawn.size(), 1u);
    EXPECT_EQ(images.drawn[0].x, 10);
    EXPECT_EQ(images.drawn[0].y, 21);
    EXPECT_EQ(images.drawn[0].text, u"4");
    EXPECT_EQ(c.texts.at(0).text, u"Video");
}

TEST_F(RowDrawingTest, RedirectionIsOffAroundSystemFolderIconsUnderWow64) {
    struct Case {
        const char* what;
        bool wow64;
        std::u16string path;
        bool disableWorks;
        std::vector<std::string> log;
    };
    const Case cases[] = {
        {"system folder under Wow64",
         true,
         u"C:\\Windows\\System32\\cmd.exe",
         true,
         {"disable", "icon C:\\Windows\\System32\\cmd.exe", "revert", "release 1"}},
        {"any letter case",
         true,
         u"c:\\windows\\system32",
         true,
         {"disable", "icon c:\\windows\\system32", "revert", "release 1"}},
        {"redirection cannot be switched off",
         true,
         u"C:\\Windows\\SYSTEM32\\x",
         false,
         {"disable", "icon C:\\Windows\\SYSTEM32\\x", "release 1"}},
        {"other folder under Wow64",
         true,
         u"C:\\Windows\\SysWOW64\\cmd.exe",
         true,
         {"icon C:\\Windows\\SysWOW64\\cmd.exe", "release 1"}},
        {"system folder without Wow64",
         false,
         u"C:\\Windows\\System32\\cmd.exe",
         true,
         {"icon C:\\Windows\\System32\\cmd.exe", "release 1"}},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.what);
        log_.clear();
        ScriptedShell shell(log_);
        platform::SetShell(&shell);
        RunningUnderWow64 = k.wow64;
        system_.disableWorks = k.disableWorks;
        Draw(Row(k.path, 5), 0, WithTotal(100));
        EXPECT_EQ(log_, k.log);
    }
}

TEST_F(RowDrawingTest, IconCacheAsksOncePerExtensionOrOncePerPath) {
    {
        TShellIconCache cache;
        TRowDrawState s = WithTotal(100);
        s.IconCache = &cache;
        const NodeId rows[] = {
            Row(u"C:\\a.txt", 1), Row(u"C:\\B.TXT", 1),        Row(u"C:\\c.exe", 1),
            Row(u"C:\\d.EXE", 1), Row(u"C:\\Dir", 1, 0, true), Row(u"C:\\noext", 1),
            Row(u"C:\\a.txt", 1), Row(u"C:\\c.exe", 1),        Row(u"C:\\Dir", 1, 0, true)};
        std::vector<platform::IconHandle> drawn;
        for (NodeId n : rows) drawn.push_back(Draw(n, 0, s).icons.at(0).icon);
        // Programs and folders by their path, other files by extension; each once.
        EXPECT_EQ(log_, (std::vector<std::string>{"type TXT", "icon C:\\c.exe", "icon C:\\d.EXE",
                                                  "icon C:\\Dir", "type "}));
        EXPECT_EQ(drawn[0], drawn[1]);
        EXPECT_EQ(drawn[0], drawn[6]);
        EXPECT_EQ(drawn[2], drawn[7]);
        EXPECT_EQ(drawn[4], drawn[8]);
        EXPECT_NE(drawn[2], drawn[3]);
        log_.clear();
    }
    // The cache gives its icons back when it goes.
    std::sort(log_.begin(), log_.end());
    EXPECT_EQ(log_, (std::vector<std::string>{"release 1", "release 2", "release 3", "release 4",
                                              "release 5"}));
}

TEST_F(RowDrawingTest, IconCacheKeepsABoundedNumberOfPaths) {
    TShellIconCache cache;
    for (size_t i = 0; i < TShellIconCache::kMaxPaths; ++i) {
        cache.Get(u"C:\\Dir" + ToDecimalUnsigned(i), true);
    }
    EXPECT_EQ(std::count_if(log_.begin(), log_.end(),
                            [](const std::string& l) { return l.rfind("release", 0) == 0; }),
              0);
    // One more path: the kept ones are given back first.
    cache.Get(u"C:\\One more", true);
    EXPECT_EQ(std::count_if(log_.begin(), log_.end(),
                            [](const std::string& l) { return l.rfind("release", 0) == 0; }),
              static_cast<long>(TShellIconCache::kMaxPaths));
    EXPECT_EQ(log_.back(), "icon C:\\One more");
}

TEST(ShortenToFitTest, LongestStartThatFitsWithTheDots) {
    // 'W' is 10 pixels wide, '.' 2, everything else 4.
    FakeCanvas canvas;
    canvas.measure = [](std::u16string_view t) {
        int w = 0;
        for (char16_t c : t) w += c == u'W' ? 10 : (c == u'.' ? 2 : 4);
        return w;
    };
    struct Case {
        std::u16string text;
        int room;
        std::u16string shown;
    };
    const Case cases[] = {
        {u"abcd", 16, u"abcd"},    // exactly fits
        {u"abcde", 16, u"ab..."},  // 2 x 4 + 6 = 14 fits, 3 x 4 + 6 = 18 does not
        {u"WWWW", 39, u"WWW..."},  // 36
        {u"aWWW", 20, u"aW..."},   // 4 + 10 + 6
        {u"aWWW", 19, u"a..."},
        {u"abcdef", 6, u"..."},  // only the dots
        {u"abcdef", 5, u""},     // not even the dots
        {u"", 0, u""},
        {u"ab\U0001F600cd", 18, u"ab..."},  // three units would fit: the pair is not split
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Utf16ToUtf8(c.text) + " in " + std::to_string(c.room));
        EXPECT_EQ(toolkit::ShortenToFit(canvas, c.text, c.room), c.shown);
    }
    // Halving keeps the measurements few for a long path.
    canvas.measured = 0;
    toolkit::ShortenToFit(canvas, std::u16string(4000, u'a'), 400);
    EXPECT_LT(canvas.measured, 20);
}

}  // namespace
}  // namespace orv::analysis
