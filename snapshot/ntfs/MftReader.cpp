#include "MftReader.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <string>
#include <unordered_set>
#include <vector>

#include "Walker.h"

namespace snap::ntfs {

using undel::TDATA_STREAM;
using undel::TDIR_ITEM;
using undel::TFILE_NAME;
using undel::TFILE_RECORD;

bool MemorySource::ReadAt(uint64_t offset, void* buffer, size_t n) {
    if (offset > size_ || n > size_ - offset) return false;
    if (n) std::memcpy(buffer, data_ + offset, n);
    return true;
}

namespace {

constexpr uint32_t kAttrStandardInfo = 0x10;
constexpr uint32_t kAttrList = 0x20;
constexpr uint32_t kAttrFileName = 0x30;
constexpr uint32_t kAttrData = 0x80;
constexpr uint32_t kAttrReparse = 0xC0;
constexpr uint32_t kAttrEnd = 0xFFFFFFFFu;

constexpr uint16_t kRecordInUse = 0x0001;
constexpr uint16_t kRecordIsDir = 0x0002;
constexpr uint8_t kNamespaceDos = 2;

constexpr uint64_t kRootRecord = 5;
constexpr uint32_t kBadClusRecord = 8;
constexpr uint64_t kRefMask = 0x0000FFFFFFFFFFFFull;
constexpr uint32_t kNone = 0xFFFFFFFFu;
// Fixups protect every 512 bytes of a record, whatever the sector size.
constexpr size_t kFixupStride = 512;
constexpr size_t kChunkBytes = 4 << 20;
// Attribute lists of real files stay far below this; a larger one is not trusted.
constexpr uint64_t kMaxAttrList = 4u << 20;
// More runs than this in one mapping pair list means a hostile list.
constexpr size_t kMaxRuns = 1u << 20;

uint16_t U16(const unsigned char* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
uint32_t U32(const unsigned char* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
uint64_t U64(const unsigned char* p) {
    return static_cast<uint64_t>(U32(p)) | (static_cast<uint64_t>(U32(p + 4)) << 32);
}

undel::FILETIME64 Time(uint64_t t) {
    return {static_cast<uint32_t>(t), static_cast<uint32_t>(t >> 32)};
}

struct Extent {
    uint64_t vcn;
    uint64_t lcn;
    uint64_t length;
    bool sparse;
};

// Decodes a mapping pairs list. Every real run must lie inside the volume; false for anything
// malformed.
bool DecodeRuns(const unsigned char* p, size_t n, uint64_t startVcn, uint64_t totalClusters,
                std::vector<Extent>& out) {
    uint64_t vcn = startVcn;
    int64_t lcn = 0;
    size_t i = 0;
    while (i < n) {
        const unsigned header = p[i++];
        if (header == 0) return true;
        const unsigned lenBytes = header & 0x0F;
        const unsigned offBytes = header >> 4;
        if (lenBytes == 0 || lenBytes > 8 || offBytes > 8 || n - i < lenBytes + offBytes)
            return false;
        uint64_t length = 0;
        for (unsigned k = 0; k < lenBytes; ++k)
            length |= static_cast<uint64_t>(p[i + k]) << (8 * k);
        i += lenBytes;
        if (length == 0 || length > totalClusters) return false;
        Extent r{vcn, 0, length, offBytes == 0};
        if (offBytes) {
            uint64_t raw = 0;
            for (unsigned k = 0; k < offBytes; ++k)
                raw |= static_cast<uint64_t>(p[i + k]) << (8 * k);
            i += offBytes;
            if (offBytes < 8 && (raw >> (8 * offBytes - 1)) & 1) raw |= ~0ull << (8 * offBytes);
            const int64_t delta = static_cast<int64_t>(raw);
            // Both stay well inside 2^63: lcn is checked against the volume every step.
            if (delta < -(int64_t(1) << 62) || delta > (int64_t(1) << 62)) return false;
            lcn += delta;
            if (lcn < 0 || static_cast<uint64_t>(lcn) > totalClusters ||
                length > totalClusters - static_cast<uint64_t>(lcn))
                return false;
            r.lcn = static_cast<uint64_t>(lcn);
        }
        if (vcn > (1ull << 48)) return false;
        vcn += length;
        if (out.size() >= kMaxRuns) return false;
        out.push_back(r);
    }
    return true;
}

// One attribute of a record, bounds already checked.
struct Attr {
    uint32_t type = 0;
    bool nonResident = false;
    uint16_t flags = 0;
    const char16_t* name = nullptr;  // unaligned; copy before use
    const unsigned char* nameBytes = nullptr;
    uint8_t nameLength = 0;
    const unsigned char* value = nullptr;  // resident
    uint32_t valueLength = 0;
    uint64_t startVcn = 0;  // non-resident
    uint64_t dataSize = 0;
    const unsigned char* runs = nullptr;
    size_t runsLength = 0;
};

// Calls f for every attribute that lies wholly inside the used part of the record; stops at
// the end marker or at the first attribute that does not.
template <class F>
void ForEachAttribute(const unsigned char* rec, size_t size, F&& f) {
    if (size < 0x30) return;
    const size_t used = std::min<size_t>(U32(rec + 0x18), size);
    size_t off = U16(rec + 0x14);
    while (off + 8 <= used) {
        const unsigned char* a = rec + off;
        const uint32_t type = U32(a);
        if (type == kAttrEnd) return;
        const uint32_t len = U32(a + 4);
        if (len < 0x18 || len > used - off) return;
        Attr at;
        at.type = type;
        at.nonResident = a[8] != 0;
        at.nameLength = a[9];
        const uint16_t nameOff = U16(a + 0x0A);
        at.flags = U16(a + 0x0C);
        if (at.nameLength && static_cast<size_t>(nameOff) + at.nameLength * 2u > len) return;
        at.nameBytes = a + nameOff;
        if (!at.nonResident) {
            const uint32_t vlen = U32(a + 0x10);
            const uint16_t voff = U16(a + 0x14);
            if (voff > len || vlen > len - voff) return;
            at.value = a + voff;
            at.valueLength = vlen;
        } else {
            if (len < 0x40) return;
            at.startVcn = U64(a + 0x10);
            at.dataSize = U64(a + 0x30);
            const uint16_t roff = U16(a + 0x20);
            if (roff > len) return;
            at.runs = a + roff;
            at.runsLength = len - roff;
        }
        f(at);
        off += len;
    }
}

std::u16string_view NameOf(const Attr& a, std::u16string& scratch) {
    scratch.resize(a.nameLength);
    for (size_t k = 0; k < a.nameLength; ++k) scratch[k] = U16(a.nameBytes + 2 * k);
    return scratch;
}

}  // namespace

bool ReadGeometry(const unsigned char* b, size_t n, Geometry& g) {
    g = Geometry{};
    if (n < 512 || std::memcmp(b + 3, "NTFS    ", 8) != 0) return false;
    const uint32_t sector = U16(b + 0x0B);
    if (sector < 256 || sector > 4096 || (sector & (sector - 1))) return false;
    const uint8_t spc = b[0x0D];
    uint64_t cluster;
    if (spc <= 0x80) {
        if (spc == 0 || (spc & (spc - 1))) return false;
        cluster = static_cast<uint64_t>(sector) * spc;
    } else {
        const unsigned shift = 256 - spc;  // large clusters: 2^shift bytes
        if (shift > 21) return false;
        cluster = 1ull << shift;
    }
    if (cluster > (2u << 20) || cluster < sector) return false;
    const int8_t cpr = static_cast<int8_t>(b[0x40]);
    uint64_t record;
    if (cpr > 0) {
        record = cluster * static_cast<uint64_t>(cpr);
    } else {
        if (cpr < -20 || cpr > -9) return false;  // 512 bytes to 1 MiB
        record = 1ull << (-cpr);
    }
    if (record < 512 || record > (1u << 20) || (record & (record - 1))) return false;
    const uint64_t sectors = U64(b + 0x28);
    const uint64_t clusters = sectors / (cluster / sector);
    const uint64_t mft = U64(b + 0x30);
    if (clusters == 0 || mft >= clusters) return false;
    g.sectorSize = sector;
    g.clusterSize = static_cast<uint32_t>(cluster);
    g.recordSize = static_cast<uint32_t>(record);
    g.totalClusters = clusters;
    g.mftCluster = mft;
    return true;
}

bool ApplyFixups(unsigned char* rec, size_t size, const char magic[4]) {
    if (size < 0x30 || size % kFixupStride != 0 || std::memcmp(rec, magic, 4) != 0) return false;
    const size_t usaOff = U16(rec + 4);
    const size_t usaCount = U16(rec + 6);
    if (usaCount != size / kFixupStride + 1 || usaOff < 0x28 || usaOff + 2 * usaCount > size)
        return false;
    const unsigned char* usa = rec + usaOff;
    for (size_t i = 1; i < usaCount; ++i) {
        unsigned char* tail = rec + i * kFixupStride - 2;
        if (tail[0] != usa[0] || tail[1] != usa[1]) return false;
    }
    // The array may lie in the first sector, so restore only after every check passed.
    for (size_t i = 1; i < usaCount; ++i) {
        unsigned char* tail = rec + i * kFixupStride - 2;
        tail[0] = usa[2 * i];
        tail[1] = usa[2 * i + 1];
    }
    return true;
}

namespace {

struct FileInfo {
    uint64_t times[3] = {0, 0, 0};  // created, written, read
    TDATA_STREAM* made = nullptr;   // the stream chain, once built for the tree
    uint32_t attr = 0;
    uint32_t reparseTag = 0;
    uint32_t firstName = kNone;
    uint32_t firstStream = kNone;
    uint16_t seq = 0;
    bool inUse = false;
    bool isDir = false;
    bool reparse = false;
    bool visited = false;
    bool streamsMade = false;
};

struct NameRef {
    uint64_t parent;
    uint32_t owner;
    uint32_t text;
    uint32_t next;
    uint16_t length;
};

struct StreamRef {
    uint64_t size;
    uint32_t text;
    uint32_t next;
    uint16_t length;
    bool sized;
};

struct PendingList {
    uint32_t base;
    std::vector<unsigned char> bytes;  // a resident list
    std::vector<Extent> runs;          // a non-resident one
    uint64_t size;
};

}  // namespace

struct MftReader::Impl final : ProgressEstimate {
    Impl(MftReader& o) : owner(o), geo(o.geo_), stats(o.stats_) {}

    MftReader& owner;
    const Geometry& geo;
    MftStats& stats;
    std::vector<Extent> mftRuns;
    uint64_t recordCount = 0;
    uint64_t done = 0;
    std::vector<FileInfo> files;
    std::vector<NameRef> names;
    std::vector<StreamRef> streams;
    std::u16string text;
    std::u16string scratch;
    std::vector<PendingList> lists;
    std::vector<unsigned char> one;  // one record

    double Fraction() const override {
        if (recordCount == 0) return 0;
        return 0.9 * static_cast<double>(done) / static_cast<double>(recordCount);
    }

    // Reads n bytes of the table's data at byte offset off through its runs.
    bool ReadMft(uint64_t off, unsigned char* buf, size_t n) {
        const uint64_t cs = geo.clusterSize;
        while (n > 0) {
            const uint64_t vcn = off / cs;
            auto it = std::upper_bound(mftRuns.begin(), mftRuns.end(), vcn,
                                       [](uint64_t v, const Extent& r) { return v < r.vcn; });
            if (it == mftRuns.begin()) return false;
            const Extent& r = *(it - 1);
            if (vcn >= r.vcn + r.length || r.sparse) return false;
            const uint64_t inRun = off - r.vcn * cs;
            const uint64_t avail = r.length * cs - inRun;
            const size_t take = static_cast<size_t>(std::min<uint64_t>(avail, n));
            if (!owner.source_.ReadAt(r.lcn * cs + inRun, buf, take)) return false;
            buf += take;
            off += take;
            n -= take;
        }
        return true;
    }

    // Reads the clusters of a non-resident attribute into out, size bytes.
    bool ReadRuns(const std::vector<Extent>& runs, uint64_t size, std::vector<unsigned char>& out) {
        const uint64_t cs = geo.clusterSize;
        out.assign(static_cast<size_t>(size), 0);
        uint64_t pos = 0;
        for (const Extent& r : runs) {
            if (pos >= size) break;
            if (r.vcn * cs != pos) return false;  // runs of one extent chain are contiguous
            const uint64_t take = std::min<uint64_t>(r.length * cs, size - pos);
            if (!r.sparse && !owner.source_.ReadAt(r.lcn * cs, out.data() + pos, take))
                return false;
            pos += take;
        }
        return pos >= size;
    }

    bool LoadRecord(uint64_t recno, std::vector<unsigned char>& buf) {
        buf.resize(geo.recordSize);
        if (recno >= recordCount && recordCount != 0) return false;
        return ReadMft(recno * geo.recordSize, buf.data(), buf.size()) &&
               ApplyFixups(buf.data(), buf.size(), "FILE");
    }

    // The table's own runs: record 0's unnamed $DATA, with the extents its attribute list
    // points to.
    bool Bootstrap() {
        const uint64_t cs = geo.clusterSize;
        one.resize(geo.recordSize);
        if (!owner.source_.ReadAt(geo.mftCluster * cs, one.data(), one.size()) ||
            !ApplyFixups(one.data(), one.size(), "FILE") ||
            !(U16(one.data() + 0x16) & kRecordInUse))
            return false;
        uint64_t dataSize = 0;
        bool sized = false;
        bool ok = true;
        std::vector<unsigned char> listBytes;
        std::vector<Extent> listRuns;
        uint64_t listSize = 0;
        bool hasList = false;
        auto takeData = [&](const Attr& a) {
            if (a.type != kAttrData || a.nameLength != 0 || !a.nonResident) return;
            if (a.startVcn == 0) {
                dataSize = a.dataSize;
                sized = true;
            }
            if (!DecodeRuns(a.runs, a.runsLength, a.startVcn, geo.totalClusters, mftRuns))
                ok = false;
        };
        ForEachAttribute(one.data(), one.size(), [&](const Attr& a) {
            takeData(a);
            if (a.type == kAttrList) {
                hasList = true;
                if (!a.nonResident) {
                    listBytes.assign(a.value, a.value + a.valueLength);
                } else if (a.startVcn == 0 && a.dataSize <= kMaxAttrList) {
                    listSize = a.dataSize;
                    if (!DecodeRuns(a.runs, a.runsLength, 0, geo.totalClusters, listRuns))
                        ok = false;
                }
            }
        });
        if (!ok || !sized || mftRuns.empty()) return false;
        SortRuns(mftRuns);
        if (hasList) {
            if (listBytes.empty() && !ReadRuns(listRuns, listSize, listBytes)) return false;
            recordCount = 0;  // LoadRecord may read anywhere the runs known so far reach
            std::unordered_set<uint64_t> seen;
            for (uint64_t ext : ListedRecords(listBytes, 0)) {
                if (!seen.insert(ext).second) continue;
                std::vector<unsigned char> rec;
                if (!LoadRecord(ext, rec) || (U64(rec.data() + 0x20) & kRefMask) != 0) continue;
                ForEachAttribute(rec.data(), rec.size(), takeData);
                if (!ok) return false;
                SortRuns(mftRuns);
            }
        }
        // Runs must cover the table from its first cluster without gaps or overlaps.
        uint64_t next = 0;
        for (const Extent& r : mftRuns) {
            if (r.vcn != next || r.sparse) return false;
            next += r.length;
            // A table larger than its volume is not believed (and would size our tables).
            if (next > geo.totalClusters) return false;
        }
        const uint64_t bytes = std::min(dataSize, next * cs);
        recordCount = bytes / geo.recordSize;
        stats.mftExtents = mftRuns.size();
        if (recordCount <= kRootRecord || recordCount >= kNone) return false;
        return true;
    }

    static void SortRuns(std::vector<Extent>& runs) {
        std::sort(runs.begin(), runs.end(),
                  [](const Extent& a, const Extent& b) { return a.vcn < b.vcn; });
    }

    // Record numbers other than base that an attribute list names.
    std::vector<uint64_t> ListedRecords(const std::vector<unsigned char>& list, uint64_t base) {
        std::vector<uint64_t> out;
        size_t off = 0;
        while (off + 0x1A <= list.size()) {
            const unsigned char* e = list.data() + off;
            const uint16_t len = U16(e + 4);
            if (len < 0x1A || len > list.size() - off) break;
            const uint64_t rec = U64(e + 0x10) & kRefMask;
            if (rec != base) out.push_back(rec);
            off += len;
        }
        return out;
    }

    uint64_t RealBytes(const Attr& a) {
        std::vector<Extent> runs;
        if (!DecodeRuns(a.runs, a.runsLength, a.startVcn, geo.totalClusters, runs)) return 0;
        uint64_t clusters = 0;
        for (const Extent& r : runs) clusters += r.sparse ? 0 : r.length;
        return std::min(clusters, geo.totalClusters) * geo.clusterSize;
    }

    uint32_t AddText(std::u16string_view s) {
        const uint32_t at = static_cast<uint32_t>(text.size());
        text.append(s);
        return at;
    }

    void AddStream(FileInfo& f, std::u16string_view name, bool sized, uint64_t size) {
        for (uint32_t k = f.firstStream; k != kNone; k = streams[k].next) {
            StreamRef& s = streams[k];
            if (std::u16string_view(text).substr(s.text, s.length) == name) {
                if (sized && !s.sized) {
                    s.size = size;
                    s.sized = true;
                }
                return;
            }
        }
        streams.push_back(StreamRef{sized ? size : 0, AddText(name), f.firstStream,
                                    static_cast<uint16_t>(name.size()), sized});
        f.firstStream = static_cast<uint32_t>(streams.size() - 1);
    }

    // Takes what the tree needs from one record (a base record, or an extension of base).
    void Parse(uint32_t base, const unsigned char* rec, size_t size, bool extension) {
        FileInfo& f = files[base];
        ForEachAttribute(rec, size, [&](const Attr& a) {
            switch (a.type) {
                case kAttrStandardInfo:
                    if (!extension && !a.nonResident && a.valueLength >= 0x24) {
                        f.times[0] = U64(a.value);
                        f.times[1] = U64(a.value + 0x08);
                        f.times[2] = U64(a.value + 0x18);
                        f.attr = U32(a.value + 0x20);
                    }
                    break;
                case kAttrFileName: {
                    if (a.nonResident || a.valueLength < 0x42) break;
                    const uint8_t len = a.value[0x40];
                    if (a.value[0x41] == kNamespaceDos || len == 0 ||
                        0x42u + 2u * len > a.valueLength)
                        break;
                    scratch.resize(len);
                    for (size_t k = 0; k < len; ++k) scratch[k] = U16(a.value + 0x42 + 2 * k);
                    if (names.size() >= kNone - 1) break;
                    names.push_back(
                        NameRef{U64(a.value), base, AddText(scratch), f.firstName, len});
                    f.firstName = static_cast<uint32_t>(names.size() - 1);
                    break;
                }
                case kAttrData: {
                    std::u16string_view name = NameOf(a, scratch);
                    if (!a.nonResident) {
                        AddStream(f, name, true, a.valueLength);
                    } else if (base == kBadClusRecord && name == u"$Bad") {
                        // Spans the whole volume, sparse but for the bad clusters: only those
                        // are its real size, else every drive would count twice its capacity.
                        AddStream(f, name, true, RealBytes(a));
                    } else {
                        AddStream(f, name, a.startVcn == 0, a.dataSize);
                    }
                    break;
                }
                case kAttrReparse:
                    f.reparse = true;
                    if (!a.nonResident && a.valueLength >= 4) f.reparseTag = U32(a.value);
                    break;
                case kAttrList:
                    if (extension) break;
                    if (!a.nonResident) {
                        lists.push_back(PendingList{
                            base,
                            std::vector<unsigned char>(a.value, a.value + a.valueLength),
                            {},
                            0});
                    } else if (a.startVcn == 0 && a.dataSize <= kMaxAttrList) {
                        PendingList p{base, {}, {}, a.dataSize};
                        if (DecodeRuns(a.runs, a.runsLength, 0, geo.totalClusters, p.runs))
                            lists.push_back(std::move(p));
                    }
                    break;
                default:
                    break;
            }
        });
    }

    bool ReadTable() {
        files.assign(static_cast<size_t>(recordCount), FileInfo{});
        const size_t rs = geo.recordSize;
        const size_t perChunk = std::max<size_t>(1, kChunkBytes / rs);
        std::vector<unsigned char> chunk(perChunk * rs);
        for (uint64_t first = 0; first < recordCount; first += perChunk) {
            const size_t count =
                static_cast<size_t>(std::min<uint64_t>(perChunk, recordCount - first));
            if (!ReadMft(first * rs, chunk.data(), count * rs)) return false;
            for (size_t k = 0; k < count; ++k) {
                ++done;
                ++stats.records;
                if (!owner.pacer_.Tick()) return false;
                unsigned char* rec = chunk.data() + k * rs;
                if (std::memcmp(rec, "FILE", 4) != 0) continue;  // never used
                if (!ApplyFixups(rec, rs, "FILE")) {
                    ++stats.badFixups;
                    continue;
                }
                const uint16_t flags = U16(rec + 0x16);
                if (!(flags & kRecordInUse) || (U64(rec + 0x20) & kRefMask) != 0) continue;
                const uint32_t recno = static_cast<uint32_t>(first + k);
                FileInfo& f = files[recno];
                f.inUse = true;
                f.isDir = (flags & kRecordIsDir) != 0;
                f.seq = U16(rec + 0x10);
                ++stats.inUse;
                Parse(recno, rec, rs, false);
            }
        }
        return true;
    }

    // Extension records, found through the attribute lists of their base records.
    bool MergeExtensions() {
        std::vector<unsigned char> list;
        std::vector<unsigned char> rec;
        for (size_t i = 0; i < lists.size(); ++i) {
            if (!owner.pacer_.Tick()) return false;
            PendingList& p = lists[i];
            if (p.runs.empty()) {
                list.swap(p.bytes);
            } else if (!ReadRuns(p.runs, p.size, list)) {
                continue;
            } else {
                ++stats.outsideLists;
            }
            std::vector<uint64_t> listed = ListedRecords(list, p.base);
            std::sort(listed.begin(), listed.end());
            listed.erase(std::unique(listed.begin(), listed.end()), listed.end());
            const uint16_t seq = files[p.base].seq;
            for (uint64_t ext : listed) {
                if (ext >= recordCount || files[ext].inUse) continue;
                if (!LoadRecord(ext, rec)) continue;
                const uint64_t back = U64(rec.data() + 0x20);
                if (!(U16(rec.data() + 0x16) & kRecordInUse) || (back & kRefMask) != p.base ||
                    (back >> 48) != seq)
                    continue;
                ++stats.extensions;
                Parse(p.base, rec.data(), rec.size(), true);
            }
        }
        lists.clear();
        return true;
    }

    TDATA_STREAM* StreamsOf(FileInfo& f, Arena& arena) {
        if (f.streamsMade) return f.made;
        f.streamsMade = true;
        // A link to another place holds no bytes of its own.
        if (f.reparse && !HoldsOwnContent(f.reparseTag)) return nullptr;
        TDATA_STREAM* head = nullptr;
        for (uint32_t k = f.firstStream; k != kNone; k = streams[k].next) {
            const StreamRef& s = streams[k];
            auto* st = arena.NewArray<TDATA_STREAM>(1);
            const char16_t* nm =
                st ? arena.CopyText(std::u16string_view(text).substr(s.text, s.length)) : nullptr;
            if (!st || !nm) return f.made = head;
            st->Name = nm;
            st->Size = s.size;
            st->ValidSize = s.size;
            st->Next = head;
            head = st;
        }
        return f.made = head;
    }

    TFILE_RECORD* NewRecord(Arena& arena, const FileInfo& f, std::u16string_view name) {
        const size_t bytes =
            sizeof(TFILE_RECORD) + sizeof(TFILE_NAME) + (name.size() + 1) * sizeof(char16_t);
        auto* base = static_cast<unsigned char*>(arena.Allocate(bytes, alignof(void*)));
        if (!base) return nullptr;
        auto* r = reinterpret_cast<TFILE_RECORD*>(base);
        auto* n = reinterpret_cast<TFILE_NAME*>(base + sizeof(TFILE_RECORD));
        auto* chars = reinterpret_cast<char16_t*>(base + sizeof(TFILE_RECORD) + sizeof(TFILE_NAME));
        if (!name.empty()) std::memcpy(chars, name.data(), name.size() * sizeof(char16_t));
        n->Name = chars;
        n->DOSName = chars + name.size();
        r->IsDir = f.isDir ? 1 : 0;
        r->Attr = f.attr | (f.isDir ? kAttrDirectory : 0u);
        r->FileNames = n;
        r->TimeCreation = Time(f.times[0]);
        r->TimeLastWrite = Time(f.times[1]);
        r->TimeLastAccess = Time(f.times[2]);
        return r;
    }

    TFILE_RECORD* Build(Arena& arena, std::u16string_view rootName) {
        if (!files[kRootRecord].inUse || !files[kRootRecord].isDir) return nullptr;
        const size_t n = files.size();
        // Children by parent, in the table's order.
        std::vector<uint32_t> start(n + 1, 0);
        auto parentOf = [&](const NameRef& nm) -> uint32_t {
            const uint64_t p = nm.parent & kRefMask;
            const uint16_t pseq = static_cast<uint16_t>(nm.parent >> 48);
            if (p >= n || p == nm.owner) return kNone;
            const FileInfo& pf = files[p];
            if (!pf.inUse || !pf.isDir || (pseq != 0 && pseq != pf.seq)) return kNone;
            return static_cast<uint32_t>(p);
        };
        for (const NameRef& nm : names) {
            const uint32_t p = parentOf(nm);
            if (p == kNone) {
                if (nm.owner != kRootRecord) ++stats.unreachable;  // the root names itself
                continue;
            }
            ++start[p + 1];
        }
        for (size_t i = 0; i < n; ++i) start[i + 1] += start[i];
        std::vector<uint32_t> children(start[n]);
        {
            std::vector<uint32_t> fill(start.begin(), start.end() - 1);
            for (uint32_t k = 0; k < names.size(); ++k) {
                const uint32_t p = parentOf(names[k]);
                if (p != kNone) children[fill[p]++] = k;
            }
        }
        FileInfo& rootInfo = files[kRootRecord];
        TFILE_RECORD* root = NewRecord(arena, rootInfo, rootName);
        if (!root) return nullptr;
        rootInfo.visited = true;
        ++stats.folders;
        std::vector<std::pair<uint32_t, TFILE_RECORD*>> queue{{kRootRecord, root}};
        uint64_t placed = 0;
        for (size_t q = 0; q < queue.size(); ++q) {
            const uint32_t dir = queue[q].first;
            TFILE_RECORD* dirRec = queue[q].second;
            const uint32_t count = start[dir + 1] - start[dir];
            if (count == 0) continue;
            if (count > static_cast<uint32_t>(std::numeric_limits<int32_t>::max())) return nullptr;
            auto* items = arena.NewArray<TDIR_ITEM>(count);
            if (!items) return nullptr;
            dirRec->DirItems = items;
            for (uint32_t c = start[dir]; c < start[dir + 1]; ++c) {
                const NameRef& nm = names[children[c]];
                FileInfo& f = files[nm.owner];
                TFILE_RECORD* r =
                    NewRecord(arena, f, std::u16string_view(text).substr(nm.text, nm.length));
                if (!r) return nullptr;
                if (f.isDir) {
                    ++stats.folders;
                    // A folder is entered once: a second name for it stays an empty folder.
                    const bool enter = !f.visited && (!f.reparse || HoldsOwnContent(f.reparseTag));
                    if (enter) {
                        f.visited = true;
                        queue.emplace_back(nm.owner, r);
                    }
                } else {
                    ++stats.files;
                    r->Streams = StreamsOf(f, arena);
                    for (const TDATA_STREAM* s = r->Streams; s; s = s->Next)
                        stats.bytes += s->ValidSize;
                }
                items[dirRec->NumDirItems].FileName = r->FileNames;
                items[dirRec->NumDirItems].aRecord = r;
                ++dirRec->NumDirItems;
                ++placed;
                if (!owner.pacer_.Tick()) return nullptr;
            }
        }
        // Names under folders that hang off the tree (a parent chain that cycles) were never
        // placed.
        stats.unreachable += start[n] - placed;
        return root;
    }
};

MftReader::MftReader(Arena& arena, ByteSource& source, Pacer& pacer)
    : arena_(arena), source_(source), pacer_(pacer) {}

MftReader::~MftReader() = default;

TFILE_RECORD* MftReader::Run(std::u16string_view rootName) {
    stats_ = MftStats{};
    unsigned char boot[512];
    if (!source_.ReadAt(0, boot, sizeof boot) || !ReadGeometry(boot, sizeof boot, geo_))
        return nullptr;
    // A volume larger than its source is a damaged or truncated image.
    if (geo_.totalClusters > source_.Size() / geo_.clusterSize + 1) return nullptr;
    try {
        Impl impl(*this);
        pacer_.SetEstimate(&impl);
        TFILE_RECORD* root = nullptr;
        if (impl.Bootstrap() && impl.ReadTable() && impl.MergeExtensions())
            root = impl.Build(arena_, rootName);
        pacer_.SetEstimate(nullptr);
        return root;
    } catch (...) {
        // Only growth of the scratch tables throws; the caller falls back.
        pacer_.SetEstimate(nullptr);
        return nullptr;
    }
}

}  // namespace snap::ntfs
