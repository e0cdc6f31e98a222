#include "Walker.h"

#include <cstring>
#include <limits>

namespace snap {

using undel::TDATA_STREAM;
using undel::TDIR_ITEM;
using undel::TFILE_NAME;
using undel::TFILE_RECORD;

namespace {
// Levels looked at for the progress estimate; deeper ones change it by too little to show.
constexpr size_t kEstimateDepth = 8;
}  // namespace

Walker::Walker(Arena& arena, FolderSource& source, Pacer& pacer)
    : arena_(arena), source_(source), pacer_(pacer) {}

TFILE_RECORD* Walker::NewRecord(const Entry& e, TFILE_NAME*& nameOut) {
    const bool withStream = !e.isDir && e.size > 0;
    // One piece per entry: record, name, stream and characters side by side.
    const size_t chars = (e.name.size() + 1) * sizeof(char16_t);
    const size_t bytes =
        sizeof(TFILE_RECORD) + sizeof(TFILE_NAME) + (withStream ? sizeof(TDATA_STREAM) : 0) + chars;
    auto* base = static_cast<unsigned char*>(arena_.Allocate(bytes, alignof(void*)));
    if (!base) return nullptr;
    auto* record = reinterpret_cast<TFILE_RECORD*>(base);
    auto* name = reinterpret_cast<TFILE_NAME*>(base + sizeof(TFILE_RECORD));
    unsigned char* rest = base + sizeof(TFILE_RECORD) + sizeof(TFILE_NAME);
    TDATA_STREAM* stream = nullptr;
    if (withStream) {
        stream = reinterpret_cast<TDATA_STREAM*>(rest);
        rest += sizeof(TDATA_STREAM);
    }
    auto* text = reinterpret_cast<char16_t*>(rest);
    if (!e.name.empty()) std::memcpy(text, e.name.data(), e.name.size() * sizeof(char16_t));
    // The arena hands out zeroed memory: the terminator, Flags, pointers and counts are 0.
    const char16_t* empty = text + e.name.size();

    name->Name = text;
    name->DOSName = empty;
    record->IsDir = e.isDir ? 1 : 0;
    record->Attr = e.attr;
    record->FileNames = name;
    record->TimeCreation = e.created;
    record->TimeLastAccess = e.accessed;
    record->TimeLastWrite = e.written;
    if (stream) {
        stream->Name = empty;  // the unnamed data stream
        stream->Size = e.size;
        stream->ValidSize = e.size;
        record->Streams = stream;
    }
    nameOut = name;
    return record;
}

bool Walker::Add(const Entry& e) {
    // A folder wider than the record's signed count can say is cut at that count.
    if (pending_.size() >= static_cast<size_t>(std::numeric_limits<int32_t>::max())) return false;
    pending_.push_back(Pending{pendingNames_.size(), e.name.size(), e.isDir, e.isDir && e.enter,
                               e.attr, e.size, e.created, e.accessed, e.written});
    pendingNames_.append(e.name);
    return pacer_.Tick();
}

bool Walker::ListInto(TFILE_RECORD* record) {
    pending_.clear();
    pendingNames_.clear();
    source_.List(*this);
    if (pending_.empty() || pacer_.Stopped()) return true;

    auto* items = arena_.NewArray<TDIR_ITEM>(pending_.size());
    if (!items) return false;
    record->DirItems = items;
    record->NumDirItems = 0;
    for (const Pending& p : pending_) {
        Entry e;
        e.name = std::u16string_view(pendingNames_).substr(p.nameOffset, p.nameLength);
        e.isDir = p.isDir;
        e.attr = p.attr;
        e.size = p.size;
        e.created = p.created;
        e.accessed = p.accessed;
        e.written = p.written;
        TFILE_NAME* name = nullptr;
        TFILE_RECORD* child = NewRecord(e, name);
        if (!child) return false;  // the items filled so far stay valid
        TDIR_ITEM& item = items[record->NumDirItems];
        item.FileName = name;
        item.aRecord = child;
        if (p.enter) toEnter_.push_back(record->NumDirItems);
        ++record->NumDirItems;
        if (p.isDir) {
            ++stats_.folders;
        } else {
            ++stats_.files;
            stats_.bytes += p.size;
        }
        // A very wide folder takes a while to copy as well.
        if (!pacer_.Tick()) break;
    }
    return true;
}

double Walker::Fraction() const {
    double fraction = 0;
    double scale = 1;
    const size_t depth = frames_.size() < kEstimateDepth ? frames_.size() : kEstimateDepth;
    for (size_t k = 0; k < depth; ++k) {
        const Frame& f = frames_[k];
        const int32_t n = f.record->NumDirItems;
        if (n <= 0 || !f.listed) break;
        // Below the top, the child entered last is being walked and those before it are done;
        // at the top, everything before the next child to enter is done (files take no time).
        int32_t done;
        if (k + 1 < frames_.size()) {
            done = toEnter_[f.pos - 1];
        } else {
            done = f.pos < f.end ? toEnter_[f.pos] : n;
        }
        fraction += scale * done / n;
        scale /= n;
    }
    return fraction;
}

TFILE_RECORD* Walker::Run(std::u16string_view rootName) {
    stats_ = WalkStats{};
    rootOpened_ = false;
    frames_.clear();
    toEnter_.clear();
    pacer_.SetEstimate(this);
    pacer_.Start();

    Entry rootInfo;
    bool opened = false;
    try {
        opened = source_.OpenRoot(rootInfo);
    } catch (...) {
        rootInfo = Entry{};
    }
    rootInfo.name = rootName;
    rootInfo.isDir = true;
    rootInfo.attr |= kAttrDirectory;
    TFILE_NAME* rootNameRecord = nullptr;
    TFILE_RECORD* root = NewRecord(rootInfo, rootNameRecord);
    if (!root) {
        pacer_.Abandon();
        pacer_.Finish();
        return nullptr;
    }
    ++stats_.folders;
    if (!opened) {
        ++stats_.unreadable;
        pacer_.Finish();
        return root;
    }

    rootOpened_ = true;
    try {
        Descend(root);
    } catch (...) {
        // Only growth of scratch buffers throws (bad_alloc); records are complete before linking.
        pacer_.Abandon();
    }
    pacer_.Finish();
    return root;
}

void Walker::Push(TFILE_RECORD* record) {
    const size_t at = toEnter_.size();
    frames_.push_back(Frame{record, at, at, at, false});
    if (!ListInto(record)) pacer_.Abandon();
    Frame& f = frames_.back();
    f.end = toEnter_.size();
    f.listed = true;
}

void Walker::Descend(TFILE_RECORD* root) {
    Push(root);
    while (!frames_.empty() && !pacer_.Stopped() && !pacer_.Abandoned()) {
        Frame& top = frames_.back();
        if (top.pos == top.end) {
            toEnter_.resize(top.first);
            frames_.pop_back();
            if (!frames_.empty()) source_.Leave();
            continue;
        }
        const TDIR_ITEM& item = top.record->DirItems[toEnter_[top.pos++]];
        if (!pacer_.Tick(Pacer::kFolderCost)) break;
        if (!source_.Enter(item.FileName->Name)) {
            ++stats_.unreadable;
            continue;
        }
        Push(item.aRecord);
    }
}

}  // namespace snap
