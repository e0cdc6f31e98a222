#pragma once
// The data side of a result tree: rows of TSizeNode kept compactly, in tree order, with
// navigation, visibility, sorting and suspended updates. It knows nothing of windows; a grid
// control draws its rows and listens to the change hook.
//
// Compactness matters: a 32-bit process scanning ten million files has a few hundred bytes per
// file to spend. So a row does not store its path: it stores its last segment, and its path is
// derived from its parent's. Rows whose path cannot be derived that way (top-level rows, group
// rows, flat copies) store their whole path instead. Names are held one byte per character when
// every character is below 256, and nodes live in fixed-size chunks.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace orv::analysis {

using NodeId = uint32_t;
inline constexpr NodeId kNoNode = 0xFFFFFFFFu;

// One row of a result tree, as callers see it.
struct TSizeNode {
    std::u16string FullPath;
    int64_t Size = 0;
    uint32_t Folders = 0;
    uint32_t Files = 0;
    bool IsFolder = false;
    int32_t ImageIndex = 0;
};

class ResultTree {
  public:
    // Negative, 0 or positive, as a compare callback answers.
    using Compare = std::function<int(NodeId a, NodeId b)>;

    ResultTree();
    ~ResultTree();
    ResultTree(const ResultTree&) = delete;
    ResultTree& operator=(const ResultTree&) = delete;

    // Adds a row as last child of parent (kNoNode: top level) that stores row.FullPath as its
    // whole path.
    NodeId AddChild(NodeId parent, const TSizeNode& row);
    // Adds a row whose path is derived: parent's FullPath + "\" + segment, without the
    // backslash when the parent's FullPath has at most three characters (a drive root keeps
    // its own). At top level the segment is the whole path.
    NodeId AddNamedChild(NodeId parent, std::u16string_view segment, bool isFolder, int64_t size);

    void Clear();
    // Removes the row with everything beneath it. The ids of removed rows are handed out
    // again by later adds, so holders of an id must drop it when its row goes.
    void DeleteNode(NodeId node);

    // Navigation; kNoNode where there is none.
    NodeId GetFirst() const { return firstTop_; }
    NodeId GetNext(NodeId node) const;  // tree order: depth first, parents before children
    NodeId Parent(NodeId node) const;
    NodeId FirstChild(NodeId node) const;  // kNoNode: the first top-level row
    NodeId LastChild(NodeId node) const;
    NodeId NextSibling(NodeId node) const;
    uint32_t ChildCount(NodeId node) const;
    uint32_t NodeCount() const { return liveNodes_; }
    bool IsValid(NodeId node) const;

    // Row data
    TSizeNode Row(NodeId node) const;
    std::u16string FullPath(NodeId node) const;
    // The stored text: the segment of a derived row, the whole path of the others.
    std::u16string Text(NodeId node) const;
    bool HasOwnPath(NodeId node) const;
    int64_t Size(NodeId node) const { return At(node).size; }
    uint32_t Folders(NodeId node) const { return At(node).folders; }
    uint32_t Files(NodeId node) const { return At(node).files; }
    bool IsFolder(NodeId node) const { return (At(node).bits & kFolderBit) != 0; }
    int32_t ImageIndex(NodeId node) const { return At(node).imageIndex; }
    bool IsVisible(NodeId node) const { return (At(node).bits & kHiddenBit) == 0; }
    void SetSize(NodeId node, int64_t v) { At(node).size = v; }
    void SetFolders(NodeId node, uint32_t v) { At(node).folders = v; }
    void SetFiles(NodeId node, uint32_t v) { At(node).files = v; }
    void SetImageIndex(NodeId node, int32_t v) { At(node).imageIndex = v; }
    void SetVisible(NodeId node, bool visible);

