#pragma once
// The portable part of a walk: a back-end lists folders, the walker turns what it lists into
// snapshot records in the arena. Depth first, with an explicit stack, so thousands of levels
// cost heap, not stack.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Arena.h"
#include "Pacer.h"
#include "analysis/UndelDLL.h"

namespace snap {

// Attribute bits, with the Windows values; the POSIX back-end sets them the same way.
inline constexpr uint32_t kAttrReadOnly = 0x0001;
inline constexpr uint32_t kAttrDirectory = 0x0010;
inline constexpr uint32_t kAttrNormal = 0x0080;
inline constexpr uint32_t kAttrReparsePoint = 0x0400;

// Reparse tags with the name-surrogate bit (junctions, symbolic links, mount points) stand for
// another place: such folders are not entered and such files count 0 bytes. Other reparse
// points (cloud-file placeholders, deduplicated or container files) hold their own content.
// Without a tag (0 is reserved; Wine reports its links so) it may lead anywhere: a link.
inline bool HoldsOwnContent(uint32_t reparseTag) {
    return reparseTag != 0 && (reparseTag & 0x20000000u) == 0;
}

struct Entry {
    std::u16string_view name;
    bool isDir = false;
    bool enter = false;  // a folder to walk into: not a link, junction or other file system
    uint32_t attr = 0;
    uint64_t size = 0;  // logical size of the unnamed data stream
    undel::FILETIME64 created{};
    undel::FILETIME64 accessed{};
    undel::FILETIME64 written{};
};

class EntrySink {
  public:
    // False: stop listing this folder.
    virtual bool Add(const Entry& entry) = 0;

  protected:
    ~EntrySink() = default;
};

// A back-end keeps a current folder; the walker enters children by the names they were listed
// with and leaves them again, strictly nested.
class FolderSource {
  public:
    virtual ~FolderSource() = default;
    // Makes the root current and describes it; false when it cannot be opened.
    virtual bool OpenRoot(Entry& root) = 0;
    // Makes the named child of the current folder current; false (nothing changes) when it
    // cannot be opened or must not be entered.
    virtual bool Enter(std::u16string_view name) = 0;
    virtual void Leave() = 0;
    // Hands every entry of the current folder, without "." and "..", to the sink; called once
    // after OpenRoot and after each successful Enter.
    virtual void List(EntrySink& sink) = 0;
};

struct WalkStats {
    uint64_t folders = 0;     // folder records, root included
    uint64_t files = 0;       // file records
    uint64_t bytes = 0;       // sum of file sizes
    uint64_t unreadable = 0;  // folders that could not be opened (left empty)
};

class Walker final : private EntrySink, private ProgressEstimate {
  public:
    Walker(Arena& arena, FolderSource& source, Pacer& pacer);

    // Builds the tree and returns its root (IsDir 1). Null only when the arena cannot hold the
    // root itself. Whatever happens, the tree is consistent: every count matches its array.
    undel::TFILE_RECORD* Run(std::u16string_view rootName);

    // Read to the end: neither stopped by the callback nor cut short by memory.
    bool Complete() const { return !pacer_.Stopped() && !pacer_.Abandoned(); }
    bool RootOpened() const { return rootOpened_; }
    const WalkStats& Stats() const { return stats_; }

  private:
    struct Pending {
        size_t nameOffset;
        size_t nameLength;
        bool isDir;
        bool enter;
        uint32_t attr;
        uint64_t size;
        undel::FILETIME64 created, accessed, written;
    };
    // A folder on the current chain; its children to enter are toEnter_[first, end).
    struct Frame {
        undel::TFILE_RECORD* record;
        size_t first;
        size_t end;
        size_t pos;   // next of them to enter
        bool listed;  // end is known
    };

    bool Add(const Entry& entry) override;
    double Fraction() const override;
    undel::TFILE_RECORD* NewRecord(const Entry& e, undel::TFILE_NAME*& name);
    // Lists the current folder into record; false when memory ran out.
    bool ListInto(undel::TFILE_RECORD* record);
    void Descend(undel::TFILE_RECORD* root);
    void Push(undel::TFILE_RECORD* record);

    Arena& arena_;
    FolderSource& source_;
    Pacer& pacer_;
    std::vector<Pending> pending_;  // children of the folder being listed, reused
    std::u16string pendingNames_;
    std::vector<Frame> frames_;
    std::vector<int32_t> toEnter_;  // child indices, frame after frame
    WalkStats stats_;
    bool rootOpened_ = false;
};

}  // namespace snap
