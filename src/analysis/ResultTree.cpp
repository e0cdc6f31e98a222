#include "analysis/ResultTree.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace orv::analysis {

namespace {

bool FitsOneByte(std::u16string_view s) {
    for (char16_t c : s) {
        if (c > 0xFF) return false;
    }
    return true;
}

}  // namespace

ResultTree::ResultTree() = default;
ResultTree::~ResultTree() = default;

NodeId ResultTree::NewNode(NodeId parent, std::u16string_view text, uint32_t flags) {
    if (text.size() > kLengthMask) return kNoNode;
    NodeId id;
    try {
        if (freeList_ != kNoNode) {
            id = freeList_;
            freeList_ = At(id).nextSibling;
        } else {
            if (usedNodes_ == kNoNode) return kNoNode;
            if ((usedNodes_ >> kNodeChunkShift) >= nodeChunks_.size()) {
                nodeChunks_.push_back(std::make_unique_for_overwrite<Node[]>(kNodeChunkSize));
            }
            id = usedNodes_++;
        }
        Node& n = At(id);
        n.parent = parent;
        n.firstChild = kNoNode;
        n.lastChild = kNoNode;
        n.nextSibling = kNoNode;
        n.size = 0;
        n.folders = 0;
        n.files = 0;
        n.imageIndex = 0;
        n.bits = flags;
        try {
            StoreText(n, text);
        } catch (const std::bad_alloc&) {
            n.bits = kFreeBit;
            n.nextSibling = freeList_;
            freeList_ = id;
            return kNoNode;
        }
    } catch (const std::bad_alloc&) {
        // A full address space ends the adding, not the program.
        return kNoNode;
    }

    if (parent == kNoNode) {
        if (lastTop_ == kNoNode) {
            firstTop_ = id;
        } else {
            At(lastTop_).nextSibling = id;
        }
        lastTop_ = id;
    } else {
        Node& p = At(parent);
        if (p.lastChild == kNoNode) {
            p.firstChild = id;
        } else {
            At(p.lastChild).nextSibling = id;
        }
        p.lastChild = id;
    }
    ++liveNodes_;
    Changed();
    return id;
}

void ResultTree::StoreText(Node& n, std::u16string_view text) {
    n.bits = (n.bits & ~kLengthMask) | static_cast<uint32_t>(text.size());
    n.text = 0;
    if (text.empty()) return;
    const bool narrow = FitsOneByte(text);
    if (!narrow) n.bits |= kWideBit;
    const size_t bytes = text.size() * (narrow ? 1 : 2);

    const bool needChunk = textChunks_.empty() || textUsed_ + bytes > kTextChunkSize;
    const size_t chunkIndex = textChunks_.size() - (needChunk ? 0 : 1);
    if (bytes > kMaxPooledBytes || (chunkIndex << kTextChunkShift) >= kBigTextBit) {
        n.text = kBigTextBit | static_cast<uint32_t>(bigTexts_.size());
        bigTexts_.emplace_back(text);
        textLive_ += bytes;
        return;
    }
    if (needChunk) {
        textChunks_.push_back(std::make_unique_for_overwrite<unsigned char[]>(kTextChunkSize));
        textUsed_ = 0;
    }
    unsigned char* dst = textChunks_.back().get() + textUsed_;
    if (narrow) {
        for (size_t i = 0; i < text.size(); ++i) dst[i] = static_cast<unsigned char>(text[i]);
    } else {
        std::memcpy(dst, text.data(), bytes);
    }
    n.text = static_cast<uint32_t>((chunkIndex << kTextChunkShift) | textUsed_);
    textUsed_ += bytes;
    textLive_ += bytes;
}

void ResultTree::ReleaseText(Node& n) {
    const size_t bytes = TextLength(n) * ((n.bits & kWideBit) ? 2 : 1);
    if (bytes == 0) return;
    textLive_ -= bytes;
    if (n.text & kBigTextBit) {
        std::u16string().swap(bigTexts_[n.text & ~kBigTextBit]);
    } else {
        textDead_ += bytes;
    }
}

void ResultTree::AppendText(const Node& n, std::u16string& out) const {
    const size_t len = TextLength(n);
    if (len == 0) return;
    if (n.text & kBigTextBit) {
        out += bigTexts_[n.text & ~kBigTextBit];
        return;
    }
    const unsigned char* src =
        textChunks_[n.text >> kTextChunkShift].get() + (n.text & (kTextChunkSize - 1));
    const size_t at = out.size();
    out.resize(at + len);
    if (n.bits & kWideBit) {
        std::memcpy(out.data() + at, src, len * 2);
    } else {
        for (size_t i = 0; i < len; ++i) out[at + i] = src[i];
    }
}

