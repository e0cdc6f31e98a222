#include "analysis/nogui_Orvella.h"

#include <string>
#include <vector>

#include "app/Globals.h"
#include "core/Text.h"

namespace orv::analysis {

namespace {

using undel::TFILE_RECORD;

void ShowError(std::u16string_view text) {
    platform::Sys().MessageBox(nullptr, text, ProgramTitle, platform::kMbIconError);
}

constexpr std::u16string_view kAllDeleted = u"{ALL DELETED";

// Whether path, from position `from` on, contains "{ALL DELETED" in any letter case.
bool ContainsAllDeleted(std::u16string_view path, size_t from) {
    const size_t n = kAllDeleted.size();
    for (size_t i = from; i + n <= path.size(); ++i) {
        size_t k = 0;
        while (k < n) {
            char16_t c = path[i + k];
            if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - (u'a' - u'A'));
            if (c != kAllDeleted[k]) break;
            ++k;
        }
        if (k == n) return true;
    }
    return false;
}

std::u16string_view ZeroTerminated(const char16_t* s) {
    return std::u16string_view(s, std::char_traits<char16_t>::length(s));
}

int64_t StreamsSize(const TFILE_RECORD* record) {
    uint64_t sum = 0;
    for (const undel::TDATA_STREAM* s = record->Streams; s != nullptr; s = s->Next) {
        sum += s->ValidSize;
    }
    return static_cast<int64_t>(sum);
}

// Rows beneath a folder scanned with `path` (trailing backslash) can derive their FullPath
// from the folder row's exactly when path == folder's FullPath + the tree's separator.
bool ChildrenDerivable(std::u16string_view path) {
    const size_t len = path.size();
    if (len <= 3) return true;   // FullPath is the path itself, no separator
    if (len == 4) return false;  // FullPath has three characters: the tree adds no separator
    return path.back() == u'\\';
}

// Post-order over the subtree of start: every row after all rows beneath it.
template <class Visit>
void PostOrder(const ResultTree& tree, NodeId start, Visit visit) {
    NodeId cur = start;
    while (tree.FirstChild(cur) != kNoNode) cur = tree.FirstChild(cur);
    for (;;) {
        visit(cur);
        if (cur == start) return;
        const NodeId next = tree.NextSibling(cur);
        if (next != kNoNode) {
            cur = next;
            while (tree.FirstChild(cur) != kNoNode) cur = tree.FirstChild(cur);
        } else {
            cur = tree.Parent(cur);
        }
    }
}

}  // namespace

TOrvella::TOrvella(ResultTree* tree) : FTree(tree) {
    DLLHandle = platform::Sys().LoadLibrary(ProgramFolder + std::u16string(kUndeleteLibraryFile));
    if (!DLLHandle) {
        ShowError(u"Error loading Undelete-DLL! Handle=0 ?");
        return;
    }
    Undeleter = reinterpret_cast<undel::UndeleteDLLEntryW_t>(DLLHandle->Symbol(undel::kEntryName));
    if (Undeleter == nullptr) {
        ShowError(u"Error in accessing Undelete.dll!");
        return;
    }
    const auto version =
        reinterpret_cast<undel::UndeleteDLLGetVersion_t>(DLLHandle->Symbol(undel::kVersionName));
    if (version != nullptr) {
        const uint32_t v = version();
        platform::DebugOutput(u"Undeleter.dll ; Version = " + ToDecimal(v));
        platform::DebugOutput(u"Undeleter.dll ; Version = " + ToDecimal(v >> 16) + u"." +
                              ToDecimal((v >> 8) & 0xFF) + u"." + ToDecimal(v & 0xFF));
    }
}

TOrvella::~TOrvella() {
    Undeleter = nullptr;
    DLLHandle.reset();
}

undel::TUNDELETE_EXPORT_TABLE* TOrvella::Table() const {
    return Undeleter != nullptr ? Undeleter() : nullptr;
}

