#include "analysis/RowDrawing.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#include "analysis/SizeText.h"
#include "app/Globals.h"
#include "core/Text.h"
#include "core/TextAfterLast.h"
#include "platform/Locale.h"
#include "platform/System.h"

namespace orv::analysis {

using toolkit::TCanvas;
using toolkit::TPaintInfo;
using toolkit::TRect;

namespace {

template <typename T>
int Order(T first, T second) {
    // Counts and sizes: the larger one first.
    return first > second ? -1 : (first == second ? 0 : 1);
}

int CompareUnits(std::u16string_view a, std::u16string_view b) {
    const int c = a.compare(b);  // code unit by code unit
    return c < 0 ? -1 : (c == 0 ? 0 : 1);
}

// Calls f for every row of the tree in the order of the node ids: the nodes are then read
// one after the other in memory, which after a sort is much faster than tree order.
template <typename F>
void ForEachNodeById(const ResultTree& tree, F f) {
    uint32_t left = tree.NodeCount();
    for (NodeId id = 0; left > 0 && id != kNoNode; ++id) {
        if (!tree.IsValid(id)) continue;
        f(id);
        --left;
    }
}

// A key per row, indexed by NodeId: a sort then reads one compact array instead of the
// tree's nodes.
template <typename T, typename Get>
std::shared_ptr<const std::vector<T>> KeysByNode(const ResultTree& tree, Get get) {
    auto keys = std::make_shared<std::vector<T>>();
    ForEachNodeById(tree, [&](NodeId n) {
        if (n >= keys->size()) keys->resize(static_cast<size_t>(n) + 1);
        (*keys)[n] = get(n);
    });
    return keys;
}

// The rank of every row's upper-cased name among all names; equal names share a rank, so a
// stable sort by rank keeps their order.
//
// Paths share long starts, which makes comparing whole strings slow. The names are sorted
// eight code units at a time instead (most significant digit first): each pass sorts
// compact items by the next eight units packed into two numbers, then goes on inside every
// group that is still equal; small groups are finished by comparing the rest directly.
// Narrow names (all code units below 256) are pooled one byte a unit.
class NameRanker {
  public:
    explicit NameRanker(const ResultTree& tree) {
        platform::Locale& loc = platform::Loc();
        refs_.reserve(tree.NodeCount());
        ids_.reserve(tree.NodeCount());
        ForEachNodeById(tree, [&](NodeId id) {
            const std::u16string key =
                loc.UpperCase(tree.HasOwnPath(id) ? tree.Text(id) : tree.FullPath(id));
            if (id >= refs_.size()) refs_.resize(static_cast<size_t>(id) + 1);
            Ref& r = refs_[id];
            r.length = static_cast<uint32_t>(key.size());
            r.wide = std::any_of(key.begin(), key.end(), [](char16_t c) { return c > 0xFF; });
            if (r.wide) {
                r.offset = wide_.size();
                wide_.insert(wide_.end(), key.begin(), key.end());
            } else {
                r.offset = narrow_.size();
                narrow_.resize(r.offset + key.size());
                std::transform(key.begin(), key.end(),
                               narrow_.begin() + static_cast<long>(r.offset),
                               [](char16_t c) { return static_cast<unsigned char>(c); });
            }
            ids_.push_back(id);
        });
    }