NodeId ResultTree::AddChild(NodeId parent, const TSizeNode& row) {
    uint32_t flags = kOwnPathBit | (row.IsFolder ? kFolderBit : 0);
    const NodeId id = NewNode(parent, row.FullPath, flags);
    if (id == kNoNode) return id;
    Node& n = At(id);
    n.size = row.Size;
    n.folders = row.Folders;
    n.files = row.Files;
    n.imageIndex = row.ImageIndex;
    return id;
}

NodeId ResultTree::AddNamedChild(NodeId parent, std::u16string_view segment, bool isFolder,
                                 int64_t size) {
    uint32_t flags = isFolder ? kFolderBit : 0;
    if (parent == kNoNode) flags |= kOwnPathBit;
    const NodeId id = NewNode(parent, segment, flags);
    if (id != kNoNode) At(id).size = size;
    return id;
}

void ResultTree::Clear() {
    nodeChunks_.clear();
    nodeChunks_.shrink_to_fit();
    textChunks_.clear();
    textChunks_.shrink_to_fit();
    bigTexts_.clear();
    bigTexts_.shrink_to_fit();
    usedNodes_ = 0;
    liveNodes_ = 0;
    freeList_ = kNoNode;
    firstTop_ = kNoNode;
    lastTop_ = kNoNode;
    textUsed_ = 0;
    textLive_ = 0;
    textDead_ = 0;
    Changed();
}

void ResultTree::DeleteNode(NodeId node) {
    if (!IsValid(node)) return;
    const NodeId parent = At(node).parent;
    NodeId& first = parent == kNoNode ? firstTop_ : At(parent).firstChild;
    NodeId& last = parent == kNoNode ? lastTop_ : At(parent).lastChild;
    NodeId prev = kNoNode;
    for (NodeId c = first; c != node; c = At(c).nextSibling) prev = c;
    if (prev == kNoNode) {
        first = At(node).nextSibling;
    } else {
        At(prev).nextSibling = At(node).nextSibling;
    }
    if (last == node) last = prev;

    // Post-order, so a row is freed only after everything beneath it.
    NodeId cur = node;
    while (At(cur).firstChild != kNoNode) cur = At(cur).firstChild;
    for (;;) {
        Node& n = At(cur);
        const NodeId up = n.parent;
        const NodeId next = n.nextSibling;
        const bool done = cur == node;
        ReleaseText(n);
        n.bits = kFreeBit;
        n.nextSibling = freeList_;
        freeList_ = cur;
        --liveNodes_;
        if (done) break;
        if (next != kNoNode) {
            cur = next;
            while (At(cur).firstChild != kNoNode) cur = At(cur).firstChild;
        } else {
            cur = up;
        }
    }

    if (liveNodes_ == 0) {
        Clear();
        return;
    }
    if (textDead_ > textLive_ && textDead_ >= kTextChunkSize) CompactTexts();
    Changed();
}

void ResultTree::CompactTexts() {
    // Every chunk the copy needs is allocated first, so a failure leaves the tree as it was.
    // A text never straddles two chunks, so a chunk wastes less than the largest pooled text.
    const size_t needed = textLive_ / (kTextChunkSize - kMaxPooledBytes) + 1;
    std::vector<std::unique_ptr<unsigned char[]>> chunks;
    try {
        chunks.reserve(needed);
        for (size_t i = 0; i < needed; ++i) {
            chunks.push_back(std::make_unique_for_overwrite<unsigned char[]>(kTextChunkSize));
        }
    } catch (const std::bad_alloc&) {
        return;
    }
    size_t chunk = 0;
    size_t used = 0;
    for (NodeId id = 0; id < usedNodes_; ++id) {
        Node& n = At(id);
        if ((n.bits & kFreeBit) || (n.text & kBigTextBit)) continue;
        const size_t bytes = TextLength(n) * ((n.bits & kWideBit) ? 2 : 1);
        if (bytes == 0) continue;
        if (used + bytes > kTextChunkSize) {
            ++chunk;
            used = 0;
        }
        const unsigned char* src =
            textChunks_[n.text >> kTextChunkShift].get() + (n.text & (kTextChunkSize - 1));
        std::memcpy(chunks[chunk].get() + used, src, bytes);
        n.text = static_cast<uint32_t>((chunk << kTextChunkShift) | used);
        used += bytes;
    }
    chunks.resize(chunk + 1);
    textChunks_.swap(chunks);
    textUsed_ = used;
    textDead_ = 0;
}