void TOrvella::Pump() {
    platform::Sys().ProcessMessages();
    lastPumpTick_ = platform::Sys().TickCount();
}

void TOrvella::PumpThrottled() {
    if (pumpCountdown_ > 0) {
        --pumpCountdown_;
        return;
    }
    pumpCountdown_ = PumpStride > 0 ? PumpStride - 1 : 0;
    if (PumpIntervalMs == 0) {
        platform::Sys().ProcessMessages();
        return;
    }
    const uint32_t now = platform::Sys().TickCount();
    if (now - lastPumpTick_ >= PumpIntervalMs) {
        platform::Sys().ProcessMessages();
        lastPumpTick_ = now;
    }
}

void TOrvella::DO_Drive(std::u16string_view drive) {
    Analysed_Drive = std::u16string(drive);
    RootNode = kNoNode;
    TotalFiles = 0;
    Scan_Snapshot(drive, kNoNode);
    if (FTree == nullptr) return;
    const NodeId first = FTree->GetFirst();
    CountDirsInTree(*FTree, first);
    CountFilesInTree(*FTree, first);
    CountSizeInTree(*FTree, first);
    if (first != kNoNode) TotalSize = FTree->Size(first);
}

void TOrvella::Scan_Snapshot(std::u16string_view path, NodeId parent) {
    TotalSize = 0;
    TotalFiles = 0;
    if (FTree == nullptr) return;
    FTree->Clear();
    if (Undeleter == nullptr) return;  // reported when the library was loaded

    // A table or entry the library does not hand out counts as a failure of that call.
    undel::TUNDELETE_EXPORT_TABLE* t = Table();
    const undel::HVOLUME volume = t != nullptr && t->NewVolume ? t->NewVolume() : nullptr;
    if (volume == nullptr) {
        ShowError(u"Error: Volume=nil");
        return;
    }
    const std::u16string root(path);
    t = Table();
    const bool opened = t != nullptr && t->OpenVolume && t->OpenVolume(volume, root.c_str()) != 0;
    if (!opened) {
        ShowError(u"Error: OpenVolume failed");
        // The volume object exists even though it could not be opened.
        t = Table();
        if (t != nullptr && t->FreeVolume) t->FreeVolume(volume);
        return;
    }
    t = Table();
    const undel::HSNAPSHOT snapshot =
        t != nullptr && t->NewSnapshot ? t->NewSnapshot(volume) : nullptr;
    if (snapshot == nullptr) {
        ShowError(u"Error: NewSnapShot failed");
        t = Table();
        if (t != nullptr && t->CloseVolume) t->CloseVolume(volume);
        t = Table();
        if (t != nullptr && t->FreeVolume) t->FreeVolume(volume);
        return;
    }

    if (ProgressBar != nullptr) {
        ProgressBar->SetPosition(0);
        ProgressBar->SetMax(undel::kProgressEnd);
        platform::Sys().ProcessMessages();
    }
    TFILE_RECORD* rootRecord = nullptr;
    t = Table();
    if (t != nullptr && t->UpdateSnapshot) {
        t->UpdateSnapshot(snapshot, 1, &rootRecord, &TOrvella::Snapshot_Progress, this, nullptr);
    }

    RootNode = parent;
    FTree->BeginUpdate();
    Add_Folder_Node(rootRecord, path);
    FTree->EndUpdate();

    t = Table();
    if (t != nullptr && t->FreeSnapshot) t->FreeSnapshot(snapshot);
    t = Table();
    if (t != nullptr && t->CloseVolume) t->CloseVolume(volume);
    t = Table();
    if (t != nullptr && t->FreeVolume) t->FreeVolume(volume);
}

