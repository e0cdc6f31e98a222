// The engine's callbacks hand its own state to the row rules: the folder share refers to the
// current folder's row in the full tree, not to a row of the visible tree.
#include <gtest/gtest.h>

#include "FakeCanvas.h"
#include "analysis/nogui_Orvella.h"
#include "platform/posix/Capture.h"
#include "toolkit/VirtualDrawTree.h"

namespace orv::analysis {
namespace {

TSizeNode Row(std::u16string path, int64_t size, bool folder) {
    TSizeNode r;
    r.FullPath = std::move(path);
    r.Size = size;
    r.IsFolder = folder;
    return r;
}

TEST(EngineEvents, DrawReadsTheCurrentFolderFromTheFullTree) {
    ResultTree full;
    TOrvella engine(&full);  // no library beside the test: the engine stays usable
    platform::posix::ClearCaptures();
    const NodeId folder = full.AddChild(kNoNode, Row(u"C:\\Data", 1000, true));
    engine.TotalSize = 4000;
    engine.Current_RootNode = folder;

    ResultTree visible;
    const NodeId row = visible.AddChild(kNoNode, Row(u"C:\\Data\\a.bin", 250, false));
    testing::FakeCanvas canvas;
    toolkit::TPaintInfo info{canvas, row, 5, toolkit::TRect{0, 0, 120, 18},
                             toolkit::TRect{0, 0, 120, 18}};
    engine.DefaultEvent_DrawNode(visible, info);
    ASSERT_FALSE(canvas.texts.empty());
    EXPECT_EQ(canvas.texts.back().text, u"25.000");

    info.Column = 4;
    canvas.texts.clear();
    engine.DefaultEvent_DrawNode(visible, info);
    ASSERT_FALSE(canvas.texts.empty());
    EXPECT_EQ(canvas.texts.back().text, u"6.250");

    // Without a current folder the folder share stays empty.
    engine.Current_RootNode = kNoNode;
    info.Column = 5;
    canvas.texts.clear();
    engine.DefaultEvent_DrawNode(visible, info);
    EXPECT_TRUE(canvas.texts.empty() || canvas.texts.back().text.empty());
}

TEST(EngineEvents, CompareForwardsTheColumnRules) {
    ResultTree full;
    TOrvella engine(&full);
    const NodeId big = full.AddChild(kNoNode, Row(u"C:\\b", 20, false));
    const NodeId small = full.AddChild(kNoNode, Row(u"C:\\a", 10, false));
    EXPECT_EQ(engine.DefaultEvent_CompareNodes(full, big, small, 3), -1);
    EXPECT_EQ(engine.DefaultEvent_CompareNodes(full, big, small, 0), 1);
    EXPECT_EQ(engine.DefaultEvent_MakeComparer(full, 3)(big, small) < 0, true);
}

}  // namespace
}  // namespace orv::analysis
