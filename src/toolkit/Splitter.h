#pragma once
// A vertical splitter as far as it is portable: dragging it resizes the control before it (to
// its left), never below MinSize and never so far that less than MinSize stays for the controls
// after it. The window side feeds the drag in parent coordinates and applies the sizes.
#include <functional>
#include <string_view>

#include "toolkit/Component.h"
#include "toolkit/Controls.h"

namespace orv::toolkit {

class TSplitter : public TComponent {
  public:
    explicit TSplitter(TComponent* owner = nullptr) : TComponent(owner) {}
    std::u16string_view ClassName() const override { return u"TSplitter"; }

    // Smallest width of the control before and of the room after the splitter; at least 0.
    int MinSize() const { return minSize_; }
    void SetMinSize(int v) { minSize_ = v < 0 ? 0 : v; }
    // Width of the splitter itself.
    int Width() const { return width_; }
    void SetWidth(int v) { width_ = v < 1 ? 1 : v; }

    // The control before: its left edge and width; the splitter sits right of it.
    void SetControlBefore(int left, int width) {
        controlLeft_ = left;
        controlWidth_ = width;
    }
    int ControlWidth() const { return controlWidth_; }
    // The splitter's left edge in parent coordinates.
    int Left() const { return controlLeft_ + controlWidth_; }
    // Width of the parent's client area the split shares.
    void SetParentWidth(int v) { parentWidth_ = v; }
    // The widest the control before may become (never below MinSize).
    int MaxControlWidth() const;
    // The control width a drag that has reached parent x would give.
    int WidthForDrag(int x) const;

    // A press at parent x starts a drag; moves resize the control before through
    // OnResizeControl; the release fires OnMoved when the width differs from the start.
    void BeginDrag(int x);
    void DragTo(int x);
    // Also when the window lost the mouse: the control has its new width either way.
    void EndDrag();
    bool Dragging() const { return dragging_; }

    // The control before gets this width (the model already holds it), while dragging.
    std::function<void(int width)> OnResizeControl;
    TNotifyEvent OnMoved;

  protected:
    // A window applies the width to its control here, then calls this to fire the event.
    virtual void ResizeControl(int width) {
        if (OnResizeControl) OnResizeControl(width);
    }

  private:
    int minSize_ = 30;
    int width_ = 3;
    int controlLeft_ = 0;
    int controlWidth_ = 0;
    int parentWidth_ = 0;
    bool dragging_ = false;
    int grabOffset_ = 0;  // press x minus the splitter's left
    int startWidth_ = 0;
};

}  // namespace orv::toolkit