void TOrvella::Add_Folder_Node(const TFILE_RECORD* record, std::u16string_view path) {
    // Depth first with an explicit stack: a deep tree must not exhaust the thread's stack.
    struct Frame {
        const TFILE_RECORD* record;
        NodeId row;
        int32_t next;    // index of the next entry to read
        size_t pathLen;  // this folder's path, with its trailing backslash, is path[0, pathLen)
        bool derivable;  // rows beneath derive their FullPath from this row's
    };
    std::vector<Frame> stack;
    std::u16string buf(path);
    bool stop = false;
    pumpCountdown_ = 0;
    lastPumpTick_ = platform::Sys().TickCount();

    // Adds the folder row for the path in buf; false when the folder stays out.
    auto enterFolder = [&](const TFILE_RECORD* rec, NodeId parentRow, size_t parentPathLen,
                           bool parentDerivable, size_t searchFrom) {
        PumpThrottled();
        if (ScanAbortRequested) stop = true;
        if (stop || rec == nullptr) return false;
        if (ContainsAllDeleted(buf, searchFrom)) return false;
        const size_t len = buf.size();
        NodeId row;
        if (parentDerivable && len > 3) {
            row = FTree->AddNamedChild(
                parentRow, std::u16string_view(buf).substr(parentPathLen, len - 1 - parentPathLen),
                true, 0);
        } else {
            TSizeNode r;
            r.FullPath = len > 3 ? buf.substr(0, len - 1) : buf;
            r.IsFolder = true;
            row = FTree->AddChild(parentRow, r);
        }
        if (row == kNoNode) {
            stop = true;  // out of memory: keep what was built
            return false;
        }
        stack.push_back({rec, row, 0, len, ChildrenDerivable(buf)});
        return true;
    };

    if (!enterFolder(record, RootNode, 0, false, 0)) return;
    while (!stack.empty() && !stop) {
        Frame& f = stack.back();
        const int32_t count = f.record->DirItems != nullptr ? f.record->NumDirItems : 0;
        if (f.next >= count) {
            stack.pop_back();
            if (!stack.empty()) buf.resize(stack.back().pathLen);
            continue;
        }
        const undel::TDIR_ITEM& item = f.record->DirItems[f.next++];
        if (item.FileName == nullptr || item.FileName->Name == nullptr || item.aRecord == nullptr) {
            continue;
        }
        const TFILE_RECORD* entry = item.aRecord;
        if (entry->Flags & undel::kFlagLeftOut) continue;
        PumpThrottled();
        if (ScanAbortRequested) break;
        const std::u16string_view name = ZeroTerminated(item.FileName->Name);
        if (entry->IsDir == 0) {
            const std::u16string_view trimmed = TrimBlanks(name);
            NodeId row;
            if (f.derivable) {
                row = FTree->AddNamedChild(f.row, trimmed, false, StreamsSize(entry));
            } else {
                TSizeNode r;
                r.FullPath = buf + std::u16string(trimmed);
                r.Size = StreamsSize(entry);
                row = FTree->AddChild(f.row, r);
            }
            if (row == kNoNode) break;
            ++TotalFiles;
        } else {
            const NodeId parentRow = f.row;
            const size_t parentLen = f.pathLen;
            const bool parentDerivable = f.derivable;
            RootNode = parentRow;
            buf.append(name);
            buf.push_back(u'\\');
            // Earlier parts of the path were checked when their folders were entered.
            const size_t from =
                parentLen >= kAllDeleted.size() - 1 ? parentLen - (kAllDeleted.size() - 1) : 0;
            if (!enterFolder(entry, parentRow, parentLen, parentDerivable, from)) {
                buf.resize(parentLen);
            }
        }
    }
}

undel::BOOL32 UNDEL_STDCALL TOrvella::Snapshot_Progress(int32_t cmd, const char16_t*,
                                                        int32_t progress, void* userdata) {
    auto* self = static_cast<TOrvella*>(userdata);
    switch (cmd) {
        case undel::kCmdPoll:
            platform::Sys().ProcessMessages();
            return ScanAbortRequested ? 1 : 0;
        case undel::kCmdProgress:
            if (self != nullptr && self->ProgressBar != nullptr) {
                self->ProgressBar->SetPosition(progress);
            }
            platform::Sys().ProcessMessages();
            return 1;
        case 1:
        case 3:
            return 1;
        default:
            return 0;
    }
}

