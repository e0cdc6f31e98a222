#pragma once
// A temporary folder tree for the POSIX tests. Everything is created and removed relative to
// open folder descriptors, so trees deeper than PATH_MAX work too.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace snaptest {

class TempTree {
  public:
    TempTree() {
        char tmpl[] = "/tmp/orvella-snapfix-XXXXXX";
        if (::mkdtemp(tmpl)) {
            root_ = tmpl;
            ::chmod(root_.c_str(), 0755);  // other users may walk it (the unreadable case)
            rootFd_ = ::open(root_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        }
    }
    ~TempTree() {
        if (rootFd_ >= 0) {
            RemoveContents(rootFd_);
            ::close(rootFd_);
        }
        if (!root_.empty()) ::rmdir(root_.c_str());
    }
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    bool ok() const { return rootFd_ >= 0; }
    const std::string& path() const { return root_; }
    int fd() const { return rootFd_; }

    // rel is relative to the root, '/'-separated, parents must exist.
    bool Dir(const std::string& rel, mode_t mode = 0755) const {
        return ::mkdirat(rootFd_, rel.c_str(), mode) == 0 &&
               ::fchmodat(rootFd_, rel.c_str(), mode, 0) == 0;
    }
    // A file of that logical size (sparse: no data is written).
    bool File(const std::string& rel, off_t size) const { return FileAt(rootFd_, rel, size); }
    bool Link(const std::string& rel, const std::string& target) const {
        return ::symlinkat(target.c_str(), rootFd_, rel.c_str()) == 0;
    }

    static bool FileAt(int dirFd, const std::string& name, off_t size) {
        const int fd =
            ::openat(dirFd, name.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd < 0) return false;
        const bool ok = ::ftruncate(fd, size) == 0;
        ::close(fd);
        return ok;
    }

  private:
    // Depth first with an explicit stack of open descriptors.
    static void RemoveContents(int top) {
        struct Level {
            int fd;
            DIR* dir;
        };
        std::vector<Level> stack;
        auto push = [&](int fd) {
            DIR* d = ::fdopendir(fd);
            if (!d) {
                ::close(fd);
                return false;
            }
            stack.push_back({fd, d});
            return true;
        };
        if (!push(::dup(top))) return;
        std::vector<std::string> names{""};  // name of each level in its parent
        while (!stack.empty()) {
            Level& l = stack.back();
            struct dirent* e = ::readdir(l.dir);
            if (e) {
                const std::string n = e->d_name;
                if (n == "." || n == "..") continue;
                if (::unlinkat(l.fd, n.c_str(), 0) == 0) continue;
                struct stat st {};
                // Only real folders get their permissions back; a link's target is left alone.
                if (::fstatat(l.fd, n.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 ||
                    !S_ISDIR(st.st_mode))
                    continue;
                ::fchmodat(l.fd, n.c_str(), 0755, 0);
                const int sub =
                    ::openat(l.fd, n.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
                if (sub >= 0 && push(sub)) names.push_back(n);
                continue;
            }
            ::closedir(l.dir);
            stack.pop_back();
            const std::string done = names.back();
            names.pop_back();
            if (!stack.empty()) ::unlinkat(stack.back().fd, done.c_str(), AT_REMOVEDIR);
        }
    }

    std::string root_;
    int rootFd_ = -1;
};

}  // namespace snaptest
