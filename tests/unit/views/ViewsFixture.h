#pragma once
// A small scanned drive, the page's grid over the visible tree, and a page that records what
// the views ask of it.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "analysis/ResultViews.h"
#include "analysis/nogui_Orvella.h"
#include "app/Globals.h"
#include "core/Text.h"
#include "lang/MessageCatalogue.h"
#include "platform/posix/Capture.h"
#include "toolkit/VirtualDrawTree.h"

namespace orv::analysis::testing {

struct DriveFile {
    std::u16string path;  // "C:\Data\a.zip"; folders on the way are made as needed
    int64_t size;
};

// Builds rows the way the scan does (derived paths beneath the drive root) and runs the
// totals pass.
class DriveBuilder {
  public:
    explicit DriveBuilder(ResultTree& tree) : tree_(tree) {}
    NodeId Folder(const std::u16string& path) {
        if (auto it = folders_.find(path); it != folders_.end()) return it->second;
        NodeId node;
        if (path.size() <= 3) {
            node = tree_.AddNamedChild(kNoNode, path, true, 0);
        } else {
            const size_t cut = path.rfind(u'\\');
            const std::u16string parent = cut <= 2 ? path.substr(0, 3) : path.substr(0, cut);
            node = tree_.AddNamedChild(Folder(parent), path.substr(cut + 1), true, 0);
        }
        folders_[path] = node;
        return node;
    }
    NodeId File(const DriveFile& f) {
        const size_t cut = f.path.rfind(u'\\');
        const std::u16string parent = cut <= 2 ? f.path.substr(0, 3) : f.path.substr(0, cut);
        return tree_.AddNamedChild(Folder(parent), f.path.substr(cut + 1), false, f.size);
    }
    void Totals(TOrvella& engine, const std::vector<DriveFile>& files) {
        const NodeId first = tree_.GetFirst();
        TOrvella::CountDirsInTree(tree_, first);
        TOrvella::CountFilesInTree(tree_, first);
        TOrvella::CountSizeInTree(tree_, first);
        engine.TotalSize = first != kNoNode ? tree_.Size(first) : 0;
        engine.TotalFiles = static_cast<uint32_t>(files.size());
        engine.Analysed_Drive = u"C:\\";
    }

  private:
    ResultTree& tree_;
    std::map<std::u16string, NodeId> folders_;
};

// The page: records its steps as short texts and answers from its fields.
class RecordingPage final : public TResultPageHooks {
  public:
    TResultViews* views = nullptr;
    std::vector<std::string> log;
    int pumps = 0;
    std::vector<int> positions;
    TViewKind view = TViewKind::Structure;
    std::u16string filterText;
    int nameBarIndex = 0;
    bool rightPanelVisible = true;
    std::u16string directory = u"C:\\";
    TFormatSettings settings = DefaultFormatSettings();
    bool readingWhenFirstSelected = false;

    // Runs at every pump, as a click handled meanwhile would.
    std::function<void()> onPump;

    void ProcessMessages() override {
        ++pumps;
        log.push_back("pump");
        if (onPump) onPump();
    }
    void SetStatus(std::u16string_view html) override {
        log.push_back("status " + Utf16ToUtf8(html).substr(0, 20));
    }
    void SetProgressVisible(bool v) override {
        log.push_back(v ? "progress shown" : "progress hidden");
    }
    void SetProgressMax(int max) override { log.push_back("progress max " + std::to_string(max)); }
    void SetProgressPosition(int p) override { positions.push_back(p); }
    TViewKind CurrentView() override { return view; }
    void SetViewButtons(const TViewLayout& l) override {
        if (!l.FoldersEnabled) view = TViewKind::Structure;
        if (!l.FilesEnabled) view = TViewKind::Files;
        if (!l.FormatsEnabled) view = TViewKind::Formats;
        log.push_back("buttons");
    }
    void SetBoxesVisible(const TViewLayout& l) override {
        log.push_back(std::string("boxes bar=") + (l.NameBarShown ? "1" : "0") +
                      " filter=" + (l.FilterShown ? "1" : "0"));
    }
    void SetFolderListVisible(bool v) override {
        log.push_back(v ? "folders shown" : "folders hidden");
    }
    void RunFolderSelection() override {
        log.push_back("folder selection");
        views->JvDirectoryListBox1Change(directory);
    }
    void SetFolderListDirectory(std::u16string_view dir) override {
        directory.assign(dir);
        RunFolderSelection();
    }
    void RunResize() override { log.push_back("resize"); }
    void RepaintRightPanel() override { log.push_back("repaint panel"); }
    bool RightPanelVisible() override { return rightPanelVisible; }
    std::u16string FilterBoxText() override { return filterText; }
    void SelectFirstFilterItem() override {
        readingWhenFirstSelected = views->READING_SETTINGS_NOW;
        filterText = lang::Msg(u"MESSAGE_ORV_FILTER_ALL");
        log.push_back("first filter item");
    }
    int NameBarIndex() override { return nameBarIndex; }
    TFormatSettings FormatSettings() override { return settings; }

