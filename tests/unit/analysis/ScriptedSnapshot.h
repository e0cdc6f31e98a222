#pragma once
// A scripted stand-in for the snapshot library: hand-made records, a function table whose
// entries log their calls, and a System that "loads" it. Used by the engine tests and the
// engine benchmark.
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "analysis/UndelDLL.h"
#include "platform/System.h"

namespace orv::testing {

// Records with stable addresses, valid as long as the builder lives.
class SnapshotBuilder {
  public:
    undel::TFILE_RECORD* NewRecord(bool isDir, uint32_t flags = 0) {
        undel::TFILE_RECORD& r = records_.emplace_back();
        r = {};
        r.IsDir = isDir ? 1 : 0;
        r.Flags = flags;
        return &r;
    }
    void AddStream(undel::TFILE_RECORD* file, uint64_t validSize, uint64_t size = 0) {
        undel::TDATA_STREAM& s = streams_.emplace_back();
        s = {};
        s.Size = size;
        s.ValidSize = validSize;
        // Packed members: no pointers to them, only plain reads and writes.
        if (file->Streams == nullptr) {
            file->Streams = &s;
            return;
        }
        undel::TDATA_STREAM* last = file->Streams;
        while (last->Next != nullptr) last = last->Next;
        last->Next = &s;
    }
    // Appends an entry to dir; a null name gives an entry without a TFILE_NAME.
    void AddEntry(undel::TFILE_RECORD* dir, const char16_t* name, undel::TFILE_RECORD* rec) {
        undel::TDIR_ITEM item{};
        if (name != nullptr) {
            const std::u16string& text = names_.emplace_back(name);
            undel::TFILE_NAME& fn = fileNames_.emplace_back();
            fn = {};
            fn.Name = text.c_str();
            fn.DOSName = text.c_str();
            item.FileName = &fn;
        }
        item.aRecord = rec;
        auto& list = ItemsOf(dir);
        list.push_back(item);
        dir->DirItems = list.data();
        dir->NumDirItems = static_cast<int32_t>(list.size());
    }
    void AddEntryWithNullName(undel::TFILE_RECORD* dir, undel::TFILE_RECORD* rec) {
        undel::TFILE_NAME& fn = fileNames_.emplace_back();
        fn = {};
        undel::TDIR_ITEM item{&fn, rec};
        auto& list = ItemsOf(dir);
        list.push_back(item);
        dir->DirItems = list.data();
        dir->NumDirItems = static_cast<int32_t>(list.size());
    }

  private:
    std::vector<undel::TDIR_ITEM>& ItemsOf(undel::TFILE_RECORD* dir) { return items_[dir]; }
    std::deque<undel::TFILE_RECORD> records_;
    std::deque<undel::TDATA_STREAM> streams_;
    std::deque<undel::TFILE_NAME> fileNames_;
    std::deque<std::u16string> names_;
    std::unordered_map<undel::TFILE_RECORD*, std::vector<undel::TDIR_ITEM>> items_;
};

// A description of a record tree, for tables of cases.
struct Entry {
    std::u16string name;
    bool isDir = false;
    std::vector<uint64_t> streams;  // ValidSize of each stream, files only
    std::vector<Entry> children;
    uint32_t flags = 0;
};
inline Entry File(std::u16string name, std::vector<uint64_t> streams = {}, uint32_t flags = 0) {
    return {std::move(name), false, std::move(streams), {}, flags};
}
inline Entry Dir(std::u16string name, std::vector<Entry> children = {}, uint32_t flags = 0) {
    return {std::move(name), true, {}, std::move(children), flags};
}

// Builds the records of root's children under a new folder record and returns it.
inline undel::TFILE_RECORD* BuildTree(SnapshotBuilder& b, const std::vector<Entry>& children) {
    undel::TFILE_RECORD* root = b.NewRecord(true);
    std::function<void(undel::TFILE_RECORD*, const std::vector<Entry>&)> fill =
        [&](undel::TFILE_RECORD* dir, const std::vector<Entry>& list) {
            for (const Entry& e : list) {
                undel::TFILE_RECORD* rec = b.NewRecord(e.isDir, e.flags);
                for (uint64_t s : e.streams) b.AddStream(rec, s, s + 7);
                if (e.isDir) fill(rec, e.children);
                b.AddEntry(dir, e.name.c_str(), rec);
            }
        };
    fill(root, children);
    return root;
}

// What the scripted library does and what it saw. One instance at a time (the table's
// entries are plain functions).
struct LibraryScript {
    // Behaviour
    bool loadable = true;
    bool hasEntry = true;
    bool hasVersion = true;
    uint32_t version = 0x00010203;
    bool newVolumeFails = false;
    bool openVolumeFails = false;
    bool newSnapshotFails = false;
    undel::TFILE_RECORD* root = nullptr;
    // (cmd, progress) pairs UpdateSnapshot sends to the callback; it stops after a true
    // answer to cmd 0.
    std::vector<std::pair<int32_t, int32_t>> callbacks;
    // Runs inside UpdateSnapshot before the callbacks (e.g. to build the records) and inside
    // FreeSnapshot before the release.
    std::function<void()> onUpdate;
    std::function<void()> onFree;

