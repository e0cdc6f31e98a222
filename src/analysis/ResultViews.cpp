#include "analysis/ResultViews.h"

#include <algorithm>
#include <climits>
#include <unordered_map>

#include "analysis/VTree_Kram.h"
#include "app/Globals.h"
#include "core/Text.h"
#include "lang/MessageCatalogue.h"
#include "platform/System.h"
#include "settings/RegistryMap.h"

namespace orv::analysis {

namespace {

constexpr std::u16string_view kMsgFilterAll = u"MESSAGE_ORV_FILTER_ALL";
constexpr std::u16string_view kMsgFiltering = u"MESSAGEHTML_ORV_STATUS_FILTERING";

// The text after the last delimiter that is not the last character, as TextAfterLast, but as
// a view into text: the walks take it once per row.
std::u16string_view AfterLast(std::u16string_view text, char16_t delimiter) {
    if (text.size() < 2) return {};
    for (size_t i = text.size() - 1; i-- > 0;) {
        if (text[i] == delimiter) return text.substr(i + 1);
    }
    return {};
}

std::u16string_view ExtensionOf(std::u16string_view fullPath) {
    return AfterLast(AfterLast(fullPath, u'\\'), u'.');
}

// Upper-cased extensions, each with the value of the first list that holds it.
class ExtensionMap {
  public:
    void Add(const std::vector<std::u16string>& list, int value) {
        for (const auto& e : list) keys_.try_emplace(e, value);
    }
    bool Empty() const { return keys_.empty(); }
    // The value for the extension of fullPath, -1 when no list holds it.
    int Find(std::u16string_view fullPath) {
        const std::u16string_view ext = ExtensionOf(fullPath);
        upper_.assign(ext);
        for (char16_t& c : upper_) {
            if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - (u'a' - u'A'));
        }
        const auto it = keys_.find(upper_);
        return it != keys_.end() ? it->second : -1;
    }

