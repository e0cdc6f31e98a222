#pragma once
// The tab strip and the page control as far as they are portable. The strip ("TAdvOfficeTabSet")
// is a row of flat tabs that it draws itself, one of them active; the page control holds tab
// sheets and shows only the active one. Neither knows of the other: the form ties them together.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/Controls.h"
#include "toolkit/Graphics.h"
#include "toolkit/PaintDevice.h"

namespace orv::toolkit {

struct TOfficeTab {
    std::u16string Caption;
    bool Visible = true;
    int32_t Tag = 0;
    int ImageIndex = -1;
};

class TAdvOfficeTabSet : public TComponent {
  public:
    // Bits of TView::ModelChanged.
    static constexpr unsigned kRepaint = 1;  // tabs or their look changed
    static constexpr unsigned kLayout = 2;   // tab widths may have changed

    class TView {
      public:
        virtual ~TView() = default;
        virtual void ModelChanged(unsigned what) = 0;
    };

    static constexpr int kFirstTabLeft = 6;
    static constexpr int kTabSpacing = 2;
    static constexpr int kTabPadding = 14;  // left and right of the caption
    static constexpr int kImageSize = 16;
    static constexpr int kImageGap = 5;
    static constexpr int kAccentHeight = 3;

    explicit TAdvOfficeTabSet(TComponent* owner = nullptr);
    std::u16string_view ClassName() const override { return u"TAdvOfficeTabSet"; }
    TListSlot* ListSlot(TListSlotKind kind) override;
    void SetView(TView* view) { view_ = view; }

    int TabCount() const { return static_cast<int>(tabs_.size()); }
    // An index outside the list reads as an empty, hidden tab.
    const TOfficeTab& Tab(int index) const;
    // Appends a tab. The first visible tab of a strip without an active one becomes active
    // without an OnChange: a strip with visible tabs always shows one.
    int AddTab(const TOfficeTab& tab);
    int AddTab(std::u16string_view caption) { return AddTab(TOfficeTab{std::u16string(caption)}); }
    // No tabs, none active; no OnChange.
    void ClearTabs();
    void SetTabCaption(int index, std::u16string_view caption);
    // Hiding the active tab makes the next visible one active (OnChange fires).
    void SetTabVisible(int index, bool visible);
    void SetTabTag(int index, int32_t tag);
    void SetTabImageIndex(int index, int imageIndex);

    // -1 when there is none. Only a visible tab can become active; OnChange fires when the
    // active tab changes to another one.
    int ActiveTabIndex() const { return active_; }
    void SetActiveTabIndex(int index);

    TFont& Font() { return font_; }
    // Icons drawn before the captions by image index; null draws none. Not owned.
    void SetImages(const TPngImageList* images);
    const TPngImageList* Images() const { return images_; }

    // Colours: the strip's background, the fill of the hovered and the active tab, the accent
    // line under the active tab and the caption colours.
    TColor Color = MakeColor(255, 255, 255);
    TColor HoverColor = MakeColor(238, 242, 247);
    TColor ActiveColor = MakeColor(229, 241, 251);
    TColor AccentColor = MakeColor(0, 120, 215);
    TColor CaptionColor = MakeColor(96, 96, 96);
    TColor ActiveCaptionColor = MakeColor(0, 0, 0);

    void SetClientSize(int width, int height);
    int ClientWidth() const { return width_; }
    int ClientHeight() const { return height_; }

    // Measures the captions in the strip's font; hit tests use the rectangles of the last
    // layout.
    void Layout(TPaintDevice& measure);
    bool LayoutPending() const { return layoutPending_; }
    // Empty for a hidden tab or before the first layout.
    TRect TabRect(int index) const;
    // The visible tab under a client point, -1 over none.
    int TabAt(int x, int y) const;

    // The tab under the mouse, drawn highlighted; -1 for none.
    int HotTab() const { return hot_; }
    void SetHotTab(int index);
    void MouseDown(int x, int y);

    // Lays out when needed and draws the whole strip.
    void Paint(TPaintDevice& device);

    TNotifyEvent OnChange;