uint32_t TOrvella::CountDirsInTree(ResultTree& tree, NodeId StartNode) {
    if (StartNode == kNoNode) return 0;
    PostOrder(tree, StartNode, [&](NodeId n) {
        if (!tree.IsFolder(n)) return;
        uint32_t sum = 0;
        for (NodeId c = tree.FirstChild(n); c != kNoNode; c = tree.NextSibling(c)) {
            if (tree.IsFolder(c)) sum += 1 + tree.Folders(c);
        }
        tree.SetFolders(n, sum);
    });
    return tree.Folders(StartNode);
}

uint32_t TOrvella::CountFilesInTree(ResultTree& tree, NodeId StartNode) {
    if (StartNode == kNoNode) return 0;
    PostOrder(tree, StartNode, [&](NodeId n) {
        if (!tree.IsFolder(n)) return;
        uint32_t sum = 0;
        for (NodeId c = tree.FirstChild(n); c != kNoNode; c = tree.NextSibling(c)) {
            sum += tree.IsFolder(c) ? tree.Files(c) : 1;
        }
        tree.SetFiles(n, sum);
    });
    return tree.Files(StartNode);
}

int64_t TOrvella::CountSizeInTree(ResultTree& tree, NodeId StartNode) {
    if (StartNode == kNoNode) return 0;
    PostOrder(tree, StartNode, [&](NodeId n) {
        if (!tree.IsFolder(n)) return;
        int64_t sum = 0;
        for (NodeId c = tree.FirstChild(n); c != kNoNode; c = tree.NextSibling(c)) {
            sum += tree.Size(c);
        }
        tree.SetSize(n, sum);
    });
    return tree.Size(StartNode);
}

void TOrvella::Copy_All_Files(const ResultTree& Source, ResultTree& Target) {
    // Copying a tree onto itself: gather the rows before the target is cleared.
    std::vector<TSizeNode> own;
    if (&Source == &Target) {
        ResultTree::Walker w(Source);
        while (w.Next()) {
            const NodeId n = w.Node();
            if (Source.IsFolder(n)) continue;
            own.push_back({std::u16string(w.Path()), Source.Size(n), Source.Folders(n),
                           Source.Files(n), false, Source.ImageIndex(n)});
        }
    }
    Target.BeginUpdate();
    Target.Clear();
    if (&Source == &Target) {
        for (const auto& row : own) Target.AddChild(kNoNode, row);
    } else {
        TSizeNode row;
        ResultTree::Walker w(Source);
        while (w.Next()) {
            const NodeId n = w.Node();
            if (Source.IsFolder(n)) continue;
            row.FullPath.assign(w.Path());
            row.Size = Source.Size(n);
            row.Folders = Source.Folders(n);
            row.Files = Source.Files(n);
            row.IsFolder = false;
            row.ImageIndex = Source.ImageIndex(n);
            if (Target.AddChild(kNoNode, row) == kNoNode) break;
        }
    }
    Target.EndUpdate();
}

NodeId TOrvella::FindRow(bool folders, std::u16string_view path) const {
    if (FTree == nullptr) return kNoNode;
    ResultTree::Walker w(*FTree);
    while (w.Next()) {
        const NodeId n = w.Node();
        if (FTree->IsFolder(n) != folders) continue;
        const std::u16string_view p = w.Path();
        if (p.size() == path.size() && EqualsIgnoreCaseAscii(p, path)) return n;
    }
    return kNoNode;
}

NodeId TOrvella::FindRootNodeForDir(std::u16string_view dir) const {
    return FindRow(true, dir);
}

NodeId TOrvella::FindNodeForThis(bool IsDir, std::u16string_view FullPath) const {
    return FindRow(IsDir, FullPath);
}

}  // namespace orv::analysis
