// Win32 back-end: batch enumeration with FindFirstFileExW over "\\?\" paths, so folders deeper
// than MAX_PATH are read. A folder that is a junction, link or mount point is listed but not
// entered, a file link counts 0 bytes. Sizes are the logical sizes of the unnamed data streams.
#include <windows.h>

#include <new>
#include <string>
#include <vector>

#include "Backend.h"

namespace snap {

uint64_t SystemMs() {
    return GetTickCount64();
}

namespace {

// The longest path the wide file API takes, terminator included.
constexpr size_t kMaxWidePath = 32767;

const wchar_t* Wide(const char16_t* s) {
    return reinterpret_cast<const wchar_t*>(s);
}

undel::FILETIME64 Convert(const FILETIME& t) {
    return {t.dwLowDateTime, t.dwHighDateTime};
}

// "C:\" becomes "\\?\C:\", "\\server\share" becomes "\\?\UNC\server\share\"; relative paths
// and "." or ".." parts are resolved first, since the "\\?\" form takes names literally.
// Empty when the path cannot be made absolute.
std::wstring LongForm(std::u16string_view rootPath) {
    std::wstring path(rootPath.begin(), rootPath.end());
    for (wchar_t& c : path) {
        if (c == L'/') c = L'\\';
    }
    if (path.empty()) return {};
    std::wstring result;
    if (path.rfind(L"\\\\?\\", 0) == 0) {
        result = path;
    } else {
        const DWORD need = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
        if (need == 0) return {};
        std::wstring full(need, L'\0');
        const DWORD got = GetFullPathNameW(path.c_str(), need, full.data(), nullptr);
        if (got == 0 || got >= need) return {};
        full.resize(got);
        if (full.rfind(L"\\\\", 0) == 0) {
            result = L"\\\\?\\UNC\\" + full.substr(2);
        } else {
            result = L"\\\\?\\" + full;
        }
    }
    if (result.back() != L'\\') result.push_back(L'\\');
    return result;
}

class Win32Source final : public FolderSource {
  public:
    explicit Win32Source(std::wstring root) : path_(std::move(root)) {
        // No "insert a disk" boxes for drives without media while we walk.
        SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &oldErrorMode_);
    }

    ~Win32Source() override {
        CloseFind();
        SetThreadErrorMode(oldErrorMode_, nullptr);
    }

    bool OpenRoot(Entry& info) override {
        if (path_.empty() || rootOpened_) return false;
        if (!Open()) return false;
        rootOpened_ = true;
        info.isDir = true;
        info.attr = FILE_ATTRIBUTE_DIRECTORY;
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (GetFileAttributesExW(path_.c_str(), GetFileExInfoStandard, &data)) {
            info.attr = data.dwFileAttributes | FILE_ATTRIBUTE_DIRECTORY;
            info.created = Convert(data.ftCreationTime);
            info.accessed = Convert(data.ftLastAccessTime);
            info.written = Convert(data.ftLastWriteTime);
        }
        return true;
    }

    bool Enter(std::u16string_view name) override {
        if (!rootOpened_ || name.empty()) return false;
        // Room for the name, its backslash, the "*" of the search and the terminator.
        if (path_.size() + name.size() + 3 > kMaxWidePath) return false;
        const size_t before = path_.size();
        path_.append(Wide(name.data()), name.size());
        path_.push_back(L'\\');
        CloseFind();
        if (!Open()) {
            path_.resize(before);
            return false;
        }
        lengths_.push_back(before);
        return true;
    }

    void Leave() override {
        if (lengths_.empty()) return;
        CloseFind();
        path_.resize(lengths_.back());
        lengths_.pop_back();
    }

    void List(EntrySink& sink) override {
        if (!haveData_) return;
        do {
            const wchar_t* nm = data_.cFileName;
            if (nm[0] == L'.' && (nm[1] == 0 || (nm[1] == L'.' && nm[2] == 0))) continue;
            Entry e;
            e.name = std::u16string_view(reinterpret_cast<const char16_t*>(nm));
            e.attr = data_.dwFileAttributes;
            e.isDir = (e.attr & FILE_ATTRIBUTE_DIRECTORY) != 0;
            // With the reparse attribute, dwReserved0 holds the reparse tag.
            const bool link =
                (e.attr & FILE_ATTRIBUTE_REPARSE_POINT) != 0 && !HoldsOwnContent(data_.dwReserved0);
            e.enter = e.isDir && !link;
            // A file link's size is its target's (under Wine): counting it would count twice.
            if (!e.isDir && !link) {
                e.size = (static_cast<uint64_t>(data_.nFileSizeHigh) << 32) | data_.nFileSizeLow;
            }
            e.created = Convert(data_.ftCreationTime);
            e.accessed = Convert(data_.ftLastAccessTime);
            e.written = Convert(data_.ftLastWriteTime);
            if (!sink.Add(e)) break;
        } while (find_ != INVALID_HANDLE_VALUE && FindNextFileW(find_, &data_));
        haveData_ = false;
        CloseFind();
    }

  private:
    // Starts the search of the current folder. An empty folder (a drive root has no "." entry)
    // opens with nothing to list.
    bool Open() {
        path_.push_back(L'*');
        find_ = FindFirstFileExW(path_.c_str(), FindExInfoBasic, &data_, FindExSearchNameMatch,
                                 nullptr, FIND_FIRST_EX_LARGE_FETCH);
        const DWORD error = find_ == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
        path_.pop_back();
        if (find_ != INVALID_HANDLE_VALUE) {
            haveData_ = true;
            return true;
        }
        haveData_ = false;
        return error == ERROR_FILE_NOT_FOUND;
    }

    void CloseFind() {
        if (find_ != INVALID_HANDLE_VALUE) {
            FindClose(find_);
            find_ = INVALID_HANDLE_VALUE;
        }
    }

    std::wstring path_;            // current folder with a trailing backslash
    std::vector<size_t> lengths_;  // path_ lengths of the folders entered so far
    HANDLE find_ = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAW data_{};
    bool haveData_ = false;
    bool rootOpened_ = false;
    DWORD oldErrorMode_ = 0;
};

}  // namespace

bool IsWalkableFolder(std::u16string_view rootPath) {
    const std::wstring path = LongForm(rootPath);
    if (path.empty()) return false;
    const DWORD attr = GetFileAttributesW(path.c_str());
    return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::unique_ptr<FolderSource> MakeFolderSource(std::u16string_view rootPath) {
    return std::unique_ptr<FolderSource>(new (std::nothrow) Win32Source(LongForm(rootPath)));
}

}  // namespace snap
