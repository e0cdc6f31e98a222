#pragma once
// TOrvella, the scan engine: loads the snapshot library, reads one drive into a result tree of
// folder and file rows, computes the folder totals and finds rows by path.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "analysis/ResultTree.h"
#include "analysis/UndelDLL.h"
#include "platform/System.h"

namespace orv::toolkit {
struct TPaintInfo;
class TImageSource;
}  // namespace orv::toolkit

namespace orv::analysis {

class TShellIconCache;

// What the engine drives during a scan; the page's progress bar implements it.
class TProgressTarget {
  public:
    virtual ~TProgressTarget() = default;
    virtual void SetMax(int max) = 0;
    virtual void SetPosition(int position) = 0;
};

// File name of the snapshot library beside the program, with its leading backslash.
#if defined(_WIN32)
inline constexpr std::u16string_view kUndeleteLibraryFile = u"\\undelete.dll";
#else
inline constexpr std::u16string_view kUndeleteLibraryFile = u"\\libundelete.so";
#endif

class TOrvella {
  public:
    // Loads the library from ProgramFolder; failures are shown and leave the engine usable.
    explicit TOrvella(ResultTree* tree);
    virtual ~TOrvella();
    TOrvella(const TOrvella&) = delete;
    TOrvella& operator=(const TOrvella&) = delete;

    ResultTree* FTree = nullptr;
    NodeId RootNode = kNoNode;
    std::unique_ptr<platform::Library> DLLHandle;
    undel::UndeleteDLLEntryW_t Undeleter = nullptr;
    bool FLAG_SHOW_FULLPATH = false;
    int32_t FLAG_NAMEBALKEN = 0;
    std::u16string CURRENT_FILTER;
    int64_t CURRENT_FILTER_TOTALFILESIZE = 0;
    int64_t TotalSize = 0;
    uint32_t TotalFiles = 0;
    std::u16string Analysed_Drive;
    NodeId Current_RootNode = kNoNode;
    TProgressTarget* ProgressBar = nullptr;
    toolkit::TImageSource* PNGImageList = nullptr;
    // The page's icon cache for the visible tree; null looks every icon up.
    TShellIconCache* IconCache = nullptr;

    // Pumping messages for every entry costs more than reading it. While rows are added,
    // messages are processed when at least PumpIntervalMs have passed, looked at every
    // PumpStride entries; 1 and 0 pump at every folder and entry.
    uint32_t PumpStride = 256;
    uint32_t PumpIntervalMs = 10;

    // Scans one drive root ("C:\") into FTree and sets the totals.
    void DO_Drive(std::u16string_view drive);

    // First folder row in tree order whose FullPath equals dir, ASCII letters ignoring case.
    NodeId FindRootNodeForDir(std::u16string_view dir) const;
    // The same search over the rows whose IsFolder equals IsDir.
    NodeId FindNodeForThis(bool IsDir, std::u16string_view FullPath) const;

    // The totals pass, post-order from StartNode; each returns StartNode's new value, 0 for
    // kNoNode.
    static uint32_t CountDirsInTree(ResultTree& tree, NodeId StartNode);
    static uint32_t CountFilesInTree(ResultTree& tree, NodeId StartNode);
    static int64_t CountSizeInTree(ResultTree& tree, NodeId StartNode);

    // Replaces Target's rows by a flat top-level copy of every file row of Source.
    static void Copy_All_Files(const ResultTree& Source, ResultTree& Target);

    // Callbacks of the visible tree (defined with the row rules, in orv_rows): the order of
    // two rows by a column, a comparer prepared for one whole sort, and one cell's drawing.
    int DefaultEvent_CompareNodes(const ResultTree& tree, NodeId Node1, NodeId Node2,
                                  int Column) const;
    ResultTree::Compare DefaultEvent_MakeComparer(const ResultTree& tree, int Column) const;
    std::shared_ptr<const ResultTree::SortKeys> DefaultEvent_MakeSortKeys(const ResultTree& tree,
                                                                          int Column) const;
    void DefaultEvent_DrawNode(const ResultTree& tree, toolkit::TPaintInfo& PaintInfo) const;

    // Progress callback of UpdateSnapshot; userdata is the engine.
    static undel::BOOL32 UNDEL_STDCALL Snapshot_Progress(int32_t cmd, const char16_t* amessage,
                                                         int32_t progress, void* userdata);

  private:
    void Scan_Snapshot(std::u16string_view path, NodeId parent);
    void Add_Folder_Node(const undel::TFILE_RECORD* record, std::u16string_view path);
    // The library's table, asked for anew before every call; null when unusable.
    undel::TUNDELETE_EXPORT_TABLE* Table() const;
    void Pump();
    void PumpThrottled();
    NodeId FindRow(bool folders, std::u16string_view path) const;

    uint32_t pumpCountdown_ = 0;
    uint32_t lastPumpTick_ = 0;
};

}  // namespace orv::analysis
