// The Win32 back-end and undelete.dll on a tree the test creates on drive C: through "\\?\"
// paths: Unicode names, a path longer than MAX_PATH, sizes above 4 GiB, a folder link.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "Backend.h"
#include "TreeCheck.h"
#include "Walker.h"
#include "analysis/UndelDLL.h"

namespace {

using undel::TFILE_RECORD;

std::wstring W(std::u16string_view s) {
    return std::wstring(s.begin(), s.end());
}
std::u16string U(std::wstring_view s) {
    return std::u16string(s.begin(), s.end());
}

const wchar_t kUnicodeName[] = L"Gr\u00f6\u00dfe \u2013 \u6587\u4ef6 \U0001F600.txt";
const wchar_t kUnicodeFolder[] = L"\u00fcn\u00efc\u00f6d\u00e9-ordner";

bool MakeFile(const std::wstring& path, uint64_t size) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER at;
    at.QuadPart = static_cast<LONGLONG>(size);
    const bool ok = SetFilePointerEx(h, at, nullptr, FILE_BEGIN) && SetEndOfFile(h);
    CloseHandle(h);
    return ok;
}

// Removes a tree given in "\\?\" form; links are removed, never followed.
void RemoveTree(const std::wstring& dir) {
    std::vector<std::pair<std::wstring, bool>> stack{{dir, false}};  // path, children done
    while (!stack.empty()) {
        auto [path, done] = stack.back();
        if (done) {
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            RemoveDirectoryW(path.c_str());
            stack.pop_back();
            continue;
        }
        stack.back().second = true;
        WIN32_FIND_DATAW fd;
        HANDLE h = FindFirstFileW((path + L"\\*").c_str(), &fd);
        if (h == INVALID_HANDLE_VALUE) continue;
        do {
            const std::wstring name = fd.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring child = path + L"\\" + name;
            if ((fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                !(fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
                stack.emplace_back(child, false);
            } else if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveDirectoryW(child.c_str());
            } else {
                SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(child.c_str());
            }
        } while (FindNextFileW(h, &fd));
        FindClose(h);
    }
}

// C:\orvella-snapfix-<pid>\ with everything the tests look for.
class Fixture {
  public:
    Fixture() {
        plain_ = L"C:\\orvella-snapfix-" + std::to_wstring(GetCurrentProcessId());
        long_ = L"\\\\?\\" + plain_;
        RemoveTree(long_);
        ok_ = Build();
    }
    ~Fixture() { RemoveTree(long_); }

    bool ok() const { return ok_; }
    // As the engine passes a root: with a trailing backslash.
    std::u16string Root() const { return U(plain_ + L"\\"); }
    const std::wstring& LongPath() const { return long_; }
    uint64_t Bytes() const { return bytes_; }
    uint64_t Files() const { return files_; }
    size_t DeepChars() const { return deepChars_; }
    const std::u16string& DeepFile() const { return deepFile_; }
    bool HasLink() const { return hasLink_; }

  private:
    bool Dir(const std::wstring& rel) {
        return CreateDirectoryW((long_ + L"\\" + rel).c_str(), nullptr) != 0;
    }
    bool File(const std::wstring& rel, uint64_t size) {
        if (!MakeFile(long_ + L"\\" + rel, size)) return false;
        bytes_ += size;
        ++files_;
        return true;
    }

    bool Build() {
        if (!CreateDirectoryW(long_.c_str(), nullptr)) return false;
        if (!File(kUnicodeName, 1234)) return false;
        if (!Dir(L"sizes") || !File(L"sizes\\zero", 0) || !File(L"sizes\\one", 1) ||
            !File(L"sizes\\over-4-gib", 5000000000ULL)) {
            return false;
        }
        if (!Dir(kUnicodeFolder) || !File(std::wstring(kUnicodeFolder) + L"\\\u65e5\u672c.txt", 10))
            return false;
        // 20 levels of 20 characters: the file's full path is well past MAX_PATH.
        std::wstring rel;
        std::u16string rel16;
        for (int i = 0; i < 20; ++i) {
            wchar_t name[32];
            swprintf(name, 32, L"level-%02d-abcdefghijk", i);
            rel += (rel.empty() ? L"" : L"\\") + std::wstring(name);
            rel16 += (rel16.empty() ? u"" : u"/") + U(name);
            if (!Dir(rel)) return false;
        }
        if (!File(rel + L"\\bottom.txt", 4242)) return false;
        deepChars_ = plain_.size() + 1 + rel.size() + 11;
        deepFile_ = rel16 + u"/bottom.txt";
        // A folder link back to the fixture itself, where the system makes one (Wine 8 answers
        // success without creating anything, so look).
        const std::wstring link = long_ + L"\\link-to-root";
        CreateSymbolicLinkW(link.c_str(), long_.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY);
        const DWORD attr = GetFileAttributesW(link.c_str());
        hasLink_ = attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_REPARSE_POINT);
        return true;
    }

    std::wstring plain_;
    std::wstring long_;
    bool ok_ = false;
    uint64_t bytes_ = 0;
    uint64_t files_ = 0;
    size_t deepChars_ = 0;
    std::u16string deepFile_;
    bool hasLink_ = false;
};