    std::shared_ptr<const std::vector<uint32_t>> Ranks() {
        auto ranks = std::make_shared<std::vector<uint32_t>>(refs_.size(), 0);
        std::vector<Item> items(ids_.size());
        for (size_t i = 0; i < ids_.size(); ++i) items[i].id = ids_[i];
        struct Range {
            size_t begin, end;
            uint32_t depth;
        };
        std::vector<Range> todo;
        if (!items.empty())
            todo.push_back({0, items.size(), CommonStart(items, 0, items.size(), 0)});
        while (!todo.empty()) {
            const Range r = todo.back();
            todo.pop_back();
            for (size_t i = r.begin; i < r.end; ++i) Load(items[i], r.depth);
            std::sort(items.begin() + static_cast<long>(r.begin),
                      items.begin() + static_cast<long>(r.end));
            for (size_t g = r.begin; g < r.end;) {
                size_t e = g + 1;
                while (e < r.end && items[e].SameKey(items[g])) ++e;
                if (e - g > 1 && e - g <= kSmallGroup && items[g].rest > kUnits) {
                    FinishSmallGroup(items, g, e, r.depth + kUnits, *ranks);
                } else if (e - g > 1 && items[g].rest > kUnits) {
                    // Still equal and longer: look further. When the whole range stayed
                    // together, skip the start its names share.
                    const uint32_t next = r.depth + kUnits;
                    const uint32_t depth =
                        (g == r.begin && e == r.end) ? CommonStart(items, g, e, next) : next;
                    todo.push_back({g, e, depth});
                } else {
                    for (size_t i = g; i < e; ++i) (*ranks)[items[i].id] = static_cast<uint32_t>(g);
                }
                g = e;
            }
        }
        return ranks;
    }

  private:
    static constexpr uint32_t kUnits = 8;  // code units per pass
    // Groups this small are finished by comparing the rest of their names directly.
    static constexpr size_t kSmallGroup = 32;
    struct Ref {
        size_t offset = 0;
        uint32_t length = 0;
        bool wide = false;
    };
    struct Item {
        // The next eight units, four in each number, first one in the top bits; 0 past the
        // end of the name.
        uint64_t high = 0;
        uint64_t low = 0;
        uint32_t rest = 0;  // units left from the depth on, counted up to kUnits + 1
        NodeId id = 0;
        bool operator<(const Item& o) const {
            if (high != o.high) return high < o.high;
            if (low != o.low) return low < o.low;
            return rest < o.rest;
        }
        bool SameKey(const Item& o) const {
            return high == o.high && low == o.low && rest == o.rest;
        }
    };

    char16_t UnitAt(const Ref& r, size_t i) const {
        return r.wide ? wide_[r.offset + i] : static_cast<char16_t>(narrow_[r.offset + i]);
    }
    void Load(Item& item, uint32_t depth) const {
        const Ref& r = refs_[item.id];
        uint64_t packed[2] = {0, 0};
        for (uint32_t j = 0; j < kUnits; ++j) {
            const size_t at = static_cast<size_t>(depth) + j;
            uint64_t& p = packed[j / 4];
            p = (p << 16) | (at < r.length ? UnitAt(r, at) : 0);
        }
        item.high = packed[0];
        item.low = packed[1];
        // Names that end within these units are equal when units and length agree, even
        // with zero units in them; longer ones are told apart in a later pass.
        item.rest = r.length > depth ? std::min(r.length - depth, kUnits + 1) : 0;
    }
    // Negative, 0 or positive for the names of a and b from depth on.
    int CompareFrom(NodeId a, NodeId b, uint32_t depth) const {
        const Ref& x = refs_[a];
        const Ref& y = refs_[b];
        const uint32_t n = std::min(x.length, y.length);
        for (uint32_t i = depth; i < n; ++i) {
            const char16_t u = UnitAt(x, i);
            const char16_t v = UnitAt(y, i);
            if (u != v) return u < v ? -1 : 1;
        }
        return x.length < y.length ? -1 : (x.length == y.length ? 0 : 1);
    }
    void FinishSmallGroup(std::vector<Item>& items, size_t begin, size_t end, uint32_t depth,
                          std::vector<uint32_t>& ranks) const {
        const auto first = items.begin() + static_cast<long>(begin);
        const auto last = items.begin() + static_cast<long>(end);
        std::sort(first, last,
                  [&](const Item& a, const Item& b) { return CompareFrom(a.id, b.id, depth) < 0; });
        size_t rank = begin;
        for (size_t i = begin; i < end; ++i) {
            if (i > begin && CompareFrom(items[i - 1].id, items[i].id, depth) != 0) rank = i;
            ranks[items[i].id] = static_cast<uint32_t>(rank);
        }
    }
    // How far from depth on the names of items[begin, end) agree, as a new depth.
    uint32_t CommonStart(const std::vector<Item>& items, size_t begin, size_t end,
                         uint32_t depth) const {
        const Ref& first = refs_[items[begin].id];
        uint32_t common = first.length;
        for (size_t i = begin + 1; i < end && common > depth; ++i) {
            const Ref& r = refs_[items[i].id];
            uint32_t n = std::min(common, r.length);
            uint32_t k = depth;
            while (k < n && UnitAt(r, k) == UnitAt(first, k)) ++k;
            common = k;
        }
        return std::max(depth, common);
    }

