#pragma once
// The contract with the volume-snapshot library (undelete.dll): its two exports, the table of
// 23 stdcall entries and the packed records of a snapshot. Shared by the library and the engine.
#include <cstdint>

#if defined(_WIN32) && !defined(_WIN64)
#define UNDEL_STDCALL __stdcall
#else
#define UNDEL_STDCALL
#endif

#if defined(_WIN32)
#define UNDEL_EXPORT extern "C" __declspec(dllexport)
#else
#define UNDEL_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace undel {

using BOOL32 = int32_t;
using HVOLUME = void*;
using HSNAPSHOT = void*;
using HHANDLE = void*;

#pragma pack(push, 1)

struct FILETIME64 {
    uint32_t dwLowDateTime;
    uint32_t dwHighDateTime;
};

struct TDATA_STREAM;
struct TFILE_RECORD;

struct TFILE_NAME {
    const char16_t* Name;     // zero-terminated
    const char16_t* DOSName;  // zero-terminated
    uint64_t ParentRecord;
    TFILE_NAME* Next;
};

struct TDATA_STREAM {
    const char16_t* Name;
    void* ResidentData;
    void* Ptrs;
    uint64_t Size;
    uint64_t ValidSize;
    TDATA_STREAM* Next;
};

struct TDIR_ITEM {
    TFILE_NAME* FileName;
    TFILE_RECORD* aRecord;
};

struct TFILE_RECORD {
    BOOL32 IsDir;
    uint32_t Attr;
    uint32_t Flags;  // bit 31: entry left out
    TFILE_NAME* FileNames;
    FILETIME64 TimeCreation;
    FILETIME64 TimeLastAccess;
    FILETIME64 TimeLastWrite;
    TDATA_STREAM* Streams;
    TDIR_ITEM* DirItems;
    int32_t NumDirItems;
};

#pragma pack(pop)

inline constexpr uint32_t kFlagLeftOut = 0x80000000u;

// The layout the x86 program was built against.
#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(TFILE_RECORD) == 52);
static_assert(sizeof(TDIR_ITEM) == 8);
static_assert(sizeof(TFILE_NAME) == 20);
static_assert(sizeof(TDATA_STREAM) == 32);
static_assert(__builtin_offsetof(TDATA_STREAM, Size) == 12);
static_assert(__builtin_offsetof(TDATA_STREAM, ValidSize) == 20);
static_assert(__builtin_offsetof(TFILE_RECORD, Streams) == 40);
static_assert(__builtin_offsetof(TFILE_RECORD, DirItems) == 44);
static_assert(__builtin_offsetof(TFILE_RECORD, NumDirItems) == 48);
#endif

// Progress callback commands.
inline constexpr int32_t kCmdPoll = 0;
inline constexpr int32_t kCmdProgress = 2;
inline constexpr int32_t kProgressEnd = 1100;

using TUpdateProgressCallback = BOOL32(UNDEL_STDCALL*)(int32_t cmd, const char16_t* amessage,
                                                       int32_t progress, void* userdata);

struct TUNDELETE_EXPORT_TABLE {
    void*(UNDEL_STDCALL* ListVolumes)();
    void(UNDEL_STDCALL* FreeVolumeList)(void* list);
    HVOLUME(UNDEL_STDCALL* NewVolume)();
    BOOL32(UNDEL_STDCALL* OpenVolume)(HVOLUME volume, const char16_t* rootPath);
    uint32_t(UNDEL_STDCALL* GetVolumeClusterSize)(HVOLUME volume);
    void(UNDEL_STDCALL* CloseVolume)(HVOLUME volume);
    void(UNDEL_STDCALL* FreeVolume)(HVOLUME volume);
    HHANDLE(UNDEL_STDCALL* GetDriveIcon)(HVOLUME volume);
    const char16_t*(UNDEL_STDCALL* GetVolumeName)(HVOLUME volume);
    HSNAPSHOT(UNDEL_STDCALL* NewSnapshot)(HVOLUME volume);
    BOOL32(UNDEL_STDCALL* UpdateSnapshot)(HSNAPSHOT snapshot, uint32_t flags, TFILE_RECORD** root,
                                          TUpdateProgressCallback callback, void* userdata,
                                          void* clusterMap);
    void(UNDEL_STDCALL* FreeSnapshot)(HSNAPSHOT snapshot);
    HHANDLE(UNDEL_STDCALL* NewStreamReader)(HSNAPSHOT snapshot, TDATA_STREAM* stream);
    BOOL32(UNDEL_STDCALL* ReadStreamClusters)(HHANDLE reader, void* buffer, uint32_t count);
    void(UNDEL_STDCALL* FreeStreamReader)(HHANDLE reader);
    HHANDLE(UNDEL_STDCALL* NewImportContext)(HSNAPSHOT snapshot);
    BOOL32(UNDEL_STDCALL* EncryptedFileImportCallback)(void* buffer, void* context,
                                                       uint32_t length);
    void(UNDEL_STDCALL* FreeImportContext)(HHANDLE context);
    uint64_t(UNDEL_STDCALL* GetFirstCluster)(TDATA_STREAM* stream);
    uint32_t(UNDEL_STDCALL* GetError)();
    uint32_t(UNDEL_STDCALL* GetSysError)();
    void(UNDEL_STDCALL* FreeClusterMap)(void* clusterMap);
    BOOL32(UNDEL_STDCALL* ReadVolumeClusters)(HVOLUME volume, uint64_t first, uint32_t count,
                                              void* buffer);
};

static_assert(sizeof(TUNDELETE_EXPORT_TABLE) == 23 * sizeof(void*));

using UndeleteDLLEntryW_t = TUNDELETE_EXPORT_TABLE*(UNDEL_STDCALL*)();
using UndeleteDLLGetVersion_t = uint32_t(UNDEL_STDCALL*)();

inline constexpr const char* kEntryName = "UndeleteDLLEntryW";
inline constexpr const char* kVersionName = "UndeleteDLLGetVersion";

}  // namespace undel