const TFILE_RECORD* Find(const snaptest::TreeSummary& s, const std::u16string& path) {
    auto it = s.byPath.find(path);
    return it == s.byPath.end() ? nullptr : it->second;
}

void CheckFixtureTree(const Fixture& f, const snaptest::TreeSummary& s) {
    ASSERT_TRUE(s.valid) << s.problem;
    EXPECT_EQ(s.bytes, f.Bytes());
    EXPECT_EQ(s.files, f.Files());
    const TFILE_RECORD* uni = Find(s, U(kUnicodeName));
    ASSERT_NE(uni, nullptr);
    EXPECT_EQ(snaptest::StreamBytes(uni), 1234u);
    EXPECT_NE(uni->TimeLastWrite.dwHighDateTime, 0u);
    EXPECT_NE(Find(s, U(kUnicodeFolder) + u"/\u65e5\u672c.txt"), nullptr);
    EXPECT_EQ(snaptest::StreamBytes(Find(s, u"sizes/over-4-gib")), 5000000000ULL);
    const TFILE_RECORD* zero = Find(s, u"sizes/zero");
    ASSERT_NE(zero, nullptr);
    EXPECT_EQ(snaptest::StreamBytes(zero), 0u);
    EXPECT_GT(f.DeepChars(), static_cast<size_t>(MAX_PATH));
    const TFILE_RECORD* deep = Find(s, f.DeepFile());
    ASSERT_NE(deep, nullptr) << "file at " << f.DeepChars() << " characters";
    EXPECT_EQ(snaptest::StreamBytes(deep), 4242u);
    if (f.HasLink()) {
        const TFILE_RECORD* link = Find(s, u"link-to-root");
        ASSERT_NE(link, nullptr);
        EXPECT_EQ(link->IsDir, 1);
        EXPECT_NE(link->Attr & FILE_ATTRIBUTE_REPARSE_POINT, 0u);
        EXPECT_EQ(link->NumDirItems, 0);
    }
}

TEST(SnapshotWin32Walk, WalksUnicodeNamesLongPathsAndLargeSizes) {
    Fixture f;
    ASSERT_TRUE(f.ok());
    if (!f.HasLink()) std::printf("note: no folder link could be created in the fixture\n");
    EXPECT_TRUE(snap::IsWalkableFolder(f.Root()));
    EXPECT_FALSE(snap::IsWalkableFolder(f.Root() + u"sizes\\one"));
    EXPECT_FALSE(snap::IsWalkableFolder(f.Root() + u"missing\\"));
    std::u16string slashed = f.Root();
    for (char16_t& c : slashed) {
        if (c == u'\\') c = u'/';
    }
    EXPECT_TRUE(snap::IsWalkableFolder(slashed));

    snap::Arena arena;
    auto source = snap::MakeFolderSource(f.Root());
    ASSERT_NE(source, nullptr);
    snap::Pacer pacer(nullptr, nullptr);
    snap::Walker walker(arena, *source, pacer);
    TFILE_RECORD* root = walker.Run(f.Root());
    EXPECT_TRUE(walker.RootOpened());
    EXPECT_TRUE(walker.Complete());
    EXPECT_EQ(walker.Stats().unreadable, 0u);
    CheckFixtureTree(f, snaptest::Summarize(root));
}

// undelete.dll beside the test executable, as the program finds it beside itself.
class Dll {
  public:
    Dll() {
        wchar_t exe[MAX_PATH];
        const DWORD n = GetModuleFileNameW(nullptr, exe, MAX_PATH);
        std::wstring folder(exe, n);
        folder.resize(folder.rfind(L'\\'));
        module_ = LoadLibraryW((folder + L"\\undelete.dll").c_str());
        if (!module_) return;
        entry_ = reinterpret_cast<undel::UndeleteDLLEntryW_t>(
            reinterpret_cast<void*>(GetProcAddress(module_, undel::kEntryName)));
        version_ = reinterpret_cast<undel::UndeleteDLLGetVersion_t>(
            reinterpret_cast<void*>(GetProcAddress(module_, undel::kVersionName)));
    }
    ~Dll() {
        if (module_) FreeLibrary(module_);
    }
    bool ok() const { return entry_ != nullptr; }
    undel::TUNDELETE_EXPORT_TABLE& T() const { return *entry_(); }
    undel::UndeleteDLLGetVersion_t version() const { return version_; }