    // Updates: while suspended, changes are only noted; the hook runs once when the last
    // EndUpdate comes, or at once for a change made while not suspended.
    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }
    void SetChangeHook(std::function<void()> hook) { hook_ = std::move(hook); }

    // Stable sort of the children of parent (kNoNode: the top-level rows), or of every level
    // beneath it. Descending sorts by the reversed compare result.
    void SortChildren(NodeId parent, const Compare& compare, bool descending,
                      bool allLevels = false);
    // The same stable sort by a key per row (keys[node], smaller first when ascending): the
    // fast path for a whole sort whose keys were taken once, with no call per comparison.
    using SortKeys = std::vector<uint64_t>;
    void SortChildrenByKey(NodeId parent, const SortKeys& keys, bool descending,
                           bool allLevels = false);

    // Bytes the tree holds for its nodes and texts (chunks included, bookkeeping excluded).
    size_t BytesHeld() const;

    // Walks every row in tree order with its FullPath built incrementally, which is much
    // cheaper than FullPath() per row.
    class Walker {
      public:
        explicit Walker(const ResultTree& tree);
        // Moves to the next row (the first on the first call); false at the end.
        bool Next();
        NodeId Node() const { return node_; }
        std::u16string_view Path() const {
            return std::u16string_view(buf_).substr(start_.back(), end_.back() - start_.back());
        }

      private:
        void Enter(NodeId node);
        const ResultTree& tree_;
        NodeId node_ = kNoNode;
        bool started_ = false;
        std::u16string buf_;
        // Per depth: where the row's path starts and ends in buf_.
        std::vector<size_t> start_;
        std::vector<size_t> end_;
    };

  private:
    static constexpr uint32_t kFolderBit = 1u << 31;
    static constexpr uint32_t kHiddenBit = 1u << 30;
    static constexpr uint32_t kOwnPathBit = 1u << 29;
    static constexpr uint32_t kWideBit = 1u << 28;  // text stored as UTF-16
    static constexpr uint32_t kFreeBit = 1u << 27;
    static constexpr uint32_t kLengthMask = (1u << 27) - 1;

#pragma pack(push, 4)
    struct Node {
        NodeId parent;
        NodeId firstChild;
        NodeId lastChild;
        NodeId nextSibling;  // also the free-list link
        int64_t size;
        uint32_t folders;
        uint32_t files;
        int32_t imageIndex;
        uint32_t text;  // reference into the text pool
        uint32_t bits;  // flags above | text length in characters
    };
#pragma pack(pop)
    static_assert(sizeof(Node) == 44);

    static constexpr uint32_t kNodeChunkShift = 12;
    static constexpr uint32_t kNodeChunkSize = 1u << kNodeChunkShift;
    static constexpr uint32_t kTextChunkShift = 20;
    static constexpr uint32_t kTextChunkSize = 1u << kTextChunkShift;
    // Texts larger than this go to a side list; their reference has the top bit set.
    static constexpr uint32_t kBigTextBit = 0x80000000u;
    static constexpr size_t kMaxPooledBytes = kTextChunkSize / 4;

    Node& At(NodeId id) {
        return nodeChunks_[id >> kNodeChunkShift][id & (kNodeChunkSize - 1)];
    }
    const Node& At(NodeId id) const {
        return nodeChunks_[id >> kNodeChunkShift][id & (kNodeChunkSize - 1)];
    }
    NodeId NewNode(NodeId parent, std::u16string_view text, uint32_t flags);
    void StoreText(Node& n, std::u16string_view text);
    void ReleaseText(Node& n);
    void AppendText(const Node& n, std::u16string& out) const;
    size_t TextLength(const Node& n) const {
        return n.bits & kLengthMask;
    }
    void Changed();
    void CompactTexts();
    void SortLevel(NodeId parent, const Compare& compare, bool descending,
                   std::vector<NodeId>& scratch);
    void SortLevelByKey(NodeId parent, const SortKeys& keys, bool descending,
                        std::vector<std::pair<uint64_t, NodeId>>& scratch);
    void Relink(NodeId parent, NodeId first, NodeId last);
    template <typename SortOne>
    void SortLevels(NodeId parent, bool allLevels, SortOne sortOne);

    std::vector<std::unique_ptr<Node[]>> nodeChunks_;
    uint32_t usedNodes_ = 0;  // slots handed out so far
    uint32_t liveNodes_ = 0;
    NodeId freeList_ = kNoNode;
    NodeId firstTop_ = kNoNode;
    NodeId lastTop_ = kNoNode;

    std::vector<std::unique_ptr<unsigned char[]>> textChunks_;
    size_t textUsed_ = 0;  // bytes used in the last chunk
    size_t textLive_ = 0;  // bytes of texts still referenced
    size_t textDead_ = 0;  // bytes of texts of deleted rows
    std::vector<std::u16string> bigTexts_;

    int updateCount_ = 0;
    bool pendingChange_ = false;
    std::function<void()> hook_;
};

}  // namespace orv::analysis
