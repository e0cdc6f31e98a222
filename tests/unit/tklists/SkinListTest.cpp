// The skin list on a list box: what one skin's row shows, from a skins folder with a full skin,
// one without description, and one with a damaged preview.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "PaintLog.h"
#include "app/Globals.h"
#include "core/Text.h"
#include "platform/posix/Capture.h"
#include "skin/PngCodec.h"
#include "skin/SkinList.h"

namespace orv::skin {
namespace {

namespace fs = std::filesystem;
using toolkit::TListBox;
using toolkit::TRect;

void WriteFile(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string Png(int w, int h) {
    const std::vector<uint8_t> rgba(static_cast<size_t>(w * h * 4), 0x80);
    const std::vector<uint8_t> png = EncodePngRgba(w, h, rgba.data());
    return std::string(png.begin(), png.end());
}

class SkinListTest : public ::testing::Test {
  protected:
    void SetUp() override {
        root_ =
            fs::temp_directory_path() /
            ("tklists-skins-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
        const fs::path skins = root_ / "skins";
        WriteFile(skins / "fancy" / "skin.ini",
                  "[Header]\r\nColor=$102030\r\n[SkinInfo]\r\nDisplayName=Fancy Blue\r\n"
                  "Display1=Dark header\r\nDisplay2=Rounded buttons\r\n");
        WriteFile(skins / "fancy" / "preview_small.png", Png(12, 8));
        WriteFile(skins / "plain" / "skin.ini", "[Header]\r\nColor=clRed\r\n");
        WriteFile(skins / "broken" / "skin.ini", "[skininfo]\r\ndisplayname=\r\n");
        WriteFile(skins / "broken" / "preview_small.png", "\x89PNG\r\n\x1a\nnot really");
        fs::create_directories(skins / "empty");  // no skin.ini: not listed
        savedFolder_ = ProgramFolder;
        savedSkin_ = SkinFolderPath;
        ProgramFolder = Utf8ToUtf16(root_.string());
        SkinFolderPath = ProgramFolder + u"\\skins\\PLAIN";
        platform::posix::ClearCaptures();
    }
    void TearDown() override {
        ProgramFolder = savedFolder_;
        SkinFolderPath = savedSkin_;
        fs::remove_all(root_);
    }

    fs::path root_;
    std::u16string savedFolder_, savedSkin_;
};

TEST_F(SkinListTest, EachRowShowsTitleDescriptionAndPreview) {
    const struct {
        const char16_t* folder;
        const char16_t *title, *line1, *line2;
        bool preview;
    } cases[] = {
        {u"fancy", u"Fancy Blue", u"Dark header", u"Rounded buttons", true},
        {u"plain", u"plain", u"", u"", false},  // no SkinInfo: the folder name
        {u"broken", u"", u"", u"", false},      // an empty DisplayName is still the title
        {u"gone", u"gone", u"", u"", false},    // a folder that went since the list was filled
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Utf16ToUtf8(c.folder));
        TListBox list;
        SetUpSkinListBox(list);
        EXPECT_EQ(list.ItemHeight(), 92);
        list.SetClientSize(400, 300);
        list.Add(u"first");
        list.Add(c.folder);
        list.Font().SetName(u"Segoe UI");
        tklists::PaintLog log;
        const TRect r = list.ItemRect(1);
        ASSERT_EQ(r, (TRect{0, 92, 400, 184}));
        list.DrawItem(log, 1, r);
        ASSERT_FALSE(log.fills.empty());
        EXPECT_EQ(log.fills[0].r, r) << "the row is filled first";
        EXPECT_EQ(log.fills[0].brush, list.Color()) << "with the brush the list box set";
        ASSERT_EQ(log.texts.size(), 3u);
        const std::u16string expected[] = {c.title, c.line1, c.line2};
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(log.texts[i].text, expected[i]);
            EXPECT_EQ(log.texts[i].x, 140);
            EXPECT_EQ(log.texts[i].y, 92 + 20 + 16 * i);
            EXPECT_EQ(log.texts[i].font, u"Segoe UI") << "in the list box font";
        }
        if (c.preview) {
            ASSERT_EQ(log.pictures.size(), 1u);
            EXPECT_EQ(log.pictures[0].x, 4);
            EXPECT_EQ(log.pictures[0].y, 96);
            EXPECT_EQ(log.pictures[0].w, 12) << "unscaled";
            EXPECT_EQ(log.pictures[0].h, 8);
        } else {
            EXPECT_TRUE(log.pictures.empty());
        }
    }
}

TEST_F(SkinListTest, ADamagedPreviewIsLeftOutWithADebugLine) {
    TListBox list;
    SetUpSkinListBox(list);
    list.Add(u"broken");
    tklists::PaintLog log;
    list.DrawItem(log, 0, TRect{0, 0, 300, 92});
    EXPECT_TRUE(log.pictures.empty());
    const auto& lines = platform::posix::CapturedDebugLines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find(u"preview_small.png"), std::u16string::npos);
}

TEST_F(SkinListTest, TheListBoxIsFilledAndReadAsTheSkinList) {
    TListBox list;
    SetUpSkinListBox(list);
    list.SetClientSize(300, 92);  // one row shown
    list.Add(u"stale");
    TListBoxSkinList skins(list);
    FillSkinList(skins);
    std::vector<std::u16string> names;
    for (int i = 0; i < list.Count(); ++i) names.push_back(list.Item(i));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::u16string>{u"broken", u"fancy", u"plain"}));
    ASSERT_GE(list.ItemIndex(), 0);
    EXPECT_EQ(list.Item(list.ItemIndex()), u"plain") << "the active skin, case ignored";
    EXPECT_EQ(list.TopIndex(), list.ItemIndex()) << "and scrolled into view";
    EXPECT_EQ(skins.Count(), 3);
    EXPECT_EQ(skins.Item(skins.ItemIndex()), u"plain");
    skins.SetItemIndex(7);
    EXPECT_EQ(list.ItemIndex(), -1);
}

}  // namespace
}  // namespace orv::skin
