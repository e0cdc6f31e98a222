// Native file access for tests and tools: backslashes become slashes, names are UTF-8.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <new>

#include "core/Text.h"
#include "platform/Files.h"
#include "platform/System.h"

namespace orv::platform {
namespace {

bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
        if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
        if (x != y) return false;
    }
    return true;
}

// Windows paths ignore case; a native folder may not. Each component that does not exist as
// written is looked up in its folder ignoring ASCII case ("translation" finds "Translation").
std::string NativePath(std::u16string_view path) {
    std::string p = Utf16ToUtf8(path);
    for (auto& c : p) {
        if (c == '\\') c = '/';
    }
    struct stat st {};
    if (p.empty() || stat(p.c_str(), &st) == 0) return p;
    std::string out = p[0] == '/' ? "/" : "";
    size_t start = p[0] == '/' ? 1 : 0;
    while (start <= p.size()) {
        size_t end = p.find('/', start);
        if (end == std::string::npos) end = p.size();
        std::string part = p.substr(start, end - start);
        if (!part.empty()) {
            const std::string folder = out.empty() ? "." : out;
            if (stat((out + part).c_str(), &st) != 0) {
                if (DIR* d = opendir(folder.c_str())) {
                    while (const dirent* e = readdir(d)) {
                        if (SameIgnoringAsciiCase(e->d_name, part)) {
                            part = e->d_name;
                            break;
                        }
                    }
                    closedir(d);
                }
            }
            out += part;
            if (end < p.size()) out += '/';
        }
        start = end + 1;
    }
    return out;
}

char16_t FoldAscii(char16_t c) {
    return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c;
}

// Wildcard match with "*" and "?", ASCII case ignored, as the Windows file search does.
bool Matches(std::u16string_view name, std::u16string_view pattern) {
    size_t n = 0, p = 0, starP = std::u16string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() &&
            (pattern[p] == u'?' || FoldAscii(pattern[p]) == FoldAscii(name[n]))) {
            ++n, ++p;
        } else if (p < pattern.size() && pattern[p] == u'*') {
            starP = p++;
            starN = n;
        } else if (starP != std::u16string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*') ++p;
    return p == pattern.size();
}

// The size comes from the open file itself, so what is read is what was measured; growth after
// the query is not read.
bool ReadOpenFile(int fd, std::u16string_view path, std::string& bytes, uint64_t maxBytes) {
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) return false;
    if (static_cast<uint64_t>(st.st_size) > maxBytes) {
        DebugOutput(FileTooLargeLine(path, maxBytes));
        return false;
    }
    try {
        bytes.resize(static_cast<size_t>(st.st_size));
    } catch (const std::bad_alloc&) {
        return false;  // a file this big is nothing the program could use
    }
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t got = read(fd, bytes.data() + done, bytes.size() - done);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return false;
        if (got == 0) break;  // the file shrank while we read it
        done += static_cast<size_t>(got);
    }
    bytes.resize(done);
    return true;
}

class PosixFiles final : public Files {
  public:
    bool ReadWholeFile(std::u16string_view path, std::string& bytes, uint64_t maxBytes) override {
        bytes.clear();
        const int fd = open(NativePath(path).c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) return false;
        const bool ok = ReadOpenFile(fd, path, bytes, maxBytes);
        close(fd);
        if (!ok) bytes.clear();
        return ok;
    }
    bool FileExists(std::u16string_view path) override {
        struct stat st {};
        return stat(NativePath(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
    }
    bool PathExists(std::u16string_view path) override {
        struct stat st {};
        return !path.empty() && stat(NativePath(path).c_str(), &st) == 0;
    }
    bool ReplaceWithCopy(std::u16string_view from, std::u16string_view to) override {
        std::string bytes;
        if (!ReadWholeFile(from, bytes, kMaxFileBytes)) return false;
        const std::string target = NativePath(to);
        const std::string temporary = target + ".new";
        const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd < 0) return false;
        size_t done = 0;
        bool ok = true;
        while (done < bytes.size()) {
            const ssize_t put = write(fd, bytes.data() + done, bytes.size() - done);
            if (put < 0 && errno == EINTR) continue;
            if (put <= 0) {
                ok = false;
                break;
            }
            done += static_cast<size_t>(put);
        }
        if (close(fd) != 0) ok = false;
        if (ok && rename(temporary.c_str(), target.c_str()) == 0) return true;
        unlink(temporary.c_str());
        return false;
    }
    std::vector<std::u16string> ListFiles(std::u16string_view folder,
                                          std::u16string_view pattern) override {
        std::vector<std::u16string> names;
        std::string dir = NativePath(folder);
        if (dir.empty()) dir = ".";
        DIR* d = opendir(dir.c_str());
        if (d == nullptr) return names;
        while (const dirent* e = readdir(d)) {
            const std::u16string name = Utf8ToUtf16(e->d_name);
            if (!Matches(name, pattern)) continue;
            struct stat st {};
            if (stat((dir + "/" + e->d_name).c_str(), &st) != 0 || S_ISDIR(st.st_mode)) continue;
            names.push_back(name);
        }
        closedir(d);
        return names;
    }
    std::vector<std::u16string> ListFolders(std::u16string_view folder,
                                            const std::function<void()>& afterEachEntry) override {
        std::vector<std::u16string> names;
        std::string dir = NativePath(folder);
        while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
        if (dir.empty()) dir = ".";
        DIR* d = opendir(dir.c_str());
        if (d == nullptr) return names;
        while (const dirent* e = readdir(d)) {
            const std::string_view raw = e->d_name;
            struct stat st {};
            if (raw != "." && raw != ".." && stat((dir + "/" + e->d_name).c_str(), &st) == 0 &&
                S_ISDIR(st.st_mode)) {
                names.push_back(Utf8ToUtf16(raw));
            }
            if (afterEachEntry) afterEachEntry();
        }
        closedir(d);
        return names;
    }
};

Files* g_replacement = nullptr;

}  // namespace

Files& DefaultFiles() {
    static PosixFiles instance;
    return instance;
}
Files& Fs() {
    return g_replacement != nullptr ? *g_replacement : DefaultFiles();
}
void SetFiles(Files* replacement) {
    g_replacement = replacement;
}

}  // namespace orv::platform
