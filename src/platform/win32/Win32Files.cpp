// File access through the wide Windows API.
#include <windows.h>

#include <algorithm>
#include <new>

#include "platform/Files.h"
#include "platform/System.h"
#include "platform/win32/WinHandles.h"
#include "platform/win32/WinText.h"

namespace orv::platform {
namespace {

class FindHandle {
  public:
    explicit FindHandle(HANDLE h) : h_(h) {}
    ~FindHandle() {
        if (h_ != INVALID_HANDLE_VALUE) FindClose(h_);
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    HANDLE Get() const { return h_; }

  private:
    HANDLE h_;
};

class Win32Files final : public Files {
  public:
    bool ReadWholeFile(std::u16string_view path, std::string& bytes, uint64_t maxBytes) override {
        bytes.clear();
        win32::UniqueHandle file(CreateFileW(win32::Wide(path).c_str(), GENERIC_READ,
                                             FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return false;
        LARGE_INTEGER size{};
        if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0) return false;
        if (static_cast<unsigned long long>(size.QuadPart) > maxBytes) {
            DebugOutput(FileTooLargeLine(path, maxBytes));
            return false;
        }
        if (static_cast<unsigned long long>(size.QuadPart) > bytes.max_size() / 2) return false;
        try {
            bytes.resize(static_cast<size_t>(size.QuadPart));
        } catch (const std::bad_alloc&) {
            return false;  // a file this big is nothing the program could use
        }
        size_t done = 0;
        while (done < bytes.size()) {
            const DWORD want = static_cast<DWORD>(
                std::min<size_t>(bytes.size() - done, static_cast<size_t>(1) << 30));
            DWORD got = 0;
            if (!::ReadFile(file.Get(), bytes.data() + done, want, &got, nullptr)) {
                bytes.clear();
                return false;
            }
            if (got == 0) break;  // the file shrank while we read it
            done += got;
        }
        bytes.resize(done);
        // Growth after the size query is not read: the bytes end where the size said.
        return true;
    }
    bool FileExists(std::u16string_view path) override {
        const DWORD a = GetFileAttributesW(win32::Wide(path).c_str());
        return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) == 0;
    }
    bool PathExists(std::u16string_view path) override {
        return !path.empty() &&
               GetFileAttributesW(win32::Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    bool ReplaceWithCopy(std::u16string_view from, std::u16string_view to) override {
        if (!FileExists(from)) return false;
        const std::wstring target = win32::Wide(to);
        const std::wstring temporary = target + L".new";
        if (!CopyFileW(win32::Wide(from).c_str(), temporary.c_str(), FALSE)) {
            DeleteFileW(temporary.c_str());
            return false;
        }
        // A copied read-only file could not be replaced later.
        SetFileAttributesW(temporary.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (!MoveFileExW(temporary.c_str(), target.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            DeleteFileW(temporary.c_str());
            return false;
        }
        return true;
    }
    std::vector<std::u16string> ListFiles(std::u16string_view folder,
                                          std::u16string_view pattern) override {
        std::vector<std::u16string> names;
        std::u16string query(folder);
        if (!query.empty() && query.back() != u'\\') query += u'\\';
        query += pattern;
        WIN32_FIND_DATAW fd{};
        FindHandle find(FindFirstFileExW(win32::Wide(query).c_str(), FindExInfoStandard, &fd,
                                         FindExSearchNameMatch, nullptr, 0));
        if (find.Get() == INVALID_HANDLE_VALUE) return names;
        do {
            if ((fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
                names.push_back(win32::FromWide(fd.cFileName, wcslen(fd.cFileName)));
            }
        } while (FindNextFileW(find.Get(), &fd));
        return names;
    }
    std::vector<std::u16string> ListFolders(std::u16string_view folder,
                                            const std::function<void()>& afterEachEntry) override {
        std::vector<std::u16string> names;
        std::u16string query(folder);
        if (!query.empty() && query.back() != u'\\') query += u'\\';
        query += u"*.*";
        WIN32_FIND_DATAW fd{};
        FindHandle find(FindFirstFileExW(win32::Wide(query).c_str(), FindExInfoStandard, &fd,
                                         FindExSearchNameMatch, nullptr, 0));
        if (find.Get() == INVALID_HANDLE_VALUE) return names;
        do {
            const std::u16string name = win32::FromWide(fd.cFileName, wcslen(fd.cFileName));
            if ((fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 && name != u"." &&
                name != u"..") {
                names.push_back(name);
            }
            if (afterEachEntry) afterEachEntry();
        } while (FindNextFileW(find.Get(), &fd));
        return names;
    }
};

Files* g_replacement = nullptr;

}  // namespace

Files& DefaultFiles() {
    static Win32Files instance;
    return instance;
}
Files& Fs() {
    return g_replacement != nullptr ? *g_replacement : DefaultFiles();
}
void SetFiles(Files* replacement) {
    g_replacement = replacement;
}

}  // namespace orv::platform