    bool Logged(const std::string& entry) const {
        for (const auto& e : log) {
            if (e == entry) return true;
        }
        return false;
    }
};

// A drive with music, pictures, archives beneath two levels, and the page over it.
class ViewsTest : public ::testing::Test {
  protected:
    static std::vector<DriveFile> DefaultFiles() {
        return {
            {u"C:\\boot.ini", 10},
            {u"C:\\Data\\song.mp3", 300},
            {u"C:\\Data\\photo.JPG", 200},
            {u"C:\\Data\\archive.tar.gz", 4000},
            {u"C:\\Data\\pack.zip", 1000},
            {u"C:\\Data\\Old\\backup.ZIP", 2000},
            {u"C:\\Data\\Old\\Deep\\more.zip", 500},
            {u"C:\\Data\\Old\\notes.doc", 50},
            {u"C:\\Other\\elsewhere.zip", 7000},
            {u"C:\\Other\\tool.exe", 80},
        };
    }

    void SetUp() override {
        lang::ResetMessageCatalogue();
        ClosingRequested = false;
        Build(DefaultFiles());
        for (auto [text, width] : {std::pair{u"Name", 236},
                                   {u"Ordner", 68},
                                   {u"Dateien", 68},
                                   {u"Größe", 80},
                                   {u"Größe % ", 92},
                                   {u"Ordnergröße %", 120}}) {
            grid.AddColumn(text, width);
        }
        grid.SetSortColumn(4);
        grid.SetTree(&visibleTree);
        grid.SetBounds(700, 400, 700, 400);
        grid.OnMakeSortKeys = [this](toolkit::TVirtualDrawTree& g, int column) {
            return engine.DefaultEvent_MakeSortKeys(*g.Tree(), column);
        };
        views.PumpIntervalMs = 0;
        page.views = &views;
        page.filterText = lang::Msg(u"MESSAGE_ORV_FILTER_ALL");
    }
    void TearDown() override {
        grid.SetTree(nullptr);
        ClosingRequested = false;
    }

    void Build(const std::vector<DriveFile>& files) {
        full.Clear();
        DriveBuilder b(full);
        for (const auto& f : files) b.File(f);
        b.Totals(engine, files);
        platform::posix::ClearCaptures();
    }

    // Paths of the visible list, in list order.
    std::vector<std::u16string> Listed() const {
        std::vector<std::u16string> out;
        for (NodeId n = visibleTree.GetFirst(); n != kNoNode; n = visibleTree.NextSibling(n)) {
            out.push_back(visibleTree.FullPath(n));
        }
        return out;
    }
    // Paths of the visible list, sorted, for checks that do not care about the order.
    std::vector<std::u16string> ListedSet() const {
        auto out = Listed();
        std::sort(out.begin(), out.end());
        return out;
    }
    std::vector<std::u16string> HiddenInFull() const {
        std::vector<std::u16string> out;
        for (NodeId n = full.GetFirst(); n != kNoNode; n = full.GetNext(n)) {
            if (!full.IsVisible(n)) out.push_back(full.FullPath(n));
        }
        return out;
    }
    NodeId VisibleRow(std::u16string_view path) const {
        for (NodeId n = visibleTree.GetFirst(); n != kNoNode; n = visibleTree.NextSibling(n)) {
            if (visibleTree.FullPath(n) == path) return n;
        }
        return kNoNode;
    }
    // Opens the structure view of a folder, as the page does after a scan.
    void ShowFolder(std::u16string dir) {
        page.directory = std::move(dir);
        views.AdvGlowButton_FoldersClick();
    }
    // The filter box gets text (typed or picked), then its change or key event.
    void Pick(std::u16string text) {
        page.filterText = std::move(text);
        views.ComboBox_ORV_FilterChange();
    }
    void TypeAndEnter(std::u16string text) {
        page.filterText = std::move(text);
        views.ComboBox_ORV_FilterKeyPress(13);
    }

    ResultTree full;
    ResultTree visibleTree;
    TOrvella engine{&full};  // no library beside the tests: the engine stays usable
    toolkit::TVirtualDrawTree grid;
    RecordingPage page;
    TResultViews views{engine, grid, page};
};

}  // namespace orv::analysis::testing