    std::vector<Ref> refs_;
    std::vector<unsigned char> narrow_;
    std::vector<char16_t> wide_;
    std::vector<NodeId> ids_;
};

std::shared_ptr<const std::vector<uint32_t>> NameRanks(const ResultTree& tree) {
    return NameRanker(tree).Ranks();
}

void DrawBar(TCanvas& canvas, const TRect& content, double p) {
    const int w = BarWidth(content.Width(), static_cast<float>(p));
    if (w <= 0) return;
    canvas.FillRect(TRect{content.Left, content.Top + 2, content.Left + w, content.Bottom - 2},
                    kBarColor);
}

void DrawFitted(TCanvas& canvas, std::u16string_view text, int room, int x, int y) {
    const std::u16string shown = toolkit::ShortenToFit(canvas, text, room);
    if (!shown.empty()) canvas.DrawTextAt(x, y, shown);
}

// Percent columns centre their text; one that is too wide starts at the left, shortened.
void DrawCentred(TCanvas& canvas, std::u16string_view text, const TRect& content) {
    if (text.empty()) return;
    const int W = content.Width();
    const int width = canvas.TextWidth(text);
    if (width <= W) {
        canvas.DrawTextAt(content.Left + W / 2 - width / 2, content.Top + 1, text);
    } else {
        DrawFitted(canvas, text, W, content.Left, content.Top + 1);
    }
}

void DrawNameCell(const TRowDrawState& state, const ResultTree& tree, TPaintInfo& info) {
    TCanvas& canvas = info.Canvas;
    const TRect& c = info.ContentRect;
    const NodeId node = info.Node;
    const std::u16string path = tree.FullPath(node);
    const int64_t size = tree.Size(node);
    const int32_t imageIndex = tree.ImageIndex(node);

    double p = 0;
    if (state.NameBalken == 1) {
        p = SharePercent(size, state.TotalSize);
    } else if (state.NameBalken == 2 && state.TotalSize > 0 && state.HasCurrentRoot) {
        p = SharePercent(size, state.CurrentRootSize);
    }
    if (state.NameBalken == 1 || state.NameBalken == 2) DrawBar(canvas, c, p);

    if (imageIndex > 0) {
        if (state.Images != nullptr) state.Images->Draw(canvas, imageIndex, c.Left, c.Top + 1);
    } else if (state.IconCache != nullptr) {
        canvas.DrawIconAt(c.Left, c.Top + 1, state.IconCache->Get(path, tree.IsFolder(node)));
    } else {
        const platform::IconHandle icon = LookupShellIcon(path);
        canvas.DrawIconAt(c.Left, c.Top + 1, icon);
        if (icon != nullptr) platform::Shl().ReleaseIcon(icon);
    }

    DrawFitted(canvas, NameText(state, path, imageIndex), c.Width() - 20, c.Left + 20, c.Top + 2);
}

}  // namespace

// ---- Ordering ----

int CompareNodes(const ResultTree& tree, NodeId a, NodeId b, int column) {
    switch (column) {
        case 0: {
            platform::Locale& loc = platform::Loc();
            return CompareUnits(loc.UpperCase(tree.FullPath(a)), loc.UpperCase(tree.FullPath(b)));
        }
        case 1:
            return Order(tree.Folders(a), tree.Folders(b));
        case 2:
            return Order(tree.Files(a), tree.Files(b));
        case 3:
        case 4:
        case 5:
            return Order(tree.Size(a), tree.Size(b));
        default:
            return 0;
    }
}

ResultTree::Compare MakeNodeComparer(const ResultTree& tree, int column) {
    switch (column) {
        case 0: {
            auto ranks = NameRanks(tree);
            return [ranks](NodeId a, NodeId b) { return -Order((*ranks)[a], (*ranks)[b]); };
        }
        case 1: {
            auto keys = KeysByNode<uint32_t>(tree, [&](NodeId n) { return tree.Folders(n); });
            return [keys](NodeId a, NodeId b) { return Order((*keys)[a], (*keys)[b]); };
        }
        case 2: {
            auto keys = KeysByNode<uint32_t>(tree, [&](NodeId n) { return tree.Files(n); });
            return [keys](NodeId a, NodeId b) { return Order((*keys)[a], (*keys)[b]); };
        }
        case 3:
        case 4:
        case 5: {
            auto keys = KeysByNode<int64_t>(tree, [&](NodeId n) { return tree.Size(n); });
            return [keys](NodeId a, NodeId b) { return Order((*keys)[a], (*keys)[b]); };
        }
        default:
            return [](NodeId, NodeId) { return 0; };
    }
}

std::shared_ptr<const ResultTree::SortKeys> MakeSortKeys(const ResultTree& tree, int column) {
    // Counts and sizes sort largest first: their keys are complemented. A signed size becomes
    // an unsigned key of the same order by flipping its sign bit.
    switch (column) {
        case 0: {
            auto ranks = NameRanks(tree);
            return std::make_shared<ResultTree::SortKeys>(ranks->begin(), ranks->end());
        }
        case 1:
            return KeysByNode<uint64_t>(
                tree, [&](NodeId n) { return uint64_t{0xFFFFFFFFu} - tree.Folders(n); });
        case 2:
            return KeysByNode<uint64_t>(
                tree, [&](NodeId n) { return uint64_t{0xFFFFFFFFu} - tree.Files(n); });
        case 3:
        case 4:
        case 5:
            return KeysByNode<uint64_t>(tree, [&](NodeId n) {
                return ~(static_cast<uint64_t>(tree.Size(n)) ^ (uint64_t{1} << 63));
            });
        default:
            return std::make_shared<ResultTree::SortKeys>();
    }
}

// ---- Drawing ----

int BarWidth(int W, float p) {
    const double w = static_cast<double>(W) * (static_cast<double>(p) / 100.0);
    // Rounding to nearest with halves to even is the default floating-point rounding.
    const double r = std::nearbyint(w);
    if (!(r > -1e9)) return -1000000000;
    if (r > 1e9) return 1000000000;
    return static_cast<int>(r);
}

double SharePercent(int64_t size, int64_t divisor) {
    if (divisor <= 0) return 0;
    int64_t product;
    // A size too large for the 64-bit product (only from a corrupt record) still gives a
    // share instead of an overflow.
    if (__builtin_mul_overflow(size, int64_t{100}, &product)) {
        return static_cast<double>(size) * 100.0 / static_cast<double>(divisor);
    }
    return static_cast<double>(product) / static_cast<double>(divisor);
}

std::u16string NameText(const TRowDrawState& state, std::u16string_view fullPath,
                        int32_t imageIndex) {
    if (!state.CurrentFilter.empty() || state.ShowFullPath) return std::u16string(fullPath);
    std::u16string name = TextAfterLast(fullPath, u'\\');
    if (name.empty() && imageIndex > 0) return std::u16string(fullPath);
    return name;
}

platform::IconHandle LookupShellIcon(std::u16string_view path) {
    // A 32-bit program on 64-bit Windows sees SysWOW64 under the name System32; the icons of
    // the real system folder need the redirection off.
    const bool redirect =
        RunningUnderWow64 && UpperAscii(path).find(u"SYSTEM32") != std::u16string::npos;
    void* cookie = nullptr;
    const bool disabled = redirect && platform::Sys().DisableWow64Redirection(cookie);
    const platform::IconHandle icon = platform::Shl().AssociatedSmallIcon(path);
    if (disabled) platform::Sys().RevertWow64Redirection(cookie);
    return icon;
}

void DrawNode(const TRowDrawState& state, const ResultTree& tree, TPaintInfo& info) {
    if (!tree.IsValid(info.Node)) return;
    TCanvas& canvas = info.Canvas;
    canvas.SetTransparentBackground();
    const TRect& c = info.ContentRect;
    const int W = c.Width();
    const NodeId node = info.Node;
    switch (info.Column) {
        case 0:
            DrawNameCell(state, tree, info);
            break;
        case 1:
            DrawFitted(canvas, ToDecimalUnsigned(tree.Folders(node)), W, c.Left, c.Top + 1);
            break;
        case 2:
            DrawFitted(canvas, ToDecimalUnsigned(tree.Files(node)), W, c.Left, c.Top + 1);
            break;
        case 3:
            DrawFitted(canvas, CellSizeText(tree.Size(node)), W, c.Left, c.Top + 1);
            break;
        case 4: {
            const int64_t size = tree.Size(node);
            const double p = SharePercent(size, state.TotalSize);
            if (size > 0 && state.TotalSize > 0) DrawBar(canvas, c, p);
            if (state.TotalSize > 0) DrawCentred(canvas, PercentText(p), c);
            break;
        }
        case 5: {
            if (state.TotalSize <= 0 || !state.HasCurrentRoot) break;
            const double p = SharePercent(tree.Size(node), state.CurrentRootSize);
            // The bar goes first so that it does not cover the number.
            if (p > 0) DrawBar(canvas, c, p);
            DrawCentred(canvas, PercentText(p), c);
            break;
        }
        default:
            break;
    }
}

// ---- Icon cache ----

TShellIconCache::~TShellIconCache() {
    Clear();
}

namespace {

void ReleaseAll(std::unordered_map<std::u16string, platform::IconHandle>& icons) {
    for (auto& [key, icon] : icons) {
        if (icon != nullptr) platform::Shl().ReleaseIcon(icon);
    }
    icons.clear();
}

}  // namespace

void TShellIconCache::Clear() {
    ReleaseAll(byExtension_);
    ReleaseAll(byPath_);
}

bool TShellIconCache::HasOwnIcon(std::u16string_view ext) {
    static constexpr std::array<std::u16string_view, 9> kOwn = {
        u"ANI", u"CPL", u"CUR", u"EXE", u"ICO", u"LNK", u"PIF", u"SCR", u"URL"};
    return std::find(kOwn.begin(), kOwn.end(), ext) != kOwn.end();
}

platform::IconHandle TShellIconCache::Get(std::u16string_view path, bool isFolder) {
    if (!isFolder) {
        const std::u16string ext = UpperAscii(TextAfterLast(TextAfterLast(path, u'\\'), u'.'));
        if (!HasOwnIcon(ext)) {
            const auto it = byExtension_.find(ext);
            if (it != byExtension_.end()) return it->second;
            const platform::IconHandle icon = platform::Shl().FileTypeSmallIcon(ext);
            byExtension_.emplace(ext, icon);
            return icon;
        }
    }
    const std::u16string key(path);
    const auto it = byPath_.find(key);
    if (it != byPath_.end()) return it->second;
    if (byPath_.size() >= kMaxPaths) ReleaseAll(byPath_);
    const platform::IconHandle icon = LookupShellIcon(path);
    byPath_.emplace(key, icon);
    return icon;
}

}  // namespace orv::analysis