bool ResultTree::IsValid(NodeId node) const {
    return node < usedNodes_ && (At(node).bits & kFreeBit) == 0;
}

NodeId ResultTree::GetNext(NodeId node) const {
    if (node == kNoNode) return kNoNode;
    if (At(node).firstChild != kNoNode) return At(node).firstChild;
    while (node != kNoNode) {
        const Node& n = At(node);
        if (n.nextSibling != kNoNode) return n.nextSibling;
        node = n.parent;
    }
    return kNoNode;
}

NodeId ResultTree::Parent(NodeId node) const {
    return node == kNoNode ? kNoNode : At(node).parent;
}

NodeId ResultTree::FirstChild(NodeId node) const {
    return node == kNoNode ? firstTop_ : At(node).firstChild;
}

NodeId ResultTree::LastChild(NodeId node) const {
    return node == kNoNode ? lastTop_ : At(node).lastChild;
}

NodeId ResultTree::NextSibling(NodeId node) const {
    return node == kNoNode ? kNoNode : At(node).nextSibling;
}

uint32_t ResultTree::ChildCount(NodeId node) const {
    uint32_t count = 0;
    for (NodeId c = FirstChild(node); c != kNoNode; c = At(c).nextSibling) ++count;
    return count;
}

bool ResultTree::HasOwnPath(NodeId node) const {
    return (At(node).bits & kOwnPathBit) != 0;
}

std::u16string ResultTree::Text(NodeId node) const {
    std::u16string s;
    AppendText(At(node), s);
    return s;
}

std::u16string ResultTree::FullPath(NodeId node) const {
    // Up to the nearest row that holds its whole path, then the segments back down.
    std::vector<NodeId> chain;
    for (NodeId cur = node;; cur = At(cur).parent) {
        chain.push_back(cur);
        if (At(cur).bits & kOwnPathBit) break;
    }
    std::u16string path;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        if (it != chain.rbegin() && path.size() > 3) path += u'\\';
        AppendText(At(*it), path);
    }
    return path;
}

TSizeNode ResultTree::Row(NodeId node) const {
    const Node& n = At(node);
    TSizeNode row;
    row.FullPath = FullPath(node);
    row.Size = n.size;
    row.Folders = n.folders;
    row.Files = n.files;
    row.IsFolder = (n.bits & kFolderBit) != 0;
    row.ImageIndex = n.imageIndex;
    return row;
}

void ResultTree::SetVisible(NodeId node, bool visible) {
    Node& n = At(node);
    const uint32_t before = n.bits;
    if (visible) {
        n.bits &= ~kHiddenBit;
    } else {
        n.bits |= kHiddenBit;
    }
    if (n.bits != before) Changed();
}

void ResultTree::Changed() {
    if (updateCount_ > 0) {
        pendingChange_ = true;
    } else if (hook_) {
        hook_();
    }
}

void ResultTree::EndUpdate() {
    if (updateCount_ == 0) return;
    if (--updateCount_ == 0 && pendingChange_) {
        pendingChange_ = false;
        if (hook_) hook_();
    }
}

void ResultTree::SortLevel(NodeId parent, const Compare& compare, bool descending,
                           std::vector<NodeId>& scratch) {
    scratch.clear();
    for (NodeId c = FirstChild(parent); c != kNoNode; c = At(c).nextSibling) scratch.push_back(c);
    if (scratch.size() < 2) return;
    if (descending) {
        std::stable_sort(scratch.begin(), scratch.end(),
                         [&](NodeId a, NodeId b) { return compare(a, b) > 0; });
    } else {
        std::stable_sort(scratch.begin(), scratch.end(),
                         [&](NodeId a, NodeId b) { return compare(a, b) < 0; });
    }
    for (size_t i = 0; i + 1 < scratch.size(); ++i) At(scratch[i]).nextSibling = scratch[i + 1];
    At(scratch.back()).nextSibling = kNoNode;
    Relink(parent, scratch.front(), scratch.back());
}

