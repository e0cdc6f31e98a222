#pragma once
// The folder list as a Win32 control: the owner-drawn list box showing the entries of a folder
// list model, each indented by its level behind a small folder glyph (drawn open for the
// ancestors and the current folder). A click selects an entry; a double click or Enter opens it.
#include <windows.h>

#include "toolkit/FolderList.h"
#include "toolkit/win32/ListBoxWindow.h"

namespace orv::toolkit::win32 {

class TDirectoryListBoxWindow : public TListBoxWindow, private TFolderList::TView {
  public:
    static constexpr int kIndent = 12;
    static constexpr TColor kFolderColor = MakeColor(232, 192, 80);
    static constexpr TColor kFolderEdge = MakeColor(170, 130, 40);

    explicit TDirectoryListBoxWindow(TComponent* owner = nullptr);
    ~TDirectoryListBoxWindow() override;
    std::u16string_view ClassName() const override { return u"TDirectoryListBox"; }

    TFolderList& Folders() { return folders_; }
    // Shorthands of the model's.
    const std::u16string& Directory() const { return folders_.Directory(); }
    bool SetDirectory(std::u16string_view path) { return folders_.SetDirectory(path); }

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void EntriesChanged() override;
    void DrawEntry(TPaintDevice& device, int index, const TRect& r, bool selected);

    TFolderList folders_;
};

}  // namespace orv::toolkit::win32
