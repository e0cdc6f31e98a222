#pragma once
// Walks a snapshot record tree the way a careful consumer would and reports the first thing
// that is wrong with it: null pointers inside a counted array, negative counts, files with
// children, set Flags, streams whose sizes disagree. Also collects per-path records for lookups.
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "NameCodec.h"
#include "analysis/UndelDLL.h"

namespace snaptest {

// Records are packed, so their members may sit off alignment: compare copies, never bind
// references (as EXPECT_EQ does) to the members themselves.
template <class T>
T Copy(T value) {
    return value;
}

struct TreeSummary {
    bool valid = true;
    std::string problem;
    uint64_t folders = 0;  // root included
    uint64_t files = 0;
    uint64_t bytes = 0;  // sum of ValidSize over all streams
    size_t maxDepth = 0;
    // Relative path ("a/b/c.txt", separator '/') to record; filled when asked for.
    std::map<std::u16string, const undel::TFILE_RECORD*> byPath;
};

inline TreeSummary Summarize(const undel::TFILE_RECORD* root, bool collectPaths = true) {
    TreeSummary s;
    auto fail = [&](std::string why) {
        if (s.valid) s.problem = std::move(why);
        s.valid = false;
    };
    if (!root) {
        fail("null root");
        return s;
    }
    if (!root->IsDir) fail("root is not a folder");
    struct Item {
        const undel::TFILE_RECORD* rec;
        std::u16string path;
        size_t depth;
    };
    std::vector<Item> stack{{root, u"", 0}};
    while (!stack.empty()) {
        Item it = std::move(stack.back());
        stack.pop_back();
        const undel::TFILE_RECORD* r = it.rec;
        if (r->Flags != 0) fail("Flags set");
        if (!r->FileNames || !r->FileNames->Name || !r->FileNames->DOSName) fail("missing name");
        if (it.depth > s.maxDepth) s.maxDepth = it.depth;
        uint64_t own = 0;
        for (const undel::TDATA_STREAM* st = r->Streams; st; st = st->Next) {
            if (st->Size != st->ValidSize) fail("Size and ValidSize differ");
            own += st->ValidSize;
        }
        s.bytes += own;
        if (collectPaths && it.depth > 0) s.byPath[it.path] = r;
        if (!r->IsDir) {
            ++s.files;
            if (r->NumDirItems != 0 || r->DirItems) fail("file with children");
            continue;
        }
        ++s.folders;
        if (r->Streams) fail("folder with a stream");
        if (r->NumDirItems < 0) fail("negative NumDirItems");
        if (r->NumDirItems > 0 && !r->DirItems) fail("counted items without an array");
        for (int32_t i = r->NumDirItems - 1; i >= 0; --i) {
            const undel::TDIR_ITEM& d = r->DirItems[i];
            if (!d.FileName || !d.aRecord || !d.FileName->Name) {
                fail("null entry inside the counted array");
                continue;
            }
            if (d.aRecord->FileNames != d.FileName) fail("item name and record name differ");
            std::u16string path;
            if (collectPaths) {
                path = it.path;
                if (!path.empty()) path += u'/';
                path += d.FileName->Name;
            }
            stack.push_back(Item{d.aRecord, std::move(path), it.depth + 1});
        }
    }
    return s;
}

// Names of the direct children of a folder record.
inline std::vector<std::u16string> ChildNames(const undel::TFILE_RECORD* r) {
    std::vector<std::u16string> names;
    for (int32_t i = 0; r && i < r->NumDirItems; ++i)
        names.emplace_back(r->DirItems[i].FileName->Name);
    return names;
}

// For messages.
inline std::string Utf8(std::u16string_view s) {
    std::string out;
    snap::NameFromUtf16(s, out);
    return out;
}

inline uint64_t StreamBytes(const undel::TFILE_RECORD* r) {
    uint64_t n = 0;
    for (const undel::TDATA_STREAM* st = r ? r->Streams : nullptr; st; st = st->Next)
        n += st->ValidSize;
    return n;
}

}  // namespace snaptest
