#include "toolkit/FolderList.h"

#include <algorithm>

#include "core/Text.h"
#include "platform/Files.h"
#include "platform/System.h"

namespace orv::toolkit {

std::u16string TFolderList::NormalDirectory(std::u16string_view path) {
    if (path.size() < 2 || path[1] != u':') return {};
    char16_t letter = path[0];
    if (letter >= u'a' && letter <= u'z') letter = static_cast<char16_t>(letter - u'a' + u'A');
    if (letter < u'A' || letter > u'Z') return {};
    std::u16string out{letter, u':'};
    // Runs of separators become one; none stays at the end except the root's.
    for (size_t i = 2; i < path.size(); ++i) {
        const char16_t c = path[i] == u'/' ? u'\\' : path[i];
        if (c == u'\\' && out.back() == u'\\') continue;
        if (c == 0) return {};
        out.push_back(c);
    }
    while (out.size() > 3 && out.back() == u'\\') out.pop_back();
    if (out.size() == 2) out.push_back(u'\\');
    if (out[2] != u'\\') return {};  // "C:foo" is relative to the drive's current folder
    return out;
}

bool TFolderList::SetDirectory(std::u16string_view path) {
    const std::u16string dir = NormalDirectory(path);
    // A file exists too, but is no folder to show.
    if (dir.empty() || !platform::Fs().PathExists(dir) || platform::Fs().FileExists(dir)) {
        platform::DebugOutput(u"FolderList: no such folder: " + std::u16string(path));
        return false;
    }
    const bool changed = dir != directory_;
    directory_ = dir;
    Rebuild();
    if (changed && OnChange) OnChange(this);
    return true;
}

bool TFolderList::SetDrive(char16_t letter) {
    return SetDirectory(std::u16string{letter, u':', u'\\'});
}

void TFolderList::Rebuild() {
    entries_.clear();
    // Ancestors: the root, then every folder up to the current one.
    const std::u16string root = directory_.substr(0, 3);
    entries_.push_back({root, root, 0, TFolderEntry::Ancestor});
    size_t start = 3;
    while (start < directory_.size()) {
        size_t end = directory_.find(u'\\', start);
        if (end == std::u16string::npos) end = directory_.size();
        entries_.push_back({directory_.substr(start, end - start), directory_.substr(0, end),
                            static_cast<int>(entries_.size()), TFolderEntry::Ancestor});
        start = end + 1;
    }
    entries_.back().Kind = TFolderEntry::Current;
    const int level = entries_.back().Level + 1;
    std::vector<std::u16string> names = platform::Fs().ListFolders(directory_, {});
    std::sort(names.begin(), names.end(), [](const std::u16string& a, const std::u16string& b) {
        const std::u16string ua = UpperAscii(a);
        const std::u16string ub = UpperAscii(b);
        return ua != ub ? ua < ub : a < b;
    });
    const std::u16string prefix = directory_.size() == 3 ? directory_ : directory_ + u'\\';
    for (const std::u16string& name : names) {
        entries_.push_back({name, prefix + name, level, TFolderEntry::Child});
    }
    if (view_ != nullptr) view_->EntriesChanged();
}

const TFolderEntry& TFolderList::Entry(int index) const {
    static const TFolderEntry none;
    if (index < 0 || index >= Count()) return none;
    return entries_[static_cast<size_t>(index)];
}

int TFolderList::CurrentIndex() const {
    for (int i = 0; i < Count(); ++i) {
        if (entries_[static_cast<size_t>(i)].Kind == TFolderEntry::Current) return i;
    }
    return -1;
}

bool TFolderList::Open(int index) {
    if (index < 0 || index >= Count()) return false;
    const std::u16string path = entries_[static_cast<size_t>(index)].Path;
    return SetDirectory(path);
}

}  // namespace orv::toolkit
