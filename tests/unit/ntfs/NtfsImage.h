#pragma once
// A sparse image file formatted with mkntfs and mounted with ntfs-3g in a fresh temporary
// folder. The mount is always released in the destructor, also when a test fails half-way.
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>

namespace ntfstest {

inline bool HaveTool(const char* name) {
    const std::string cmd = std::string("command -v ") + name + " >/dev/null 2>&1";
    return std::system(cmd.c_str()) == 0;
}

// Empty when the tools are there, else why the tests cannot run.
inline std::string MissingTools() {
    if (!HaveTool("mkntfs")) return "mkntfs is not installed (Debian package ntfs-3g)";
    if (!HaveTool("ntfs-3g")) return "ntfs-3g is not installed";
    if (::access("/dev/fuse", R_OK | W_OK) != 0) return "/dev/fuse is not usable";
    return {};
}

class NtfsImage {
  public:
    // sizeMb: size of the volume; the image stays sparse.
    explicit NtfsImage(unsigned sizeMb) {
        char tmpl[] = "/tmp/orvella-ntfsimg-XXXXXX";
        if (!::mkdtemp(tmpl)) return;
        dir_ = tmpl;
        image_ = dir_ + "/volume.img";
        mount_ = dir_ + "/mnt";
        if (::mkdir(mount_.c_str(), 0755) != 0) return;
        if (::truncate(image_.c_str(), 0) != 0) {
            std::ofstream(image_).close();
        }
        if (::truncate(image_.c_str(), static_cast<off_t>(sizeMb) << 20) != 0) return;
        formatted_ = Run("mkntfs -F -Q -s 512 -c 4096 '" + image_ + "' >/dev/null 2>&1");
    }
    ~NtfsImage() {
        Unmount();
        if (!dir_.empty()) Run("rm -rf '" + dir_ + "'");
    }
    NtfsImage(const NtfsImage&) = delete;
    NtfsImage& operator=(const NtfsImage&) = delete;

    bool Formatted() const { return formatted_; }
    bool Mount() {
        if (mounted_ || !formatted_) return mounted_;
        mounted_ = Run("ntfs-3g -o streams_interface=windows,compression '" + image_ + "' '" +
                       mount_ + "' >/dev/null 2>&1");
        return mounted_;
    }
    // Waits until ntfs-3g has written everything back and let go of the image.
    bool Unmount() {
        if (!mounted_) return true;
        if (Run("umount '" + mount_ + "' 2>/dev/null") ||
            Run("fusermount -u '" + mount_ + "' 2>/dev/null")) {
            mounted_ = false;
            // ntfs-3g may still be closing the image after the unmount returns.
            for (int i = 0; i < 100 && Run("fuser -s '" + image_ + "' 2>/dev/null"); ++i)
                ::usleep(50000);
        }
        return !mounted_;
    }
    // Runs a shell command inside the mounted volume.
    bool Shell(const std::string& script) const { return Run("cd '" + mount_ + "' && " + script); }

    const std::string& image() const { return image_; }
    const std::string& mount() const { return mount_; }

    static bool Run(const std::string& cmd) {
        const int rc = std::system(cmd.c_str());
        return rc != -1 && WIFEXITED(rc) && WEXITSTATUS(rc) == 0;
    }

  private:
    std::string dir_;
    std::string image_;
    std::string mount_;
    bool formatted_ = false;
    bool mounted_ = false;
};

}  // namespace ntfstest
