#include "toolkit/Controls.h"

namespace orv::toolkit {

TControl::~TControl() {
    if (TGraphicHost* host = Host()) host->Forget(this);
}

void TControl::SetBounds(int left, int top, int width, int height) {
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    const TRect old = BoundsRect();
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (TGraphicHost* host = Host()) {
        host->InvalidateArea(old);
        host->InvalidateArea(BoundsRect());
    }
}

void TControl::SetEnabled(bool v) {
    if (v == enabled_) return;
    enabled_ = v;
    Invalidate();
}

void TControl::SetVisible(bool v) {
    if (v == visible_) return;
    visible_ = v;
    if (TGraphicHost* host = Host()) host->InvalidateArea(BoundsRect());
}

TGraphicHost* TControl::Host() const {
    return dynamic_cast<TGraphicHost*>(Parent());
}

void TControl::Invalidate() {
    if (TGraphicHost* host = Host()) host->InvalidateArea(BoundsRect());
}

void TControl::ClientToScreen(int& x, int& y) const {
    TGraphicHost* host = Host();
    if (host == nullptr) return;
    x += left_;
    y += top_;
    host->HostToScreen(x, y);
}

void TControl::Click() {
    if (OnClick) OnClick(this);
}

void TControl::MouseEntered() {
    if (OnMouseEnter) OnMouseEnter(this);
}

void TControl::MouseLeft() {
    if (OnMouseLeave) OnMouseLeave(this);
}

void TControl::MouseDown(TMouseButton button, int x, int y) {
    if (OnMouseDown) OnMouseDown(this, button, x, y);
}

void TControl::MouseUp(TMouseButton button, int x, int y) {
    if (OnMouseUp) OnMouseUp(this, button, x, y);
}

TControl* TGraphicHost::ControlAt(int x, int y) {
    TComponent& self = HostComponent();
    for (size_t i = self.ChildCount(); i-- > 0;) {
        auto* c = dynamic_cast<TGraphicControl*>(self.Child(i));
        if (c == nullptr || !c->Visible()) continue;
        const TRect r = c->BoundsRect();
        if (x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom) return c;
    }
    return nullptr;
}

void TGraphicHost::HostMouseMove(int x, int y) {
    TControl* now = ControlAt(x, y);
    if (now == hovered_) return;
    // The old control hears of the leave before the new one of the enter.
    TControl* old = hovered_;
    hovered_ = now;
    if (old != nullptr) old->MouseLeft();
    if (now != nullptr && hovered_ == now) now->MouseEntered();
}

void TGraphicHost::HostMouseLeave() {
    TControl* old = hovered_;
    hovered_ = nullptr;
    if (old != nullptr) old->MouseLeft();
}

void TGraphicHost::HostMouseDown(TMouseButton button, int x, int y) {
    pressed_ = ControlAt(x, y);
    if (pressed_ == nullptr) return;
    // The toolkit feeds disabled controls no mouse; the buttons also check themselves.
    if (!pressed_->Enabled()) {
        pressed_ = nullptr;
        return;
    }
    pressed_->MouseDown(button, x - pressed_->Left(), y - pressed_->Top());
}

void TGraphicHost::HostMouseUp(TMouseButton button, int x, int y) {
    TControl* c = pressed_;
    pressed_ = nullptr;
    if (c == nullptr) return;
    const int lx = x - c->Left();
    const int ly = y - c->Top();
    const bool inside = lx >= 0 && ly >= 0 && lx < c->Width() && ly < c->Height();
    if (inside && button == TMouseButton::Left && c->Enabled()) c->Click();
    // The click handler may have destroyed the control.
    if (Contains(c)) c->MouseUp(button, lx, ly);
}

bool TGraphicHost::Contains(TControl* c) {
    TComponent& self = HostComponent();
    for (size_t i = 0; i < self.ChildCount(); ++i) {
        if (self.Child(i) == c) return true;
    }
    return false;
}

void TGraphicHost::PaintChildren(const std::function<void(TControl&)>& paint) {
    TComponent& self = HostComponent();
    for (size_t i = 0; i < self.ChildCount(); ++i) {
        auto* c = dynamic_cast<TGraphicControl*>(self.Child(i));
        if (c != nullptr && c->Visible() && !c->Loading()) paint(*c);
    }
}

void TGraphicHost::Forget(TControl* c) {
    if (hovered_ == c) hovered_ = nullptr;
    if (pressed_ == c) pressed_ = nullptr;
}

TImage::TImage(TComponent* owner) : TGraphicControl(owner) {
    picture_.OnChange = [this] { Invalidate(); };
}

void TImage::SetStretch(bool v) {
    if (v == stretch_) return;
    stretch_ = v;
    Invalidate();
}

void TImage::Paint(TPaintDevice& device) {
    if (picture_.Empty()) return;
    if (stretch_) {
        device.StretchDraw(TRect{0, 0, Width(), Height()}, picture_);
    } else {
        device.Draw(0, 0, picture_);
    }
}

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner), caption_([this] { Invalidate(); }) {
    font_.OnChange = [this] { Invalidate(); };
}

void TLabel::Paint(TPaintDevice& device) {
    device.SetTransparentBackground();
    device.UseFont(font_);
    if (autoSize_) {
        const int w = device.TextWidth(Caption());
        if (w != Width()) SetWidth(w);
    }
    device.WriteText(0, 0, Caption());
}

}  // namespace orv::toolkit
