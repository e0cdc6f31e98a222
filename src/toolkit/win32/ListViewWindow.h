#pragma once
// A read-only list in report view over the common controls' list view: columns with
// captions and widths (a width of 0 hides a column), rows with an image and texts for every
// column, whole-row selection of one row and a small image list of 16 x 16 bitmaps in which
// white is transparent. Columns and rows are kept while no window exists; with a window the
// selection is the window's.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <string>
#include <string_view>
#include <vector>

#include "toolkit/Component.h"
#include "toolkit/Graphics.h"
#include "toolkit/win32/GdiHandles.h"

namespace orv::toolkit::win32 {

struct TListColumn {
    std::u16string Caption;
    int Width = 50;
};

struct TListRow {
    std::u16string Caption;
    int ImageIndex = -1;                   // -1: no image
    std::vector<std::u16string> SubItems;  // the texts of the columns after the first
};

class TListView : public TComponent {
  public:
    explicit TListView(TComponent* owner = nullptr);
    ~TListView() override;
    std::u16string_view ClassName() const override { return u"TListView"; }
    TListSlot* ListSlot(TListSlotKind kind) override;

    void SetBounds(int left, int top, int width, int height);
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    TFont& Font() { return font_; }

    int AddColumn(std::u16string_view caption, int width);
    int ColumnCount() const { return static_cast<int>(columns_.size()); }
    const TListColumn& Column(int index) const { return columns_[static_cast<size_t>(index)]; }
    void SetColumnCaption(int index, std::u16string_view caption);

    // The small images: a 16 x 16 bitmap file with white transparent; its index, -1 when the
    // file cannot be read.
    int AddImageFile(std::u16string_view path);
    int ImageCount() const { return imageCount_; }
    void ClearImages();

    int AddRow(const TListRow& row);
    int RowCount() const { return static_cast<int>(rows_.size()); }
    const TListRow& Row(int index) const { return rows_[static_cast<size_t>(index)]; }
    // The text of column `column` of a row (0: the caption); empty outside the list.
    std::u16string CellText(int row, int column) const;
    // No rows, none selected.
    void Clear();

    // -1 when no row is selected; an index outside the list selects none.
    int Selected() const;
    void SetSelected(int index);

    bool CreateWindowIn(HWND parent);
    HWND Handle() const { return hwnd_; }

  private:
    class ColumnsSlot final : public TListSlot {
      public:
        explicit ColumnsSlot(TListView& view) : view_(view) {}
        size_t Count() const override { return view_.columns_.size(); }
        std::u16string Get(size_t i) const override { return view_.columns_[i].Caption; }
        void Set(size_t i, std::u16string_view text) override {
            view_.SetColumnCaption(static_cast<int>(i), text);
        }

      private:
        TListView& view_;
    };

    void InsertColumnWindow(int index);
    void InsertRowWindow(int index);
    void ApplyFont();

    HWND hwnd_ = nullptr;
    HIMAGELIST images_ = nullptr;
    int imageCount_ = 0;
    UniqueFont gdiFont_;
    TFont font_;
    std::vector<TListColumn> columns_;
    std::vector<TListRow> rows_;
    int selected_ = -1;
    int left_ = 0;
    int top_ = 0;
    int width_ = 250;
    int height_ = 150;
    ColumnsSlot columnsSlot_{*this};
};

}  // namespace orv::toolkit::win32