void ResultTree::SortLevelByKey(NodeId parent, const SortKeys& keys, bool descending,
                                std::vector<std::pair<uint64_t, NodeId>>& scratch) {
    scratch.clear();
    for (NodeId c = FirstChild(parent); c != kNoNode; c = At(c).nextSibling) {
        scratch.emplace_back(c < keys.size() ? keys[c] : 0, c);
    }
    if (scratch.size() < 2) return;
    // Keys and ids side by side: the sort touches no node until the list is relinked.
    if (descending) {
        std::stable_sort(scratch.begin(), scratch.end(),
                         [](const auto& a, const auto& b) { return a.first > b.first; });
    } else {
        std::stable_sort(scratch.begin(), scratch.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
    }
    for (size_t i = 0; i + 1 < scratch.size(); ++i) {
        At(scratch[i].second).nextSibling = scratch[i + 1].second;
    }
    At(scratch.back().second).nextSibling = kNoNode;
    Relink(parent, scratch.front().second, scratch.back().second);
}

void ResultTree::Relink(NodeId parent, NodeId first, NodeId last) {
    if (parent == kNoNode) {
        firstTop_ = first;
        lastTop_ = last;
    } else {
        At(parent).firstChild = first;
        At(parent).lastChild = last;
    }
}

template <typename SortOne>
void ResultTree::SortLevels(NodeId parent, bool allLevels, SortOne sortOne) {
    if (parent != kNoNode && !IsValid(parent)) return;
    sortOne(parent);
    if (allLevels) {
        // Each row's children are sorted before the walk descends into them.
        NodeId cur = FirstChild(parent);
        while (cur != kNoNode) {
            if (At(cur).firstChild != kNoNode) {
                sortOne(cur);
                cur = At(cur).firstChild;
                continue;
            }
            while (cur != kNoNode && At(cur).nextSibling == kNoNode) {
                cur = At(cur).parent;
                if (cur == parent) cur = kNoNode;
            }
            if (cur != kNoNode) cur = At(cur).nextSibling;
        }
    }
    Changed();
}

void ResultTree::SortChildren(NodeId parent, const Compare& compare, bool descending,
                              bool allLevels) {
    std::vector<NodeId> scratch;
    SortLevels(parent, allLevels,
               [&](NodeId level) { SortLevel(level, compare, descending, scratch); });
}

void ResultTree::SortChildrenByKey(NodeId parent, const SortKeys& keys, bool descending,
                                   bool allLevels) {
    std::vector<std::pair<uint64_t, NodeId>> scratch;
    SortLevels(parent, allLevels,
               [&](NodeId level) { SortLevelByKey(level, keys, descending, scratch); });
}

size_t ResultTree::BytesHeld() const {
    size_t bytes = nodeChunks_.size() * kNodeChunkSize * sizeof(Node) +
                   nodeChunks_.capacity() * sizeof(nodeChunks_[0]) +
                   textChunks_.size() * kTextChunkSize +
                   textChunks_.capacity() * sizeof(textChunks_[0]) +
                   bigTexts_.capacity() * sizeof(bigTexts_[0]);
    for (const auto& s : bigTexts_) bytes += s.capacity() * sizeof(char16_t);
    return bytes;
}

ResultTree::Walker::Walker(const ResultTree& tree) : tree_(tree) {}

void ResultTree::Walker::Enter(NodeId node) {
    node_ = node;
    const size_t depth = start_.size() - 1;
    const ResultTree::Node& n = tree_.At(node);
    const size_t base = depth > 0 ? end_[depth - 1] : 0;
    buf_.resize(base);
    if ((n.bits & kOwnPathBit) || depth == 0) {
        start_[depth] = base;
    } else {
        start_[depth] = start_[depth - 1];
        if (end_[depth - 1] - start_[depth - 1] > 3) buf_ += u'\\';
    }
    tree_.AppendText(n, buf_);
    end_[depth] = buf_.size();
}

bool ResultTree::Walker::Next() {
    if (!started_) {
        started_ = true;
        if (tree_.firstTop_ == kNoNode) return false;
        start_.push_back(0);
        end_.push_back(0);
        Enter(tree_.firstTop_);
        return true;
    }
    if (node_ == kNoNode) return false;
    const NodeId child = tree_.At(node_).firstChild;
    if (child != kNoNode) {
        start_.push_back(0);
        end_.push_back(0);
        Enter(child);
        return true;
    }
    NodeId cur = node_;
    while (cur != kNoNode && tree_.At(cur).nextSibling == kNoNode) {
        cur = tree_.At(cur).parent;
        start_.pop_back();
        end_.pop_back();
    }
    if (cur == kNoNode) {
        node_ = kNoNode;
        return false;
    }
    Enter(tree_.At(cur).nextSibling);
    return true;
}

}  // namespace orv::analysis
