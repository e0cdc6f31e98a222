#include "toolkit/Splitter.h"

#include <algorithm>

namespace orv::toolkit {

int TSplitter::MaxControlWidth() const {
    return std::max(parentWidth_ - controlLeft_ - width_ - minSize_, minSize_);
}

int TSplitter::WidthForDrag(int x) const {
    return std::clamp(x - grabOffset_ - controlLeft_, minSize_, MaxControlWidth());
}

void TSplitter::BeginDrag(int x) {
    dragging_ = true;
    grabOffset_ = x - Left();
    startWidth_ = controlWidth_;
}

void TSplitter::DragTo(int x) {
    if (!dragging_) return;
    const int w = WidthForDrag(x);
    if (w == controlWidth_) return;
    controlWidth_ = w;
    ResizeControl(w);
}

void TSplitter::EndDrag() {
    if (!dragging_) return;
    dragging_ = false;
    if (controlWidth_ != startWidth_ && OnMoved) OnMoved(this);
}

}  // namespace orv::toolkit
