#pragma once
// A flat progress bar as far as it is portable: position within [Min, Max], visibility and the
// width of the filled part. Scans set the position thousands of times; the view is told only when
// the filled width or the look changes, so most updates cost nothing.
#include <string_view>

#include "toolkit/Component.h"
#include "toolkit/Graphics.h"
#include "toolkit/PaintDevice.h"

namespace orv::toolkit {

class TProgressBar : public TComponent {
  public:
    // Bits of TView::ModelChanged.
    static constexpr unsigned kRepaint = 1;
    static constexpr unsigned kVisibility = 2;

    class TView {
      public:
        virtual ~TView() = default;
        virtual void ModelChanged(unsigned what) = 0;
    };

    // The green of the share bars in the result lists.
    static constexpr TColor kBarColor = MakeColor(96, 224, 96);
    static constexpr TColor kBackColor = MakeColor(255, 255, 255);
    static constexpr TColor kFrameColor = MakeColor(188, 188, 188);

    explicit TProgressBar(TComponent* owner = nullptr);
    std::u16string_view ClassName() const override { return u"TProgressBar"; }
    void SetView(TView* view) { view_ = view; }

    int Min() const { return min_; }
    int Max() const { return max_; }
    // A range with Max below Min is taken as empty (Max := Min); the position stays within it.
    void SetRange(int min, int max);
    void SetMin(int v) { SetRange(v, max_ < v ? v : max_); }
    void SetMax(int v) { SetRange(min_ < v ? min_ : v, v); }
    int Position() const { return position_; }
    // Clamped into [Min, Max].
    void SetPosition(int v);
    void StepBy(int delta) { SetPosition(position_ + delta); }

    bool Visible() const { return visible_; }
    void SetVisible(bool v);

    TColor BarColor() const { return barColor_; }
    void SetBarColor(TColor c);
    TColor Color() const { return color_; }
    void SetColor(TColor c);

    void SetClientSize(int width, int height);
    int ClientWidth() const { return width_; }
    int ClientHeight() const { return height_; }
    // Pixels of the filled part inside the one-pixel frame; 0 for an empty range.
    int FilledWidth() const;

    // Frame, filled part and background over the whole client area.
    void Paint(TPaintDevice& device) const;

  private:
    void Notify(unsigned what);

    TView* view_ = nullptr;
    int min_ = 0;
    int max_ = 100;
    int position_ = 0;
    bool visible_ = true;
    TColor barColor_ = kBarColor;
    TColor color_ = kBackColor;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace orv::toolkit
