#pragma once
// Builds the snapshot record tree of an NTFS volume from its Master File Table, without walking
// a single folder: the table is read front to back in large chunks, every in-use record is
// parsed once, and the tree is assembled from the parent references of the file names.
// Everything read is distrusted: sizes, offsets and references are checked before use, and
// what does not check out is left out.
#include <cstdint>
#include <string_view>

#include "Arena.h"
#include "ByteSource.h"
#include "Pacer.h"
#include "analysis/UndelDLL.h"

namespace snap::ntfs {

struct MftStats {
    uint64_t records = 0;       // slots of the table that were looked at
    uint64_t inUse = 0;         // in-use base records parsed
    uint64_t badFixups = 0;     // records skipped for a failed update sequence check
    uint64_t extensions = 0;    // extension records merged through attribute lists
    uint64_t outsideLists = 0;  // attribute lists read from clusters (non-resident)
    uint64_t folders = 0;       // folder records of the tree, root included
    uint64_t files = 0;         // file records of the tree (one per name)
    uint64_t bytes = 0;         // sum of the stream sizes of the files in the tree
    uint64_t unreachable = 0;   // names whose parent is missing, not a folder or off the tree
    uint64_t mftExtents = 0;    // runs of the table's own data (more than one: fragmented)
};

// Volume geometry from the boot sector.
struct Geometry {
    uint32_t sectorSize = 0;
    uint32_t clusterSize = 0;
    uint32_t recordSize = 0;
    uint64_t totalClusters = 0;
    uint64_t mftCluster = 0;
};

// Checks the boot sector; false when it is not an NTFS boot sector with sane sizes.
bool ReadGeometry(const unsigned char* boot, size_t n, Geometry& g);

// Applies the update sequence fixups of one record in place; false when they do not match
// (a torn or corrupt record) or the record does not start with the given magic.
bool ApplyFixups(unsigned char* record, size_t size, const char magic[4]);

class MftReader {
  public:
    MftReader(Arena& arena, ByteSource& source, Pacer& pacer);
    ~MftReader();
    MftReader(const MftReader&) = delete;
    MftReader& operator=(const MftReader&) = delete;

    // The tree of the volume, root named rootName; null when the volume cannot be read as NTFS
    // up to a complete tree (the caller falls back to a folder walk), or when stopped.
    undel::TFILE_RECORD* Run(std::u16string_view rootName);

    bool Stopped() const { return pacer_.Stopped(); }
    const MftStats& Stats() const { return stats_; }
    const Geometry& Volume() const { return geo_; }

  private:
    struct Impl;
    Arena& arena_;
    ByteSource& source_;
    Pacer& pacer_;
    Geometry geo_;
    MftStats stats_;
};

}  // namespace snap::ntfs
