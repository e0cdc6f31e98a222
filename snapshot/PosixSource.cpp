// POSIX back-end: getdents64 for the names, statx per entry for type, size and times. Folders
// are opened relative to their parent (openat), so path length never matters; symbolic links
// are listed as files of size 0 and never followed; folders on another file system are
// listed but not entered.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <chrono>
#include <new>
#include <string>
#include <unordered_set>
#include <vector>

#include "Backend.h"
#include "NameCodec.h"

namespace snap {

uint64_t SystemMs() {
    using namespace std::chrono;
    return static_cast<uint64_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

namespace {

constexpr int kDirFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
// Folder descriptors kept open along the current chain; deeper trees reopen ancestors on the
// way back instead of running out of descriptors.
constexpr size_t kMaxOpenLevels = 64;
constexpr size_t kListBuffer = 64 * 1024;
constexpr uint32_t kStatMask = STATX_TYPE | STATX_SIZE | STATX_ATIME | STATX_MTIME | STATX_BTIME;

std::string RootBytes(std::u16string_view rootPath) {
    std::u16string slashed(rootPath);
    for (char16_t& c : slashed) {
        if (c == u'\\') c = u'/';
    }
    std::string bytes;
    NameFromUtf16(slashed, bytes);
    return bytes;
}

undel::FILETIME64 ToFileTime(const struct statx_timestamp& t, bool present) {
    // 100-ns units since 1601; times before that are left at 0.
    constexpr int64_t kEpochDelta = 11644473600LL;
    undel::FILETIME64 ft{};
    if (!present || t.tv_sec < -kEpochDelta) return ft;
    const uint64_t v =
        static_cast<uint64_t>(t.tv_sec + kEpochDelta) * 10000000ULL + t.tv_nsec / 100;
    ft.dwLowDateTime = static_cast<uint32_t>(v);
    ft.dwHighDateTime = static_cast<uint32_t>(v >> 32);
    return ft;
}

void FillTimes(const struct statx& sx, Entry& e) {
    e.created = ToFileTime(sx.stx_btime, (sx.stx_mask & STATX_BTIME) != 0);
    e.accessed = ToFileTime(sx.stx_atime, (sx.stx_mask & STATX_ATIME) != 0);
    e.written = ToFileTime(sx.stx_mtime, (sx.stx_mask & STATX_MTIME) != 0);
}

class PosixSource final : public FolderSource {
  public:
    explicit PosixSource(std::string root) : root_(std::move(root)) {}

    ~PosixSource() override {
        for (const Level& l : levels_) {
            if (l.fd >= 0) ::close(l.fd);
        }
    }

    bool OpenRoot(Entry& info) override {
        if (root_.empty() || !levels_.empty()) return false;
        const int fd = ::open(root_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) return false;
        struct statx sx {};
        if (::statx(fd, "", AT_EMPTY_PATH, kStatMask | STATX_INO, &sx) != 0) {
            ::close(fd);
            return false;
        }
        devMajor_ = sx.stx_dev_major;
        devMinor_ = sx.stx_dev_minor;
        levels_.push_back(Level{fd, sx.stx_ino, {}});
        chain_.insert(sx.stx_ino);
        ++openCount_;
        info.isDir = true;
        info.attr = kAttrDirectory;
        FillTimes(sx, info);
        return true;
    }

    bool Enter(std::u16string_view name) override {
        if (levels_.empty() || levels_.back().fd < 0) return false;
        std::string bytes;
        NameFromUtf16(name, bytes);
        const int fd = ::openat(levels_.back().fd, bytes.c_str(), kDirFlags);
        if (fd < 0) return false;
        uint64_t ino = 0;
        // A folder swapped for a mount or an ancestor since it was listed is not entered.
        if (!OnRootDevice(fd, ino) || chain_.count(ino) != 0) {
            ::close(fd);
            return false;
        }
        levels_.push_back(Level{fd, ino, std::move(bytes)});
        chain_.insert(ino);
        ++openCount_;
        CloseOldest();
        return true;
    }

    void Leave() override {
        if (levels_.size() < 2) return;
        Level child = std::move(levels_.back());
        levels_.pop_back();
        chain_.erase(child.ino);
        const size_t parentIndex = levels_.size() - 1;
        Level& parent = levels_[parentIndex];
        if (parent.fd < 0 && parentIndex < closedUpTo_) {
            parent.fd = Reopen(parentIndex, child.fd);
            if (parent.fd >= 0) ++openCount_;
            closedUpTo_ = parentIndex;
        }
        if (child.fd >= 0) {
            ::close(child.fd);
            --openCount_;
        }
    }

    void List(EntrySink& sink) override {
        if (levels_.empty() || levels_.back().fd < 0) return;
        const int dirFd = levels_.back().fd;
        if (buffer_.empty()) buffer_.resize(kListBuffer);
        for (;;) {
            const ssize_t n = ::getdents64(dirFd, buffer_.data(), buffer_.size());
            if (n <= 0) return;  // end, or a folder that fails part-way keeps what was read
            for (ssize_t off = 0; off < n;) {
                const auto* d = reinterpret_cast<const struct dirent64*>(buffer_.data() + off);
                off += d->d_reclen;
                const char* nm = d->d_name;
                if (nm[0] == '.' && (nm[1] == 0 || (nm[1] == '.' && nm[2] == 0))) continue;
                if (!Describe(dirFd, nm, d->d_type)) continue;
                if (!sink.Add(entry_)) return;
            }
        }
    }

  private:
    struct Level {
        int fd;  // -1 while closed to save descriptors, or when it could not be reopened
        uint64_t ino;
        std::string name;  // as listed in the parent, for reopening
    };

    bool OnRootDevice(int fd, uint64_t& ino) const {
        struct statx sx {};
        if (::statx(fd, "", AT_EMPTY_PATH, STATX_INO, &sx) != 0) return false;
        ino = sx.stx_ino;
        return sx.stx_dev_major == devMajor_ && sx.stx_dev_minor == devMinor_;
    }

    // Fills entry_ for the entry nm of dirFd; false when it vanished in between.
    bool Describe(int dirFd, const char* nm, unsigned char dtype) {
        struct statx sx {};
        const int rc = ::statx(
            dirFd, nm, AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT | AT_STATX_DONT_SYNC, kStatMask, &sx);
        name_.clear();
        NameToUtf16(nm, name_);
        entry_ = Entry{};
        entry_.name = name_;
        if (rc != 0) {
            if (errno == ENOENT) return false;
            // Known only by its listed type: no size, no times.
            entry_.isDir = dtype == DT_DIR;
            entry_.attr = entry_.isDir ? (kAttrDirectory | kAttrReparsePoint) : kAttrNormal;
            return true;
        }
        FillTimes(sx, entry_);
        if (S_ISDIR(sx.stx_mode)) {
            entry_.isDir = true;
            entry_.attr = kAttrDirectory;
            if (sx.stx_dev_major != devMajor_ || sx.stx_dev_minor != devMinor_) {
                entry_.attr |= kAttrReparsePoint;  // a mount point: another file system
            } else {
                entry_.enter = true;
            }
        } else if (S_ISLNK(sx.stx_mode)) {
            entry_.attr = kAttrReparsePoint;
        } else {
            entry_.attr = kAttrNormal;
            if (S_ISREG(sx.stx_mode)) entry_.size = sx.stx_size;
        }
        return true;
    }

    void CloseOldest() {
        while (openCount_ > kMaxOpenLevels && closedUpTo_ + 1 < levels_.size()) {
            Level& l = levels_[closedUpTo_++];
            if (l.fd >= 0) {
                ::close(l.fd);
                l.fd = -1;
                --openCount_;
            }
        }
    }

    bool IsLevel(int fd, size_t index) const {
        uint64_t ino = 0;
        return OnRootDevice(fd, ino) && ino == levels_[index].ino;
    }

    // Reopens a closed ancestor: through ".." of its child, else by names from the nearest
    // open ancestor. -1 when the folder is no longer where it was.
    int Reopen(size_t index, int childFd) {
        if (childFd >= 0) {
            const int fd = ::openat(childFd, "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            if (fd >= 0) {
                if (IsLevel(fd, index)) return fd;
                ::close(fd);
            }
        }
        size_t from = index;
        while (from > 0 && levels_[from - 1].fd < 0) --from;
        if (from == 0) return -1;  // the root is always open, so this does not happen
        int cur = levels_[from - 1].fd;
        for (size_t i = from; i <= index; ++i) {
            const int next = ::openat(cur, levels_[i].name.c_str(), kDirFlags);
            if (cur != levels_[from - 1].fd) ::close(cur);
            if (next < 0) return -1;
            cur = next;
        }
        if (IsLevel(cur, index)) return cur;
        ::close(cur);
        return -1;
    }

    std::string root_;
    uint32_t devMajor_ = 0;
    uint32_t devMinor_ = 0;
    std::vector<Level> levels_;
    size_t closedUpTo_ = 1;  // levels [1, closedUpTo_) have their descriptors closed
    size_t openCount_ = 0;
    std::unordered_set<uint64_t> chain_;  // inodes of the current chain: no cycles
    std::vector<char> buffer_;
    std::u16string name_;
    Entry entry_;
};

}  // namespace

bool IsWalkableFolder(std::u16string_view rootPath) {
    const std::string root = RootBytes(rootPath);
    if (root.empty()) return false;
    struct stat st {};
    return ::stat(root.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::unique_ptr<FolderSource> MakeFolderSource(std::u16string_view rootPath) {
    return std::unique_ptr<FolderSource>(new (std::nothrow) PosixSource(RootBytes(rootPath)));
}

}  // namespace snap