  private:
    HMODULE module_ = nullptr;
    undel::UndeleteDLLEntryW_t entry_ = nullptr;
    undel::UndeleteDLLGetVersion_t version_ = nullptr;
};

struct Log {
    std::vector<std::pair<int32_t, int32_t>> calls;
};

undel::BOOL32 UNDEL_STDCALL Callback(int32_t cmd, const char16_t*, int32_t progress, void* ud) {
    static_cast<Log*>(ud)->calls.emplace_back(cmd, progress);
    return cmd == undel::kCmdPoll ? 0 : 1;
}

struct Analysis {
    undel::BOOL32 opened = 0;
    undel::BOOL32 updated = 0;
    snaptest::TreeSummary summary;
    Log log;
};

Analysis Analyse(const Dll& dll, const std::u16string& root) {
    Analysis a;
    undel::HVOLUME vol = dll.T().NewVolume();
    if (!vol) return a;
    a.opened = dll.T().OpenVolume(vol, root.c_str());
    if (a.opened) {
        undel::HSNAPSHOT snap = dll.T().NewSnapshot(vol);
        if (snap) {
            TFILE_RECORD* tree = nullptr;
            a.updated = dll.T().UpdateSnapshot(snap, 1, &tree, Callback, &a.log, nullptr);
            a.summary = snaptest::Summarize(tree);
            dll.T().FreeSnapshot(snap);
        }
        dll.T().CloseVolume(vol);
    }
    dll.T().FreeVolume(vol);
    return a;
}

TEST(SnapshotWin32Dll, LoadsBesideTheProgramAndDeliversTheFixtureTree) {
    Dll dll;
    ASSERT_TRUE(dll.ok()) << "LoadLibraryW/GetProcAddress failed: " << GetLastError();
    ASSERT_NE(dll.version(), nullptr);
    EXPECT_EQ(dll.version()(), 0x00010000u);
    Fixture f;
    ASSERT_TRUE(f.ok());
    Analysis a = Analyse(dll, f.Root());
    ASSERT_EQ(a.opened, 1);
    EXPECT_EQ(a.updated, 1);
    CheckFixtureTree(f, a.summary);
    ASSERT_FALSE(a.log.calls.empty());
    EXPECT_EQ(a.log.calls.back(), std::make_pair(undel::kCmdProgress, undel::kProgressEnd));
}

TEST(SnapshotWin32Dll, WalksTheDriveRootAndRefusesMissingFolders) {
    Dll dll;
    ASSERT_TRUE(dll.ok());
    Fixture f;
    ASSERT_TRUE(f.ok());
    Analysis a = Analyse(dll, u"C:\\");
    ASSERT_EQ(a.opened, 1);
    ASSERT_TRUE(a.summary.valid) << a.summary.problem;
    EXPECT_GT(a.summary.files, 100u);
    // Drive C: holds folder links (junctions on Windows; under Wine the user folders are Unix
    // links): every one is listed and none is entered.
    int links = 0;
    for (const auto& [path, rec] : a.summary.byPath) {
        if (rec->IsDir && (rec->Attr & FILE_ATTRIBUTE_REPARSE_POINT)) {
            ++links;
            EXPECT_EQ(rec->NumDirItems, 0) << snaptest::Utf8(path);
        }
    }
    EXPECT_GT(links, 0);
    // The fixture is found below the root, under its own name.
    const std::u16string fixtureName = f.Root().substr(3, f.Root().size() - 4);
    EXPECT_NE(a.summary.byPath.count(fixtureName + u"/sizes/over-4-gib"), 0u);
    int32_t last = -1;
    for (auto [cmd, value] : a.log.calls) {
        ASSERT_TRUE(cmd == undel::kCmdPoll || cmd == undel::kCmdProgress);
        if (cmd == undel::kCmdProgress) {
            EXPECT_GE(value, last);
            last = value;
        }
    }
    EXPECT_EQ(last, undel::kProgressEnd);

    undel::HVOLUME vol = dll.T().NewVolume();
    ASSERT_NE(vol, nullptr);
    const std::u16string missing = f.Root() + u"no-such-folder\\";
    EXPECT_EQ(dll.T().OpenVolume(vol, missing.c_str()), 0);
    EXPECT_EQ(dll.T().OpenVolume(vol, u"Q:\\"), 0);  // no such drive in the prefix
    EXPECT_EQ(dll.T().NewSnapshot(vol), nullptr);
    dll.T().FreeVolume(vol);
}

}  // namespace