    // Observations
    std::vector<std::string> calls;
    int entryCalls = 0;
    std::u16string openedRoot;
    std::u16string loadedPath;
    uint32_t updateFlags = 0;
    void* updateUserdata = nullptr;
    void* updateClusterMap = reinterpret_cast<void*>(1);
    bool callbackWasSet = false;
    std::vector<undel::BOOL32> answers;
    bool unloaded = false;
};

inline LibraryScript& Script();

// The table entries.
namespace scripted {
inline char g_volume, g_snapshot;
inline undel::HVOLUME UNDEL_STDCALL NewVolume() {
    Script().calls.push_back("NewVolume");
    return Script().newVolumeFails ? nullptr : &g_volume;
}
inline undel::BOOL32 UNDEL_STDCALL OpenVolume(undel::HVOLUME v, const char16_t* root) {
    Script().calls.push_back(v == &g_volume ? "OpenVolume" : "OpenVolume(bad handle)");
    Script().openedRoot = root != nullptr ? root : u"(null)";
    return Script().openVolumeFails ? 0 : 1;
}
inline void UNDEL_STDCALL CloseVolume(undel::HVOLUME v) {
    Script().calls.push_back(v == &g_volume ? "CloseVolume" : "CloseVolume(bad handle)");
}
inline void UNDEL_STDCALL FreeVolume(undel::HVOLUME v) {
    Script().calls.push_back(v == &g_volume ? "FreeVolume" : "FreeVolume(bad handle)");
}
inline undel::HSNAPSHOT UNDEL_STDCALL NewSnapshot(undel::HVOLUME v) {
    Script().calls.push_back(v == &g_volume ? "NewSnapshot" : "NewSnapshot(bad handle)");
    return Script().newSnapshotFails ? nullptr : &g_snapshot;
}
inline undel::BOOL32 UNDEL_STDCALL UpdateSnapshot(undel::HSNAPSHOT s, uint32_t flags,
                                                  undel::TFILE_RECORD** root,
                                                  undel::TUpdateProgressCallback cb, void* userdata,
                                                  void* clusterMap) {
    LibraryScript& sc = Script();
    sc.calls.push_back(s == &g_snapshot ? "UpdateSnapshot" : "UpdateSnapshot(bad handle)");
    sc.updateFlags = flags;
    sc.updateUserdata = userdata;
    sc.updateClusterMap = clusterMap;
    sc.callbackWasSet = cb != nullptr;
    if (sc.onUpdate) sc.onUpdate();
    for (auto [cmd, progress] : sc.callbacks) {
        if (cb == nullptr) break;
        const undel::BOOL32 answer = cb(cmd, u"", progress, userdata);
        sc.answers.push_back(answer);
        if (cmd == undel::kCmdPoll && answer != 0) break;
    }
    if (root != nullptr) *root = sc.root;
    return 1;
}
inline void UNDEL_STDCALL FreeSnapshot(undel::HSNAPSHOT s) {
    Script().calls.push_back(s == &g_snapshot ? "FreeSnapshot" : "FreeSnapshot(bad handle)");
    if (Script().onFree) Script().onFree();
}
inline undel::TUNDELETE_EXPORT_TABLE* UNDEL_STDCALL Entry() {
    static undel::TUNDELETE_EXPORT_TABLE table = [] {
        undel::TUNDELETE_EXPORT_TABLE t{};
        t.NewVolume = &NewVolume;
        t.OpenVolume = &OpenVolume;
        t.CloseVolume = &CloseVolume;
        t.FreeVolume = &FreeVolume;
        t.NewSnapshot = &NewSnapshot;
        t.UpdateSnapshot = &UpdateSnapshot;
        t.FreeSnapshot = &FreeSnapshot;
        return t;
    }();
    ++Script().entryCalls;
    return &table;
}
inline uint32_t UNDEL_STDCALL GetVersion() {
    return Script().version;
}
}  // namespace scripted

class ScriptedLibrary final : public platform::Library {
  public:
    ~ScriptedLibrary() override { Script().unloaded = true; }
    void* Symbol(const char* name) const override {
        const std::string n(name);
        if (n == undel::kEntryName && Script().hasEntry) {
            return reinterpret_cast<void*>(&scripted::Entry);
        }
        if (n == undel::kVersionName && Script().hasVersion) {
            return reinterpret_cast<void*>(&scripted::GetVersion);
        }
        return nullptr;
    }
};

// Forwards to the built-in System except for loading the library, the message pump and
// (optionally) the clock.
class ScriptedSystem : public platform::System {
  public:
    platform::System& base = platform::DefaultSystem();
    int pumps = 0;
    std::function<void()> onPump;
    // When set, each TickCount call advances the clock by this many milliseconds.
    uint32_t tickStep = 0;
    uint32_t tick = 0;
    // Off: LoadLibrary loads the real library through the built-in System.
    bool scriptedLibrary = true;
    // Off: message boxes are only recorded in `boxes`, never shown (a real box would block).
    bool showBoxes = true;
    std::vector<std::u16string> boxes;
    std::vector<std::u16string> debugLines;

