// The single-instance guard: a second start activates the first window and does nothing else;
// the first instance holds its mutex until the very end.
#include <gtest/gtest.h>

#include "FakeStartup.h"
#include "app/NichtDoppeltStarten.h"

namespace orv::app::testing {
namespace {

TEST(InstanceGuard, SecondInstanceActivatesTheFirstAndRunsNothingElse) {
    StartupFixture f;
    f.sys.otherInstanceRuns = true;
    EXPECT_EQ(f.Run({u"-SAVE"}), 0);
    EXPECT_EQ(f.sys.mutexNames, std::vector<std::u16string>{u"Talvik_ORV2023"});
    EXPECT_EQ(f.sys.activated, std::vector<std::u16string>{u"TForm_KT7"});
    EXPECT_TRUE(f.log.empty());  // no hook, no message, no pumping, no loop
    EXPECT_TRUE(f.sys.boxes.empty());
    EXPECT_EQ(f.sys.runtimeVersionCalls, 0);
    EXPECT_EQ(f.sys.adminChecks, 0);
    EXPECT_TRUE(f.reg.writes.empty());
    EXPECT_TRUE(ProgramFolder.empty());
    EXPECT_FALSE(f.sys.mutexAlive);
    EXPECT_EQ(f.sys.debugLines.back(), u"Startup: exit 0");
}

TEST(InstanceGuard, FirstInstanceHoldsTheMutexThroughTheMessageLoop) {
    StartupFixture f;
    EXPECT_EQ(f.Run({}), 0);
    EXPECT_EQ(f.sys.mutexNames, std::vector<std::u16string>{u"Talvik_ORV2023"});
    EXPECT_TRUE(f.sys.activated.empty());
    EXPECT_TRUE(f.sys.mutexAliveInLoop);
    EXPECT_FALSE(f.sys.mutexAlive);  // closed when the program ends
}

TEST(InstanceGuard, WithTheStandInMutexOnlyOneGuardWinsUntilItEnds) {
    // The POSIX stand-in keeps named mutexes per process, like the kernel does per session.
    auto first = std::make_unique<TInstanceGuard>();
    ASSERT_TRUE(first->Acquire());
    TInstanceGuard second;
    EXPECT_FALSE(second.Acquire());
    first.reset();
    TInstanceGuard third;
    EXPECT_TRUE(third.Acquire());
}

}  // namespace
}  // namespace orv::app::testing
