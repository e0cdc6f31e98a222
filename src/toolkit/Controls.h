#pragma once
// Controls as far as they are portable: position, state, events and the windowless "graphic
// controls" that their parent paints and feeds with the mouse. A TGraphicHost is the parent
// side: the Win32 windows that host graphic controls forward their paint and mouse messages to
// it.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "toolkit/Component.h"
#include "toolkit/Graphics.h"
#include "toolkit/MouseButton.h"
#include "toolkit/PaintDevice.h"

namespace orv::toolkit {

class TControl;
class TGraphicHost;

using TNotifyEvent = std::function<void(TComponent* sender)>;
using TMouseEvent = std::function<void(TComponent* sender, TMouseButton button, int x, int y)>;

enum class TCursor { Default, HandPoint, SizeNWSE };
enum class TAlign { None, Top, Bottom, Left, Right, Client };
enum TAnchor : uint8_t { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
enum class TAlignment { LeftJustify, RightJustify, Center };

struct TMargins {
    int Left = 3;
    int Top = 3;
    int Right = 3;
    int Bottom = 3;
};

class TControl : public TComponent {
  public:
    explicit TControl(TComponent* owner = nullptr) : TComponent(owner) {}
    ~TControl() override;
    std::u16string_view ClassName() const override { return u"TControl"; }

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    TRect BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
    void SetBounds(int left, int top, int width, int height);
    void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
    void SetTop(int v) { SetBounds(left_, v, width_, height_); }
    void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
    void SetHeight(int v) { SetBounds(left_, top_, width_, v); }

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);
    bool Visible() const { return visible_; }
    void SetVisible(bool v);
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor c) { cursor_ = c; }
    TAlign Align() const { return align_; }
    void SetAlign(TAlign a) { align_ = a; }
    uint8_t Anchors() const { return anchors_; }
    void SetAnchors(uint8_t a) { anchors_ = a; }
    bool AlignWithMargins() const { return alignWithMargins_; }
    void SetAlignWithMargins(bool v) { alignWithMargins_ = v; }
    TMargins& Margins() { return margins_; }
    // While a form is being read its controls do not paint.
    bool Loading() const { return loading_; }
    void SetLoading(bool v) { loading_ = v; }

    // The host this control is painted by: the nearest parent that is one.
    TGraphicHost* Host() const;
    // Asks the host for a repaint of this control's area.
    void Invalidate();
    void Repaint() override { Invalidate(); }
    // Screen position of a point in this control's coordinates; the point itself without a host.
    void ClientToScreen(int& x, int& y) const;

    // Fires OnClick when one is assigned.
    virtual void Click();
    virtual void Paint(TPaintDevice&) {}

    // Notifications from the host; the defaults fire the standard events below.
    virtual void MouseEntered();
    virtual void MouseLeft();
    virtual void MouseDown(TMouseButton button, int x, int y);
    virtual void MouseUp(TMouseButton button, int x, int y);

    TNotifyEvent OnClick;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;

  private:
    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    bool enabled_ = true;
    bool visible_ = true;
    bool loading_ = false;
    TCursor cursor_ = TCursor::Default;
    TAlign align_ = TAlign::None;
    uint8_t anchors_ = akLeft | akTop;
    bool alignWithMargins_ = false;
    TMargins margins_;
};

// A control without a window of its own.
class TGraphicControl : public TControl {
  public:
    explicit TGraphicControl(TComponent* owner = nullptr) : TControl(owner) {}
    std::u16string_view ClassName() const override { return u"TGraphicControl"; }
};

// The parent side of graphic controls: paints its visible children in parenting order and
// turns mouse moves into enter and leave notifications of the control under the mouse.
class TGraphicHost {
  public:
    virtual ~TGraphicHost() = default;
    // The component whose children are painted: the host window itself.
    virtual TComponent& HostComponent() = 0;
    // Repaint of an area in host coordinates.
    virtual void InvalidateArea(const TRect& r) = 0;
    // Screen position of a host point.
    virtual void HostToScreen(int& x, int& y) const = 0;

    // The topmost visible graphic child at a host point; null over none.
    TControl* ControlAt(int x, int y);
    // The mouse moved to (x, y) in host coordinates.
    void HostMouseMove(int x, int y);
    // The mouse left the host.
    void HostMouseLeave();
    void HostMouseDown(TMouseButton button, int x, int y);
    void HostMouseUp(TMouseButton button, int x, int y);
    // Paints every visible child through a device that paint() sets up for the child's area.
    void PaintChildren(const std::function<void(TControl&)>& paint);
    TControl* Hovered() const { return hovered_; }
    // A child that goes must not be notified afterwards.
    void Forget(TControl* c);

  private:
    bool Contains(TControl* c);
    TControl* hovered_ = nullptr;
    TControl* pressed_ = nullptr;
};

// A picture control: shows its Picture, at its own size or stretched over the whole control.
class TImage : public TGraphicControl {
  public:
    explicit TImage(TComponent* owner = nullptr);
    std::u16string_view ClassName() const override { return u"TImage"; }
    TPicture& Picture() { return picture_; }
    bool Stretch() const { return stretch_; }
    void SetStretch(bool v);
    void Paint(TPaintDevice& device) override;

  private:
    TPicture picture_;
    bool stretch_ = false;
};

// A line of text in a font, on a transparent background.
class TLabel : public TGraphicControl {
  public:
    explicit TLabel(TComponent* owner = nullptr);
    std::u16string_view ClassName() const override { return u"TLabel"; }
    const std::u16string& Caption() const { return caption_.Value(); }
    void SetCaption(std::u16string_view text) { caption_.Set(text); }
    TFont& Font() { return font_; }
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool v) { autoSize_ = v; }
    TTextSlot* TextSlot(TTextSlotKind kind) override {
        return kind == TTextSlotKind::Caption ? &caption_ : nullptr;
    }
    void Paint(TPaintDevice& device) override;

  private:
    TStringSlot caption_;
    TFont font_;
    bool autoSize_ = true;
};

}  // namespace orv::toolkit
