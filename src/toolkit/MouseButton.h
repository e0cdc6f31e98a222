#pragma once
// The mouse buttons, shared by the graphic controls and the tree grid.

namespace orv::toolkit {

enum class TMouseButton { Left, Right, Middle };

}  // namespace orv::toolkit
