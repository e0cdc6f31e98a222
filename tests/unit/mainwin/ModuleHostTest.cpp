// The main window's arithmetic and decisions: constraints, module area, grip, custom frame,
// button pictures, help keyword, restart notice and the kept-pages list.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/ModuleHost.h"

namespace orv::app {
namespace {

TEST(ModuleHost, ConstraintsTakeTheSmallerOfWorkAreaPlus12AndDesktopMinus1) {
    struct Case {
        int work, desktop, maxHeight;
    } cases[] = {
        {984, 1024, 996},    // taskbar: the work area decides
        {1024, 1024, 1023},  // no taskbar: the desktop decides
        {700, 768, 712},
    };
    for (const Case& c : cases) {
        const TSizeConstraints k = ModuleAreaConstraints(c.work, c.desktop);
        EXPECT_EQ(k.MaxHeight, c.maxHeight) << c.work << "/" << c.desktop;
        EXPECT_EQ(k.MinWidth, 1122);
        EXPECT_EQ(k.MinHeight, 737);
        EXPECT_EQ(k.MaxWidth, 0);
    }
}

TEST(ModuleHost, ApplyConstraintsClampsAndIgnoresZeroLimits) {
    const TSizeConstraints k{1122, 737, 0, 996};
    EXPECT_EQ(ApplyConstraints(k, 800, 600), (TIntPoint{1122, 737}));
    EXPECT_EQ(ApplyConstraints(k, 3000, 2000), (TIntPoint{3000, 996})) << "no width limit";
    EXPECT_EQ(ApplyConstraints(k, 1200, 800), (TIntPoint{1200, 800}));
    // A screen lower than the minimum: the maximum wins, the window still fits.
    const TSizeConstraints small{1122, 737, 0, 700};
    EXPECT_EQ(ApplyConstraints(small, 1200, 800).Y, 700);
    EXPECT_EQ(ApplyConstraints(TSizeConstraints{}, 5, 7), (TIntPoint{5, 7}));
}

TEST(ModuleHost, ModuleAreaAndGripFollowTheClientSize) {
    EXPECT_EQ(ModuleAreaBounds(1119, 735), (TIntRect{0, 57, 1119, 735}));
    EXPECT_EQ(SizeGripPlace(1119, 735, 24, 24), (TIntPoint{1093, 709}));
    EXPECT_EQ(SizeGripPlace(1280, 1000, 0, 0), (TIntPoint{1278, 998})) << "empty grip";
    // Right-anchored header buttons keep their distance from the right edge of the design.
    EXPECT_EQ(RightAnchoredLeft(858, kDesignClientWidth), 858);
    EXPECT_EQ(RightAnchoredLeft(858, 1119), 1083);
    EXPECT_EQ(RightAnchoredLeft(642, 1119), 867);
}

TEST(ModuleHost, MovedWindowSnapsToWorkAreaEdgesWithinTenPixels) {
    const TIntRect work{0, 0, 1280, 984};
    struct Case {
        TIntRect window;
        TIntPoint place;
    } cases[] = {
        {{10, 10, 1132, 747}, {0, 0}},        // both edges within 10: snapped
        {{11, 200, 1133, 937}, {11, 200}},    // 11 away: left alone
        {{-7, 250, 1115, 987}, {0, 247}},     // over the left edge; bottom 3 below
        {{150, 100, 1272, 837}, {158, 100}},  // right edge 8 short
        {{300, 300, 800, 600}, {300, 300}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SnapToWorkArea(c.window, work), c.place) << c.window.Left << "," << c.window.Top;
    }
}

TEST(ModuleHost, CustomFrameLeavesTwoPixelsOnTopAndBeforeWindows10TwoOneOne) {
    // Default handling gave the client inside a 4-pixel frame (plus a static edge).
    const TIntRect proposed{105, 205, 995, 795};
    const TIntRect thickness{4, 4, 4, 4};
    EXPECT_EQ(CustomFrameClient(proposed, thickness, true), (TIntRect{105, 203, 995, 795}));
    EXPECT_EQ(CustomFrameClient(proposed, thickness, false), (TIntRect{103, 203, 998, 798}));
    const TIntRect uneven{3, 5, 7, 9};
    EXPECT_EQ(CustomFrameClient(proposed, uneven, false), (TIntRect{104, 202, 1001, 803}));
}

TEST(ModuleHost, HeaderButtonsTakeTheirSkinPictures) {
    struct Case {
        THeaderButton b;
        std::u16string_view normal, hover;
    } cases[] = {
        {THeaderButton::Close, u"but_close.png", u"but_close_hover.png"},
        {THeaderButton::Maximize, u"but_maximize.png", u"but_maximize_hover.png"},
        {THeaderButton::Minimize, u"but_minimize.png", u"but_minimize_hover.png"},
        {THeaderButton::Help, u"but_help_normal.png", u"but_help_hover.png"},
        {THeaderButton::Options, u"but_settings_normal.png", u"but_settings_hover.png"},
        {THeaderButton::IM, u"but_internet_normal.png", u"but_internet_hover.png"},
        {THeaderButton::Feedback, u"but_feedback_normal.png", u"but_feedback_hover.png"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HeaderButtonPictures(c.b).Normal, c.normal);
        EXPECT_EQ(HeaderButtonPictures(c.b).Hover, c.hover);
    }
    EXPECT_EQ(MaximizeButtonPictures(true).Normal, u"but_unmax_normal.png");
    EXPECT_EQ(MaximizeButtonPictures(true).Hover, u"but_unmax_hover.png");
    EXPECT_EQ(MaximizeButtonPictures(false).Normal, u"but_maximize.png");
}

TEST(ModuleHost, DecisionsOfTheMenus) {
    EXPECT_EQ(HelpKeyword(u"", true), u"main");
    EXPECT_EQ(HelpKeyword(u"orv", false), u"main") << "no page hosted";
    EXPECT_EQ(HelpKeyword(u"orv", true), u"orv");

    struct Restart {
        std::u16string_view storedSkin, runningSkin, storedLang, runningLang;
        bool notice;
    } restarts[] = {
        {u"", u"default", u"", u"de-de", false},
        {u"default", u"default", u"de-de", u"de-de", false},
        {u"dark", u"default", u"", u"de-de", true},
        {u"", u"default", u"en-us", u"de-de", true},
        {u"Default", u"default", u"", u"de-de", true},  // exact comparison, with case
    };
    for (const Restart& r : restarts) {
        EXPECT_EQ(
            OptionsNeedRestartNotice(r.storedSkin, r.runningSkin, r.storedLang, r.runningLang),
            r.notice);
    }
    for (int answer : {-1, 0, 2, 6, 8}) EXPECT_FALSE(InternetAnswerEndsProgram(answer)) << answer;
    EXPECT_TRUE(InternetAnswerEndsProgram(1));
    EXPECT_TRUE(InternetAnswerEndsProgram(7));
    EXPECT_EQ(WithoutAmpersands(u"&\u00dcber && diese&"), u"\u00dcber  diese");
}

struct FakeForm {
    std::u16string name;
};

TEST(KeepForms, LookupsCountOnlyEntriesWithAForm) {
    TKeepFormList<FakeForm, int> list;
    FakeForm a{u"A"}, b{u"B"};
    list.Entries() = {{7, nullptr}, {7, &a}, {9, &b}, {9, &a}};
    EXPECT_EQ(list.IsKeepForm(&a), 1);
    EXPECT_EQ(list.IsKeepForm(&b), 2);
    EXPECT_EQ(list.IsKeepForm(nullptr), -1) << "an empty entry never matches";
    EXPECT_EQ(list.IsKeepFormClass(7), 1);
    EXPECT_EQ(list.IsKeepFormClass(9), 2);
    EXPECT_EQ(list.IsKeepFormClass(5), -1);
}

TEST(KeepForms, ClearAllReleasesLastFirstClearsTheHostedPageAndGoesOnAfterErrors) {
    TKeepFormList<FakeForm, int> list;
    FakeForm a{u"Form_A"}, b{u"Form_B"}, c{u"Form_C"};
    list.Entries() = {{1, &a}, {2, nullptr}, {3, &b}, {4, &c}};
    FakeForm* current = &b;
    std::vector<std::u16string> log;
    std::vector<FakeForm*> destroyed;
    list.ClearAll(
        current, [&](std::u16string_view l) { log.emplace_back(l); },
        [](FakeForm* f) { return f->name; },
        [&](FakeForm* f) {
            destroyed.push_back(f);
            return f != &c;  // the first one fails; the rest still goes
        });
    EXPECT_EQ(current, nullptr);
    EXPECT_EQ(destroyed, (std::vector<FakeForm*>{&c, &b, &a}));
    EXPECT_EQ(log,
              (std::vector<std::u16string>{
                  u"KeepFormLoaded_ClearAll",
                  u"KeepFormLoaded_ClearAll ; Close=Form_C",
                  u"KeepFormLoaded_ClearAll ; Close=Form_B",
                  u"KeepFormLoaded_ClearAll ; this is the current MainForm ; clear currentmainform",
                  u"KeepFormLoaded_ClearAll ; Close=Form_A",
              }));
    EXPECT_TRUE(list.Entries().empty());
}

}  // namespace
}  // namespace orv::app
