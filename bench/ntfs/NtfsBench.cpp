// The table reader against the folder walk on one NTFS image: the image is made with mkntfs,
// filled through an ntfs-3g mount with the given numbers of files and folders, then read both
// ways, first with the page cache dropped (cold) and again at once (warm). Prints figures only.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "Backend.h"
#include "NameCodec.h"
#include "NtfsImage.h"
#include "Walker.h"
#include "ntfs/ByteSource.h"
#include "ntfs/MftReader.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

// False when the kernel does not let us (not root, or in a container without the right).
bool DropCaches() {
    ::sync();
    std::ofstream f("/proc/sys/vm/drop_caches");
    if (!f) return false;
    f << "3\n";
    f.flush();
    return static_cast<bool>(f);
}

bool Fill(const std::string& mount, unsigned files, unsigned folders) {
    const unsigned perFolder = folders ? files / folders : files;
    unsigned made = 0;
    std::string path;
    for (unsigned d = 0; d < folders || (folders == 0 && d == 0); ++d) {
        std::string dir = mount;
        if (folders) {
            // Two levels, so the tree is not one flat list of folders.
            dir += "/group" + std::to_string(d / 100);
            ::mkdir(dir.c_str(), 0755);
            dir += "/folder" + std::to_string(d);
            if (::mkdir(dir.c_str(), 0755) != 0) return false;
        }
        const unsigned n = d + 1 == folders ? files - made : perFolder;
        for (unsigned k = 0; k < n; ++k, ++made) {
            path = dir + "/file-" + std::to_string(k) + ".dat";
            const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
            if (fd < 0) return false;
            // Small contents of a few different lengths, resident in their records.
            const size_t len = (made * 37) % 300;
            static const char zeros[300] = {};
            const bool ok = len == 0 || ::write(fd, zeros, len) == static_cast<ssize_t>(len);
            ::close(fd);
            if (!ok) return false;
        }
    }
    return true;
}

struct Figures {
    double seconds = -1;
    uint64_t entries = 0;
    uint64_t bytes = 0;
};

Figures Walk(const std::string& mount) {
    Figures f;
    std::u16string root;
    snap::NameToUtf16(mount, root);
    snap::Arena arena;
    snap::Pacer pacer(nullptr, nullptr);
    auto source = snap::MakeFolderSource(root);
    if (!source) return f;
    snap::Walker walker(arena, *source, pacer);
    const auto t0 = Clock::now();
    walker.Run(u"W:\\");
    f.seconds = Seconds(t0);
    f.entries = walker.Stats().files + walker.Stats().folders;
    f.bytes = walker.Stats().bytes;
    return f;
}

Figures Read(const std::string& image, uint64_t& records) {
    Figures f;
    snap::Arena arena;
    snap::Pacer pacer(nullptr, nullptr);
    const auto t0 = Clock::now();
    auto src = snap::ntfs::OpenImageFile(image);
    if (!src) return f;
    snap::ntfs::MftReader reader(arena, *src, pacer);
    if (!reader.Run(u"N:\\")) return f;
    f.seconds = Seconds(t0);
    f.entries = reader.Stats().files + reader.Stats().folders;
    f.bytes = reader.Stats().bytes;
    records = reader.Stats().records;
    return f;
}

void Line(const char* what, const Figures& f, uint64_t records = 0) {
    if (f.seconds < 0) {
        std::printf("%-22s failed\n", what);
        return;
    }
    std::printf("%-22s %9.3f s  %9llu entries  %12llu bytes", what, f.seconds,
                static_cast<unsigned long long>(f.entries),
                static_cast<unsigned long long>(f.bytes));
    if (records) std::printf("  %10.0f records/s", static_cast<double>(records) / f.seconds);
    std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
    const unsigned files = argc > 1 ? static_cast<unsigned>(std::atoi(argv[1])) : 200000;
    const unsigned folders = argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : 20000;
    const std::string missing = ntfstest::MissingTools();
    if (!missing.empty()) {
        std::printf("skipped: %s\n", missing.c_str());
        return 0;
    }
    // About 1.3 KiB of table and index per entry, with room to spare.
    const unsigned mb = 64 + static_cast<unsigned>((files + folders) * 4ull / 1024);
    ntfstest::NtfsImage img(mb);
    if (!img.Mount()) {
        std::printf("skipped: ntfs-3g could not mount the image\n");
        return 0;
    }
    auto t0 = Clock::now();
    if (!Fill(img.mount(), files, folders)) {
        std::printf("filling the image failed\n");
        return 1;
    }
    img.Unmount();
    std::printf("image: %u MiB volume, %u files in %u folders, filled in %.1f s\n", mb, files,
                folders, Seconds(t0));

    const bool cold = DropCaches();
    if (!cold) std::printf("note: cannot drop the page cache here; the cold runs are warm\n");
    img.Mount();
    const Figures walkCold = Walk(img.mount());
    const Figures walkWarm = Walk(img.mount());
    img.Unmount();
    DropCaches();
    uint64_t records = 0;
    const Figures readCold = Read(img.image(), records);
    const Figures readWarm = Read(img.image(), records);

    Line("walk of mount, cold", walkCold);
    Line("walk of mount, warm", walkWarm);
    Line("table reader, cold", readCold, records);
    Line("table reader, warm", readWarm, records);
    if (readCold.seconds > 0 && readWarm.seconds > 0) {
        std::printf("reader faster than the walk: cold %.1fx, warm %.1fx\n",
                    walkCold.seconds / readCold.seconds, walkWarm.seconds / readWarm.seconds);
    }
    return 0;
}