    std::unique_ptr<platform::NamedMutex> CreateOwnedMutex(std::u16string_view name,
                                                           bool& alreadyExists) override {
        return base.CreateOwnedMutex(name, alreadyExists);
    }
    platform::AdminCheck IsAdministratorMember() override { return base.IsAdministratorMember(); }
    bool IsWow64() override { return base.IsWow64(); }
    bool DisableWow64Redirection(void*& cookie) override {
        return base.DisableWow64Redirection(cookie);
    }
    bool RevertWow64Redirection(void* cookie) override {
        return base.RevertWow64Redirection(cookie);
    }
    bool EnableWow64Redirection() override { return base.EnableWow64Redirection(); }
    void TrimWorkingSet() override { base.TrimWorkingSet(); }
    platform::OsVersion RuntimeVersion() override { return base.RuntimeVersion(); }
    platform::OsVersion KernelVersion() override { return base.KernelVersion(); }
    std::u16string ModulePath() override { return base.ModulePath(); }
    uint32_t TickCount() override {
        if (tickStep == 0) return base.TickCount();
        return tick += tickStep;
    }
    void DebugOutput(std::u16string_view line) override {
        debugLines.emplace_back(line);
        base.DebugOutput(line);
    }
    std::unique_ptr<platform::Library> LoadLibrary(std::u16string_view path) override {
        if (!scriptedLibrary) return base.LoadLibrary(path);
        Script().loadedPath = std::u16string(path);
        if (!Script().loadable) return nullptr;
        return std::make_unique<ScriptedLibrary>();
    }
    int MessageBox(platform::WindowHandle owner, std::u16string_view text,
                   std::u16string_view caption, uint32_t flags) override {
        boxes.emplace_back(text);
        return showBoxes ? base.MessageBox(owner, text, caption, flags) : platform::kIdOk;
    }
    bool ActivateWindowOfClass(std::u16string_view className) override {
        return base.ActivateWindowOfClass(className);
    }
    void ProcessMessages() override {
        ++pumps;
        if (onPump) onPump();
    }
    int RunMessageLoop() override { return base.RunMessageLoop(); }
    void PostQuit(int code) override { base.PostQuit(code); }
    bool QuitRequested() override { return base.QuitRequested(); }
    uint32_t DriveType(std::u16string_view root) override { return base.DriveType(root); }
    bool DriveTotalSize(std::u16string_view root, uint64_t& totalBytes) override {
        return base.DriveTotalSize(root, totalBytes);
    }
};

inline LibraryScript& Script() {
    static LibraryScript script;
    return script;
}

}  // namespace orv::testing
