// Files the program reads are refused, with a debug line, when they are larger than their
// purpose allows; the size is checked before anything is read.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/Text.h"
#include "lang/nLang3.h"
#include "platform/Files.h"
#include "platform/posix/Capture.h"
#include "skin/FileBytes.h"
#include "toolkit/Graphics.h"

namespace orv::platform {
namespace {

class Folder {
  public:
    Folder() {
        static std::atomic<int> counter{0};
        path_ = std::filesystem::temp_directory_path() /
                ("orvella-limits-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::create_directories(path_);
    }
    ~Folder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    // A file of exactly size bytes: head, then zeros that take no disk space.
    std::u16string Sparse(const std::string& name, uint64_t size, std::string_view head = {}) {
        const std::string native = (path_ / name).string();
        {
            std::ofstream out(native, std::ios::binary | std::ios::trunc);
            out.write(head.data(), static_cast<std::streamsize>(head.size()));
        }
        std::filesystem::resize_file(native, size);
        std::u16string path = Utf8ToUtf16(native);
        for (auto& c : path) {
            if (c == u'/') c = u'\\';
        }
        return path;
    }

  private:
    std::filesystem::path path_;
};

// Bytes this process has read through read() and its kin so far.
uint64_t BytesReadByProcess() {
    std::ifstream io("/proc/self/io");
    std::string key;
    uint64_t value = 0;
    while (io >> key >> value) {
        if (key == "rchar:") return value;
    }
    return 0;
}

class FileLimits : public ::testing::Test {
  protected:
    void SetUp() override { posix::ClearCaptures(); }
    void TearDown() override { posix::ClearCaptures(); }
    Folder folder_;
};

TEST_F(FileLimits, AFileAtItsLimitIsReadAndOneByteMoreIsRefusedWithALine) {
    const struct {
        const char* purpose;
        uint64_t limit;
    } cases[] = {
        {"skin.ini", kMaxIniFileBytes},
        {"index.txt", kMaxIndexFileBytes},
        {"translation", kMaxTranslationFileBytes},
        {"picture", kMaxPictureFileBytes},
        {"any file", kMaxFileBytes},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.purpose);
        const auto at = folder_.Sparse("at", c.limit, "head");
        const auto over = folder_.Sparse("over", c.limit + 1, "head");
        std::string bytes;
        posix::ClearCaptures();
        ASSERT_TRUE(Fs().ReadWholeFile(at, bytes, c.limit));
        EXPECT_EQ(bytes.size(), c.limit);
        EXPECT_EQ(bytes.substr(0, 4), "head");
        EXPECT_TRUE(posix::CapturedDebugLines().empty());

        EXPECT_FALSE(Fs().ReadWholeFile(over, bytes, c.limit));
        EXPECT_TRUE(bytes.empty());
        const std::vector<std::u16string> lines = {u"Files: " + over + u" is larger than " +
                                                   ToDecimalUnsigned(c.limit) +
                                                   u" bytes, not read"};
        EXPECT_EQ(posix::CapturedDebugLines(), lines);
    }
}

TEST_F(FileLimits, WithoutALimitOfItsOwnAFileGetsTheGeneralOne) {
    const auto over = folder_.Sparse("big.bin", kMaxFileBytes + 1);
    std::string bytes = "old";
    EXPECT_FALSE(Fs().ReadWholeFile(over, bytes));
    EXPECT_TRUE(bytes.empty());
    EXPECT_EQ(posix::CapturedDebugLines().size(), 1u);
}

TEST_F(FileLimits, AHugeTranslationIsRefusedWithoutBeingRead) {
    const auto translation = folder_.Sparse("de-de.nlang3", uint64_t{200} << 20,
                                            "[MESSAGES]\r\nMESSAGES.MESSAGE_A=Eins\r\n");
    const auto index = folder_.Sparse("index.txt", 5, "a=b\r\n");
    lang::TLang lang;
    const uint64_t before = BytesReadByProcess();
    lang.Load_Translation(translation, index);
    const uint64_t read = BytesReadByProcess() - before;
    EXPECT_EQ(lang.Translation.Count(), 0u);
    EXPECT_EQ(lang.Index.Count(), 1u);
    EXPECT_LT(read, uint64_t{1} << 20) << "bytes read: " << read;
    const auto& lines = posix::CapturedDebugLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), u"Files: " + translation + u" is larger than " +
                                 ToDecimalUnsigned(kMaxTranslationFileBytes) + u" bytes, not read");
}

TEST_F(FileLimits, TranslationAndIndexKeepTheirOwnLimits) {
    const std::string head = "MESSAGES.MESSAGE_A=Eins\r\n";
    const struct {
        uint64_t translationSize;
        uint64_t indexSize;
        bool translationLoads;
        bool indexLoads;
    } cases[] = {
        {kMaxTranslationFileBytes, kMaxIndexFileBytes, true, true},
        {kMaxTranslationFileBytes + 1, kMaxIndexFileBytes, false, true},
        {kMaxTranslationFileBytes, kMaxIndexFileBytes + 1, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.translationSize);
        SCOPED_TRACE(c.indexSize);
        lang::TLang lang;
        lang.Load_Translation(folder_.Sparse("t.nlang3", c.translationSize, head),
                              folder_.Sparse("index.txt", c.indexSize, head));
        EXPECT_EQ(lang.Translation.Count() > 0, c.translationLoads);
        EXPECT_EQ(lang.Index.Count() > 0, c.indexLoads);
    }
}

TEST_F(FileLimits, PicturesAreRefusedOverTheirLimitWithALine) {
    std::vector<uint8_t> bytes;
    const auto at = folder_.Sparse("at.png", 1000, "\x89PNG");
    EXPECT_TRUE(skin::ReadFileBytes(at, bytes, 1000));
    EXPECT_EQ(bytes.size(), 1000u);
    EXPECT_FALSE(skin::ReadFileBytes(at, bytes, 999));
    EXPECT_TRUE(bytes.empty());

    posix::ClearCaptures();
    const auto huge = folder_.Sparse("huge.png", kMaxPictureFileBytes + 1, "\x89PNG");
    toolkit::TPicture picture;
    EXPECT_FALSE(picture.LoadFromPngFile(huge));
    const std::vector<std::u16string> lines = {u"Files: " + huge + u" is larger than " +
                                               ToDecimalUnsigned(kMaxPictureFileBytes) +
                                               u" bytes, not read"};
    EXPECT_EQ(posix::CapturedDebugLines(), lines);
}

}  // namespace
}  // namespace orv::platform
