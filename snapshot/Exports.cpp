// The two exports and the table of 23 entries. Only the volume and snapshot entries do work;
// the others exist so a caller finds every slot filled, and they fail cleanly.
#include <new>
#include <string>

#include "Backend.h"
#include "Walker.h"
#include "analysis/UndelDLL.h"
#include "ntfs/MftReader.h"
#include "ntfs/Volume.h"

using namespace undel;

namespace {

// 1.0.0, laid out as bits 16-31, 8-15 and 0-7.
constexpr uint32_t kVersion = (1u << 16) | (0u << 8) | 0u;

struct Volume {
    std::u16string root;
    bool open = false;
};

struct Snapshot {
    std::u16string root;
    snap::Arena arena;
};

HVOLUME UNDEL_STDCALL NewVolume() {
    return new (std::nothrow) Volume;
}

BOOL32 UNDEL_STDCALL OpenVolume(HVOLUME volume, const char16_t* rootPath) {
    if (!volume || !rootPath || !rootPath[0]) return 0;
    auto* v = static_cast<Volume*>(volume);
    try {
        if (!snap::IsWalkableFolder(rootPath)) return 0;
        v->root = rootPath;
    } catch (...) {
        return 0;
    }
    v->open = true;
    return 1;
}

void UNDEL_STDCALL CloseVolume(HVOLUME volume) {
    if (volume) static_cast<Volume*>(volume)->open = false;
}

void UNDEL_STDCALL FreeVolume(HVOLUME volume) {
    delete static_cast<Volume*>(volume);
}

HSNAPSHOT UNDEL_STDCALL NewSnapshot(HVOLUME volume) {
    auto* v = static_cast<Volume*>(volume);
    if (!v || !v->open) return nullptr;
    // The snapshot keeps its own copy of the root, so it outlives its volume safely.
    auto* s = new (std::nothrow) Snapshot;
    if (!s) return nullptr;
    try {
        s->root = v->root;
    } catch (...) {
        delete s;
        return nullptr;
    }
    return s;
}

// Reads the root into the snapshot's arena: an NTFS drive from its file table, anything else
// (or an NTFS drive whose volume cannot be read) by the folder walk. *root receives the root
// folder's record, also when the walk was stopped or ran out of memory (a partial but consistent
// tree); the result is 1 only for a complete walk. Folders that cannot be opened are left empty and
// do not count as failure.
BOOL32 UNDEL_STDCALL UpdateSnapshot(HSNAPSHOT snapshot, uint32_t /*flags*/, TFILE_RECORD** root,
                                    TUpdateProgressCallback callback, void* userdata,
                                    void* /*clusterMap*/) {
    if (root) *root = nullptr;
    if (!snapshot || !root) return 0;
    auto* s = static_cast<Snapshot*>(snapshot);
    s->arena.Reset();  // a second update replaces the first tree
    // An NTFS drive is read from its file table when the volume opens; anything that goes
    // wrong before the tree is complete leaves the folder walk to do the work.
    {
        std::unique_ptr<snap::ntfs::ByteSource> volume;
        try {
            volume = snap::ntfs::OpenNtfsVolume(s->root);
        } catch (...) {
        }
        if (volume) {
            snap::Pacer pacer(callback, userdata);
            snap::ntfs::MftReader reader(s->arena, *volume, pacer);
            pacer.Start();
            *root = reader.Run(s->root);
            if (*root) {
                pacer.Finish();
                return 1;
            }
            if (reader.Stopped()) return 0;  // the caller asked to stop: no walk either
            s->arena.Reset();
        }
    }
    std::unique_ptr<snap::FolderSource> source;
    try {
        source = snap::MakeFolderSource(s->root);
    } catch (...) {
        return 0;
    }
    if (!source) return 0;
    snap::Pacer pacer(callback, userdata);
    snap::Walker walker(s->arena, *source, pacer);
    *root = walker.Run(s->root);
    return *root && walker.RootOpened() && walker.Complete() ? 1 : 0;
}

void UNDEL_STDCALL FreeSnapshot(HSNAPSHOT snapshot) {
    delete static_cast<Snapshot*>(snapshot);
}

// Entries the program does not call.
void* UNDEL_STDCALL ListVolumes() {
    return nullptr;
}
void UNDEL_STDCALL FreeVolumeList(void*) {}
uint32_t UNDEL_STDCALL GetVolumeClusterSize(HVOLUME) {
    return 0;
}
HHANDLE UNDEL_STDCALL GetDriveIcon(HVOLUME) {
    return nullptr;
}
const char16_t* UNDEL_STDCALL GetVolumeName(HVOLUME) {
    return nullptr;
}
HHANDLE UNDEL_STDCALL NewStreamReader(HSNAPSHOT, TDATA_STREAM*) {
    return nullptr;
}
BOOL32 UNDEL_STDCALL ReadStreamClusters(HHANDLE, void*, uint32_t) {
    return 0;
}
void UNDEL_STDCALL FreeStreamReader(HHANDLE) {}
HHANDLE UNDEL_STDCALL NewImportContext(HSNAPSHOT) {
    return nullptr;
}
BOOL32 UNDEL_STDCALL EncryptedFileImportCallback(void*, void*, uint32_t) {
    return 0;
}
void UNDEL_STDCALL FreeImportContext(HHANDLE) {}
uint64_t UNDEL_STDCALL GetFirstCluster(TDATA_STREAM*) {
    return 0;
}
uint32_t UNDEL_STDCALL GetError() {
    return 0;
}
uint32_t UNDEL_STDCALL GetSysError() {
    return 0;
}
void UNDEL_STDCALL FreeClusterMap(void*) {}
BOOL32 UNDEL_STDCALL ReadVolumeClusters(HVOLUME, uint64_t, uint32_t, void*) {
    return 0;
}

TUNDELETE_EXPORT_TABLE gTable = {
    ListVolumes,
    FreeVolumeList,
    NewVolume,
    OpenVolume,
    GetVolumeClusterSize,
    CloseVolume,
    FreeVolume,
    GetDriveIcon,
    GetVolumeName,
    NewSnapshot,
    UpdateSnapshot,
    FreeSnapshot,
    NewStreamReader,
    ReadStreamClusters,
    FreeStreamReader,
    NewImportContext,
    EncryptedFileImportCallback,
    FreeImportContext,
    GetFirstCluster,
    GetError,
    GetSysError,
    FreeClusterMap,
    ReadVolumeClusters,
};

}  // namespace

UNDEL_EXPORT TUNDELETE_EXPORT_TABLE* UNDEL_STDCALL UndeleteDLLEntryW() {
    return &gTable;
}

UNDEL_EXPORT uint32_t UNDEL_STDCALL UndeleteDLLGetVersion() {
    return kVersion;
}