  private:
    std::unordered_map<std::u16string, int> keys_;
    std::u16string upper_;  // reused, so a walk allocates nothing per row
};

// Row order of the groups in the order the filter box lists them.
constexpr int kFilterBoxGroupOrder[kGroupCount] = {1, 0, 2, 3, 4, 5, 6};

class BusyScope {
  public:
    explicit BusyScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~BusyScope() { flag_ = false; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

  private:
    bool& flag_;
};

ResultTree* TreeOf(toolkit::TVirtualDrawTree& grid) {
    return grid.Tree();
}

}  // namespace

std::u16string FileExtension(std::u16string_view fullPath) {
    return UpperAscii(ExtensionOf(fullPath));
}

void Read_Filter_From_Edit(std::vector<std::u16string>& list, std::u16string_view text) {
    list.clear();
    const std::u16string upper = UpperAscii(text);
    std::u16string_view s = TrimBlanks(upper);
    while (!s.empty()) {
        const size_t semi = s.find(u';');
        std::u16string_view part;
        if (semi != std::u16string_view::npos) {
            part = TrimBlanks(s.substr(0, semi));
            s.remove_prefix(semi + 1);
        } else {
            part = TrimBlanks(s);
            s = {};
        }
        if (!part.empty()) list.emplace_back(part);
    }
}

std::u16string FilterText(const std::vector<std::u16string>& list) {
    std::u16string text;
    for (const auto& e : list) {
        text += e;
        text += u"\r\n";
    }
    return text;
}

const std::array<TFileFormatGroup, kGroupCount>& FileFormatGroups() {
    static const std::array<TFileFormatGroup, kGroupCount> groups = {{
        {u"MESSAGE_ORV_FILTER_VIDEO", settings::kVideo, 8, 1},
        {u"MESSAGE_ORV_FILTER_AUDIO", settings::kAudio, 9, 2},
        {u"MESSAGE_ORV_FILTER_PICS", settings::kPictures, 10, 3},
        {u"MESSAGE_ORV_FILTER_ARCHIVES", settings::kArchives, 11, 5},
        {u"MESSAGE_ORV_FILTER_DOCUMENTS", settings::kDocuments, 12, 4},
        {u"MESSAGE_ORV_FILTER_APPS", settings::kPrograms, 13, 6},
        {u"", settings::kOwnGroupFormats, 14, 7},
    }};
    return groups;
}

TFormatSettings DefaultFormatSettings() {
    TFormatSettings s;
    for (int i = 0; i < kGroupCount; ++i) {
        s.Lists[i] = std::u16string(
            settings::DefaultOf(settings::kOptionsKey, FileFormatGroups()[i].EditName));
    }
    s.ShowOwnGroup = settings::DefaultOf(settings::kOptionsKey, settings::kShowOwnGroup) == u"1";
    s.OwnGroupName =
        std::u16string(settings::DefaultOf(settings::kOptionsKey, settings::kOwnGroupName));
    return s;
}

std::u16string GroupName(const TFormatSettings& settings, int row) {
    if (row < 0 || row >= kGroupCount) return {};
    if (row == kOwnGroup) return settings.OwnGroupName;
    return lang::Msg(FileFormatGroups()[row].NameKey);
}

bool OwnGroupRowShown(const TFormatSettings& settings) {
    return settings.ShowOwnGroup && !settings.OwnGroupName.empty();
}

std::vector<std::u16string> FilterBoxItems(const TFormatSettings& settings) {
    std::vector<std::u16string> items{lang::Msg(kMsgFilterAll)};
    for (int row : kFilterBoxGroupOrder) {
        if (row == kOwnGroup) {
            if (settings.ShowOwnGroup && !settings.OwnGroupName.empty() &&
                !settings.Lists[kOwnGroup].empty()) {
                items.push_back(settings.OwnGroupName);
            }
            continue;
        }
        items.push_back(GroupName(settings, row));
    }
    return items;
}

TViewLayout ViewLayout(TViewKind view) {
    TViewLayout l;
    switch (view) {
        case TViewKind::Structure:
            l.Columns = {true, true, true, true, true, true};
            l.FoldersEnabled = false;
            break;
        case TViewKind::Files:
            l.Columns = {true, false, false, true, true, false};
            l.FilesEnabled = false;
            break;
        case TViewKind::Formats:
            l.Columns = {true, false, true, true, true, false};
            l.FormatsEnabled = false;
            break;
    }
    // The boxes follow the buttons: the bar only in the structure view, the filter in the
    // structure view and the view of all files.
    l.NameBarShown = !l.FoldersEnabled;
    l.FilterShown = !l.FoldersEnabled || !l.FilesEnabled;
    l.FolderListShown = !l.FoldersEnabled;
    return l;
}

void Copy_Visible_Children(ResultTree& target, const ResultTree& source, NodeId folder, bool deep) {
    if (!source.IsValid(folder)) return;
    // Per level: the next child to look at and the path of the folder it belongs to.
    std::vector<std::pair<NodeId, std::u16string>> stack;
    stack.emplace_back(source.FirstChild(folder), source.FullPath(folder));
    TSizeNode row;
    std::u16string path;
    while (!stack.empty()) {
        const NodeId c = stack.back().first;
        if (c == kNoNode) {
            stack.pop_back();
            continue;
        }
        stack.back().first = source.NextSibling(c);
        if (source.HasOwnPath(c)) {
            path = source.Text(c);
        } else {
            path = stack.back().second;
            if (path.size() > 3) path += u'\\';
            path += source.Text(c);
        }
        if (source.IsVisible(c)) {
            row.FullPath = path;
            row.Size = source.Size(c);
            row.Folders = source.Folders(c);
            row.Files = source.Files(c);
            row.IsFolder = source.IsFolder(c);
            row.ImageIndex = 0;
            if (target.AddChild(kNoNode, row) == kNoNode) return;  // out of memory
        }
        if (deep && source.IsFolder(c) && source.FirstChild(c) != kNoNode) {
            stack.emplace_back(source.FirstChild(c), path);
        }
    }
}

TResultViews::TResultViews(TOrvella& engine, toolkit::TVirtualDrawTree& visible,
                           TResultPageHooks& hooks)
    : engine_(engine), visible_(visible), hooks_(hooks) {}

void TResultViews::SortVisible() {
    ResultTree* shown = TreeOf(visible_);
    if (shown == nullptr) return;
    const int column = visible_.SortColumn();
    const bool descending = visible_.SortDirection() == toolkit::TSortDirection::Descending;
    // The visible list is flat: sorting its top level is the whole sort, and skips the walk
    // over every row that looks for deeper levels.
    if (visible_.OnMakeSortKeys) {
        if (auto keys = visible_.OnMakeSortKeys(visible_, column)) {
            shown->SortChildrenByKey(kNoNode, *keys, descending, false);
            return;
        }
    }
    visible_.SortTree(column, visible_.SortDirection());
}

void TResultViews::StartProgress() {
    hooks_.SetProgressVisible(true);
    hooks_.SetProgressPosition(0);
    const uint32_t rows = engine_.FTree != nullptr ? engine_.FTree->NodeCount() : 0;
    hooks_.SetProgressMax(static_cast<int>(std::min<uint32_t>(rows, INT_MAX)));
    lastPump_ = platform::Sys().TickCount();
}

bool TResultViews::Tick(uint32_t rowsDone) {
    const uint32_t every = PumpEveryRows > 0 ? PumpEveryRows : 1;
    if (rowsDone % every != 0) return true;
    if (PumpIntervalMs > 0) {
        const uint32_t now = platform::Sys().TickCount();
        if (now - lastPump_ < PumpIntervalMs) return true;
        lastPump_ = now;
    }
    hooks_.SetProgressPosition(static_cast<int>(std::min<uint32_t>(rowsDone, INT_MAX)));
    hooks_.ProcessMessages();
    // A closing window tears the trees down; the walk must not go on over them.
    return !ClosingRequested;
}

void TResultViews::ClearFilter() {
    engine_.CURRENT_FILTER.clear();
    engine_.CURRENT_FILTER_TOTALFILESIZE = 0;
    if (engine_.FTree != nullptr) Show_All_Nodes(*engine_.FTree);
}

void TResultViews::Auswertung(const std::vector<std::u16string>& list) {
    if (busy_ || engine_.FTree == nullptr) return;
    std::u16string text = FilterText(list);
    if (text == engine_.CURRENT_FILTER) return;
    engine_.CURRENT_FILTER = std::move(text);
    hooks_.SetStatus(lang::Msg(kMsgFiltering));
    hooks_.ProcessMessages();
    if (ResultTree* shown = TreeOf(visible_)) shown->Clear();
    visible_.Invalidate();
    hooks_.ProcessMessages();
    StartProgress();
    hooks_.ProcessMessages();

    ResultTree& full = *engine_.FTree;
    ExtensionMap wanted;
    wanted.Add(list, 0);
    const bool filtering = !list.empty();
    int64_t sum = 0;
    uint32_t done = 0;
    bool stopped = false;
    {
        BusyScope busy(busy_);
        full.BeginUpdate();
        ResultTree::Walker w(full);
        while (w.Next()) {
            const NodeId n = w.Node();
            bool show = true;
            if (filtering) {
                if (full.IsFolder(n)) {
                    show = false;
                } else if (wanted.Find(w.Path()) >= 0) {
                    sum += full.Size(n);
                } else {
                    show = false;
                }
            }
            full.SetVisible(n, show);
            if (!Tick(++done)) {
                stopped = true;
                break;
            }
        }
        full.EndUpdate();
    }
    if (stopped) return;
    hooks_.SetProgressPosition(static_cast<int>(std::min<uint32_t>(done, INT_MAX)));

    engine_.CURRENT_FILTER_TOTALFILESIZE = sum;
    hooks_.RunFolderSelection();
    SortVisible();
    hooks_.SetProgressVisible(false);
    hooks_.RunResize();
}

void TResultViews::ComboBox_ORV_FilterChange() {
    if (busy_ || READING_SETTINGS_NOW || !hooks_.RightPanelVisible()) return;
    const std::u16string t = hooks_.FilterBoxText();
    bool applied = false;
    if (t == lang::Msg(kMsgFilterAll)) {
        ClearFilter();
        const TViewKind view = hooks_.CurrentView();
        if (view == TViewKind::Structure) {
            hooks_.RunFolderSelection();
        } else if (view == TViewKind::Files && engine_.FTree != nullptr && TreeOf(visible_)) {
            TOrvella::Copy_All_Files(*engine_.FTree, *TreeOf(visible_));
            SortVisible();
        }
        applied = true;
    }
    const TFormatSettings settings = hooks_.FormatSettings();
    std::vector<std::u16string> list;
    for (int row : kFilterBoxGroupOrder) {
        const std::u16string name = GroupName(settings, row);
        // An own group without a name is not in the box; an emptied box must not select it.
        if (row == kOwnGroup && name.empty()) continue;
        if (t == name) {
            Read_Filter_From_Edit(list, settings.Lists[row]);
            Auswertung(list);
            applied = true;
        }
    }
    if (!applied && RETURN_PRESSED) {
        RETURN_PRESSED = false;
        std::u16string s = UpperAscii(t);
        if (s.starts_with(u"*.")) s.erase(0, 2);
        Auswertung({s});
    }
}

void TResultViews::ComboBox_ORV_FilterKeyPress(char16_t key) {
    if (key == 13) RETURN_PRESSED = true;
    ComboBox_ORV_FilterChange();
    // Enter counts for this one change only; left set, a later keystroke would filter at once.
    RETURN_PRESSED = false;
}

void TResultViews::ComboBox_ORV_NameBalkenChange() {
    if (READING_SETTINGS_NOW || !hooks_.RightPanelVisible()) return;
    const int index = hooks_.NameBarIndex();
    engine_.FLAG_NAMEBALKEN = index == 1 || index == 2 ? index : 0;
    visible_.Invalidate();
    hooks_.RunResize();
    hooks_.RepaintRightPanel();
}

void TResultViews::SetColumns(const TViewLayout& layout) {
    for (int i = 0; i < static_cast<int>(layout.Columns.size()) && i < visible_.ColumnCount();
         ++i) {
        visible_.SetColumnVisible(i, layout.Columns[i]);
    }
}

void TResultViews::CommonVisibilitySteps(const TViewLayout& layout) {
    hooks_.SetViewButtons(layout);
    hooks_.ProcessMessages();
    hooks_.SetBoxesVisible(layout);
    hooks_.ProcessMessages();
}

void TResultViews::AdvGlowButton_FoldersClick() {
    if (busy_) return;
    const TViewLayout layout = ViewLayout(TViewKind::Structure);
    engine_.FLAG_SHOW_FULLPATH = false;
    SetColumns(layout);
    CommonVisibilitySteps(layout);
    hooks_.SetFolderListVisible(true);
    hooks_.ProcessMessages();
    hooks_.ProcessMessages();
    ComboBox_ORV_NameBalkenChange();
    hooks_.RunFolderSelection();
    ComboBox_ORV_FilterChange();
    Fit_Columns(&visible_, {0});
}

void TResultViews::AdvGlowButton_FilesClick() {
    if (busy_) return;
    const TViewLayout layout = ViewLayout(TViewKind::Files);
    engine_.FLAG_SHOW_FULLPATH = true;
    SetColumns(layout);
    CommonVisibilitySteps(layout);
    // The box keeps its choice for the structure view.
    engine_.FLAG_NAMEBALKEN = 0;
    hooks_.SetFolderListVisible(false);
    hooks_.ProcessMessages();
    hooks_.ProcessMessages();
    hooks_.SetFolderListDirectory(engine_.Analysed_Drive);
    ClearFilter();
    if (engine_.FTree != nullptr && TreeOf(visible_)) {
        TOrvella::Copy_All_Files(*engine_.FTree, *TreeOf(visible_));
    }
    const bool reading = READING_SETTINGS_NOW;
    READING_SETTINGS_NOW = true;
    hooks_.SelectFirstFilterItem();
    READING_SETTINGS_NOW = reading;
    SortVisible();
    Fit_Columns(&visible_, {0});
}

TFormatTotals TResultViews::CountFormats(const TFormatSettings& settings) {
    TFormatTotals totals;
    if (busy_ || engine_.FTree == nullptr) return totals;
    ExtensionMap groups;
    std::array<int, kGroupCount> byMatching{};
    for (int row = 0; row < kGroupCount; ++row) byMatching[row] = row;
    std::sort(byMatching.begin(), byMatching.end(), [](int a, int b) {
        return FileFormatGroups()[a].MatchingOrder < FileFormatGroups()[b].MatchingOrder;
    });
    std::vector<std::u16string> list;
    for (int row : byMatching) {
        Read_Filter_From_Edit(list, settings.Lists[row]);
        groups.Add(list, row);
    }

    ResultTree& full = *engine_.FTree;
    uint32_t done = 0;
    BusyScope busy(busy_);
    full.BeginUpdate();
    ResultTree::Walker w(full);
    while (w.Next()) {
        const NodeId n = w.Node();
        full.SetVisible(n, true);
        if (!full.IsFolder(n)) {
            const int row = groups.Find(w.Path());
            if (row >= 0) {
                const int64_t size = full.Size(n);
                ++totals.Files[row];
                totals.Bytes[row] += size;
                totals.GrandTotal += size;
            }
        }
        if (!Tick(++done)) break;
    }
    full.EndUpdate();
    hooks_.SetProgressPosition(static_cast<int>(std::min<uint32_t>(done, INT_MAX)));
    return totals;
}

void TResultViews::AdvGlowButton_FormatsClick() {
    if (busy_) return;
    const TFormatSettings settings = hooks_.FormatSettings();
    const TViewLayout layout = ViewLayout(TViewKind::Formats);
    SetColumns(layout);
    CommonVisibilitySteps(layout);
    hooks_.SetFolderListVisible(false);
    hooks_.ProcessMessages();
    hooks_.ProcessMessages();
    engine_.FLAG_NAMEBALKEN = 0;

    StartProgress();
    hooks_.SetStatus(lang::Msg(kMsgFiltering));
    hooks_.ProcessMessages();
    ResultTree* shown = TreeOf(visible_);
    if (shown != nullptr) shown->Clear();
    visible_.Invalidate();

    const TFormatTotals totals = CountFormats(settings);
    if (ClosingRequested) return;
    hooks_.SetProgressVisible(false);
    // The walk showed every row again, so no filter is in effect any more; clearing it makes
    // the structure view apply the box's group anew instead of listing everything flat.
    engine_.CURRENT_FILTER.clear();
    if (shown != nullptr) {
        shown->BeginUpdate();
        shown->Clear();
        for (int row = 0; row < kGroupCount; ++row) {
            if (row == kOwnGroup && !OwnGroupRowShown(settings)) continue;
            TSizeNode group;
            group.FullPath = GroupName(settings, row);
            group.Size = totals.Bytes[row];
            group.Files = totals.Files[row];
            group.ImageIndex = FileFormatGroups()[row].ImageIndex;
            shown->AddChild(kNoNode, group);
        }
        shown->EndUpdate();
    }
    engine_.CURRENT_FILTER_TOTALFILESIZE = totals.GrandTotal;
    Fit_Columns(&visible_, {0});
    hooks_.RunResize();
}

void TResultViews::JvDirectoryListBox1Change(std::u16string_view directory) {
    const NodeId node = engine_.FindRootNodeForDir(directory);
    Current_RootNode = node;
    engine_.Current_RootNode = node;
    ResultTree* shown = TreeOf(visible_);
    if (node == kNoNode || engine_.FTree == nullptr || shown == nullptr) {
        if (shown != nullptr) shown->Clear();
        hooks_.RunResize();
        return;
    }
    visible_.BeginUpdate();
    shown->Clear();
    Copy_Visible_Children(*shown, *engine_.FTree, node, !engine_.CURRENT_FILTER.empty());
    SortVisible();
    visible_.EndUpdate();
    hooks_.RunResize();
}

}  // namespace orv::analysis
