#include "toolkit/TabControls.h"

#include <algorithm>

namespace orv::toolkit {

TAdvOfficeTabSet::TAdvOfficeTabSet(TComponent* owner) : TComponent(owner) {
    font_.OnChange = [this] { Notify(kRepaint | kLayout); };
}

TListSlot* TAdvOfficeTabSet::ListSlot(TListSlotKind kind) {
    return kind == TListSlotKind::TabCaptions ? &captions_ : nullptr;
}

void TAdvOfficeTabSet::Notify(unsigned what) {
    if (what & kLayout) layoutPending_ = true;
    if (view_ != nullptr) view_->ModelChanged(what);
}

const TOfficeTab& TAdvOfficeTabSet::Tab(int index) const {
    static const TOfficeTab kNone{u"", false, 0, -1};
    if (index < 0 || index >= TabCount()) return kNone;
    return tabs_[static_cast<size_t>(index)];
}

int TAdvOfficeTabSet::AddTab(const TOfficeTab& tab) {
    tabs_.push_back(tab);
    const int index = TabCount() - 1;
    if (active_ < 0 && tab.Visible) active_ = index;
    Notify(kRepaint | kLayout);
    return index;
}

void TAdvOfficeTabSet::ClearTabs() {
    tabs_.clear();
    rects_.clear();
    active_ = -1;
    hot_ = -1;
    Notify(kRepaint | kLayout);
}

void TAdvOfficeTabSet::SetTabCaption(int index, std::u16string_view caption) {
    if (index < 0 || index >= TabCount()) return;
    tabs_[static_cast<size_t>(index)].Caption.assign(caption);
    Notify(kRepaint | kLayout);
}

int TAdvOfficeTabSet::FirstVisibleFrom(int index) const {
    for (int i = 0; i < TabCount(); ++i) {
        const int j = (index + i) % TabCount();
        if (tabs_[static_cast<size_t>(j)].Visible) return j;
    }
    return -1;
}

void TAdvOfficeTabSet::SetTabVisible(int index, bool visible) {
    if (index < 0 || index >= TabCount()) return;
    TOfficeTab& tab = tabs_[static_cast<size_t>(index)];
    if (tab.Visible == visible) return;
    tab.Visible = visible;
    if (hot_ == index) hot_ = -1;
    Notify(kRepaint | kLayout);
    if (!visible && active_ == index) {
        Activate(FirstVisibleFrom(index + 1), true);
    } else if (visible && active_ < 0) {
        Activate(index, false);
    }
}

void TAdvOfficeTabSet::SetTabTag(int index, int32_t tag) {
    if (index >= 0 && index < TabCount()) tabs_[static_cast<size_t>(index)].Tag = tag;
}

void TAdvOfficeTabSet::SetTabImageIndex(int index, int imageIndex) {
    if (index < 0 || index >= TabCount()) return;
    tabs_[static_cast<size_t>(index)].ImageIndex = imageIndex;
    Notify(kRepaint | kLayout);
}

void TAdvOfficeTabSet::Activate(int index, bool fire) {
    if (index == active_) return;
    active_ = index;
    Notify(kRepaint);
    if (fire && OnChange) OnChange(this);
}

void TAdvOfficeTabSet::SetActiveTabIndex(int index) {
    if (index < 0 || index >= TabCount() || !tabs_[static_cast<size_t>(index)].Visible) return;
    Activate(index, true);
}

void TAdvOfficeTabSet::SetImages(const TPngImageList* images) {
    images_ = images;
    Notify(kRepaint | kLayout);
}

void TAdvOfficeTabSet::SetClientSize(int width, int height) {
    if (width == width_ && height == height_) return;
    width_ = width;
    height_ = height;
    Notify(kRepaint | kLayout);
}

void TAdvOfficeTabSet::Layout(TPaintDevice& measure) {
    measure.UseFont(font_);
    rects_.assign(tabs_.size(), TRect{});
    int x = kFirstTabLeft;
    for (size_t i = 0; i < tabs_.size(); ++i) {
        const TOfficeTab& tab = tabs_[i];
        if (!tab.Visible) continue;
        int w = 2 * kTabPadding + measure.TextWidth(tab.Caption);
        if (images_ != nullptr && images_->Item(tab.ImageIndex) != nullptr) {
            w += kImageSize + kImageGap;
        }
        rects_[i] = TRect{x, 0, x + w, height_};
        x += w + kTabSpacing;
    }
    layoutPending_ = false;
}

TRect TAdvOfficeTabSet::TabRect(int index) const {
    if (index < 0 || static_cast<size_t>(index) >= rects_.size()) return {};
    return rects_[static_cast<size_t>(index)];
}

int TAdvOfficeTabSet::TabAt(int x, int y) const {
    for (size_t i = 0; i < rects_.size(); ++i) {
        const TRect& r = rects_[i];
        if (!r.IsEmpty() && x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void TAdvOfficeTabSet::SetHotTab(int index) {
    if (index < 0 || index >= TabCount() || !tabs_[static_cast<size_t>(index)].Visible) index = -1;
    if (index == hot_) return;
    hot_ = index;
    Notify(kRepaint);
}

void TAdvOfficeTabSet::MouseDown(int x, int y) {
    const int index = TabAt(x, y);
    if (index >= 0) SetActiveTabIndex(index);
}

void TAdvOfficeTabSet::Paint(TPaintDevice& device) {
    if (layoutPending_) Layout(device);
    device.SetBrushColor(Color);
    device.FillRect(TRect{0, 0, width_, height_});
    device.UseFont(font_);
    device.SetTransparentBackground();
    const int textTop = (height_ - device.TextHeight()) / 2;
    for (size_t i = 0; i < tabs_.size(); ++i) {
        const TRect r = TabRect(static_cast<int>(i));
        if (r.IsEmpty()) continue;
        const TOfficeTab& tab = tabs_[i];
        const bool active = static_cast<int>(i) == active_;
        if (active || static_cast<int>(i) == hot_) {
            device.SetBrushColor(active ? ActiveColor : HoverColor);
            device.FillRect(r);
        }
        if (active) {
            device.SetBrushColor(AccentColor);
            device.FillRect(TRect{r.Left, r.Bottom - kAccentHeight, r.Right, r.Bottom});
        }
        int x = r.Left + kTabPadding;
        if (images_ != nullptr) {
            if (const TPicture* icon = images_->Item(tab.ImageIndex)) {
                device.Draw(x, (height_ - kImageSize) / 2, *icon);
                x += kImageSize + kImageGap;
            }
        }
        device.SetFontColor(active ? ActiveCaptionColor : CaptionColor);
        device.WriteText(x, textTop, tab.Caption);
    }
}

TTabSheet::TTabSheet() = default;

TTabSheet::~TTabSheet() {
    if (pageControl_ != nullptr) pageControl_->Remove(this);
}

void TTabSheet::SetPageControl(TPageControl* control) {
    if (control == pageControl_) return;
    const bool wasActive = IsActive();
    if (pageControl_ != nullptr) pageControl_->Remove(this);
    if (wasActive) ActiveChanged(false);
    if (control != nullptr) control->Insert(this);
}

int TTabSheet::PageIndex() const {
    return pageControl_ == nullptr ? -1 : pageControl_->IndexOf(this);
}

bool TTabSheet::IsActive() const {
    return pageControl_ != nullptr && pageControl_->ActivePage() == this;
}

TPageControl::~TPageControl() {
    for (TTabSheet* sheet : pages_) sheet->pageControl_ = nullptr;
    pages_.clear();
    active_ = nullptr;
}

TTabSheet* TPageControl::Page(int index) const {
    if (index < 0 || index >= PageCount()) return nullptr;
    return pages_[static_cast<size_t>(index)];
}

int TPageControl::IndexOf(const TTabSheet* sheet) const {
    const auto it = std::find(pages_.begin(), pages_.end(), sheet);
    return it == pages_.end() ? -1 : static_cast<int>(it - pages_.begin());
}

void TPageControl::SetActivePage(TTabSheet* sheet) {
    if (sheet == nullptr || sheet->pageControl_ != this) return;
    Activate(sheet);
}

void TPageControl::Activate(TTabSheet* sheet) {
    if (sheet == active_) return;
    TTabSheet* old = active_;
    active_ = sheet;
    if (old != nullptr) old->ActiveChanged(false);
    if (sheet != nullptr) sheet->ActiveChanged(true);
}

void TPageControl::Insert(TTabSheet* sheet) {
    sheet->pageControl_ = this;
    pages_.push_back(sheet);
    if (active_ == nullptr) Activate(sheet);
}

void TPageControl::Remove(TTabSheet* sheet) {
    const int index = IndexOf(sheet);
    if (index < 0) return;
    pages_.erase(pages_.begin() + index);
    sheet->pageControl_ = nullptr;
    if (active_ == sheet) {
        // The sheet may be going: it hears nothing more.
        active_ = nullptr;
        if (!pages_.empty()) {
            Activate(pages_[static_cast<size_t>(std::min(index, PageCount() - 1))]);
        }
    }
}

}  // namespace orv::toolkit
