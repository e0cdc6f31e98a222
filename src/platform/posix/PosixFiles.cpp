// Native file access for tests and tools: backslashes become slashes, names are UTF-8.
#include <dirent.h>
#include <sys/stat.h>

#include <fstream>
#include <iterator>
#include <new>

#include "core/Text.h"
#include "platform/Files.h"

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

class PosixFiles final : public Files {
  public:
    bool ReadWholeFile(std::u16string_view path, std::string& bytes) override {
        bytes.clear();
        if (!FileExists(path)) return false;
        std::ifstream in(NativePath(path), std::ios::binary);
        if (!in) return false;
        try {
            bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        } catch (const std::bad_alloc&) {
            bytes.clear();
            return false;  // a file this big is nothing the program could use
        }
        return !in.bad();
    }
    bool FileExists(std::u16string_view path) override {
        struct stat st {};
        return stat(NativePath(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
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