  private:
    class CaptionsSlot final : public TListSlot {
      public:
        explicit CaptionsSlot(TAdvOfficeTabSet& set) : set_(set) {}
        size_t Count() const override { return set_.tabs_.size(); }
        std::u16string Get(size_t i) const override {
            return set_.Tab(static_cast<int>(i)).Caption;
        }
        void Set(size_t i, std::u16string_view text) override {
            set_.SetTabCaption(static_cast<int>(i), text);
        }

      private:
        TAdvOfficeTabSet& set_;
    };

    void Notify(unsigned what);
    void Activate(int index, bool fire);
    int FirstVisibleFrom(int index) const;

    TView* view_ = nullptr;
    std::vector<TOfficeTab> tabs_;
    std::vector<TRect> rects_;
    int active_ = -1;
    int hot_ = -1;
    TFont font_;
    const TPngImageList* images_ = nullptr;
    int width_ = 0;
    int height_ = 28;
    bool layoutPending_ = true;
    CaptionsSlot captions_{*this};
};

class TPageControl;

// What makes a component a page of a page control. The page itself is a component (its Name,
// its children) that derives from this; the Win32 page is a window that hosts controls.
class TTabSheet {
  public:
    TTabSheet();
    virtual ~TTabSheet();
    TTabSheet(const TTabSheet&) = delete;
    TTabSheet& operator=(const TTabSheet&) = delete;

    virtual TComponent& SheetComponent() = 0;
    const TComponent& SheetComponent() const {
        return const_cast<TTabSheet*>(this)->SheetComponent();
    }
    // The page component's Name.
    const std::u16string& SheetName() const { return SheetComponent().Name(); }

    const std::u16string& Caption() const { return caption_.Value(); }
    void SetCaption(std::u16string_view text) { caption_.Set(text); }

    // Appends the sheet to a page control's pages; null takes it out.
    void SetPageControl(TPageControl* control);
    TPageControl* PageControl() const { return pageControl_; }
    // Its position among the pages; -1 without a page control.
    int PageIndex() const;
    // Whether the page control would show a tab for it.
    bool TabVisible() const { return tabVisible_; }
    void SetTabVisible(bool v) { tabVisible_ = v; }
    // The active page of its page control.
    bool IsActive() const;

  protected:
    // The page became the active one, or stopped being it.
    virtual void ActiveChanged(bool /*active*/) {}
    TStringSlot caption_;

  private:
    friend class TPageControl;
    TPageControl* pageControl_ = nullptr;
    bool tabVisible_ = true;
};

// A page that is only a component: for forms and tests without windows.
class TPlainTabSheet final : public TComponent, public TTabSheet {
  public:
    explicit TPlainTabSheet(TComponent* owner = nullptr) : TComponent(owner) {}
    std::u16string_view ClassName() const override { return u"TTabSheet"; }
    TComponent& SheetComponent() override { return *this; }
    TTextSlot* TextSlot(TTextSlotKind kind) override {
        return kind == TTextSlotKind::Caption ? &caption_ : nullptr;
    }
};

class TPageControl : public TComponent {
  public:
    explicit TPageControl(TComponent* owner = nullptr) : TComponent(owner) {}
    ~TPageControl() override;
    std::u16string_view ClassName() const override { return u"TPageControl"; }

    int PageCount() const { return static_cast<int>(pages_.size()); }
    // Null for an index outside the list.
    TTabSheet* Page(int index) const;
    int IndexOf(const TTabSheet* sheet) const;

    // The first page added becomes the active one; when the active page leaves, the next one
    // (else the one before) takes over. A sheet of another page control, or null, is refused.
    TTabSheet* ActivePage() const { return active_; }
    void SetActivePage(TTabSheet* sheet);
    int ActivePageIndex() const { return IndexOf(active_); }
    void SetActivePageIndex(int index) { SetActivePage(Page(index)); }

  private:
    friend class TTabSheet;
    void Insert(TTabSheet* sheet);
    void Remove(TTabSheet* sheet);
    void Activate(TTabSheet* sheet);

    std::vector<TTabSheet*> pages_;
    TTabSheet* active_ = nullptr;
};

}  // namespace orv::toolkit
