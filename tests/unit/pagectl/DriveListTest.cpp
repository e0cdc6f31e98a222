// The drive list model: entries from the platform's drives with label and icon, the texts that
// begin with the letter, the current drive through changes of the list and copies.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "platform/Shell.h"
#include "platform/SystemForwarder.h"
#include "toolkit/DriveList.h"

namespace orv::pagectl {
namespace {

using toolkit::TDriveList;

// Drives A:, C:, D: (no medium), N: (network) and X:; labels for C: and X:.
class FakeDrives : public platform::SystemForwarder {
  public:
    uint32_t mask = (1u << 0) | (1u << 2) | (1u << 3) | (1u << 13) | (1u << 23);
    uint32_t DriveType(std::u16string_view root) override {
        return root == u"N:\\" ? platform::kDriveRemote : platform::kDriveFixed;
    }
    std::set<std::u16string> asked;
    uint32_t LogicalDrives() override { return mask; }
    bool VolumeLabel(std::u16string_view root, std::u16string& label) override {
        asked.insert(std::u16string(root));
        static const std::map<std::u16string, std::u16string> labels{{u"C:\\", u"System"},
                                                                     {u"X:\\", u"Daten [alt]"}};
        const auto it = labels.find(std::u16string(root));
        label = it == labels.end() ? u"" : it->second;
        return root != u"D:\\";
    }
};

// Hands out numbered icons and counts what comes back.
class FakeShell : public platform::Shell {
  public:
    int next = 1;
    std::multiset<intptr_t> released;
    platform::IconHandle AssociatedSmallIcon(std::u16string_view) override {
        return reinterpret_cast<platform::IconHandle>(static_cast<intptr_t>(next++));
    }
    platform::IconHandle FileTypeSmallIcon(std::u16string_view) override { return nullptr; }
    void ReleaseIcon(platform::IconHandle icon) override {
        released.insert(reinterpret_cast<intptr_t>(icon));
    }
    bool Open(std::u16string_view) override { return false; }
    bool MoveToRecycleBin(std::u16string_view) override { return false; }
};

class DriveListTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::SetSystem(&sys);
        platform::SetShell(&shell);
    }
    void TearDown() override {
        platform::SetSystem(nullptr);
        platform::SetShell(nullptr);
    }
    FakeDrives sys;
    FakeShell shell;
};

TEST(DriveListText, BeginsWithTheLetter) {
    struct Case {
        char16_t letter;
        const char16_t* label;
        const char16_t* text;
    } const cases[] = {
        {u'C', u"System", u"C: [System]"},
        {u'd', u"", u"D:"},
        {u'Z', u"a b", u"Z: [a b]"},
        {u'1', u"x", u""},
        {0, u"", u""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TDriveList::EntryText(c.letter, c.label), c.text);
    }
}

TEST_F(DriveListTest, RefreshListsEveryDriveWithLabelAndIcon) {
    TDriveList list;
    int changes = 0;
    list.OnChange = [&](toolkit::TComponent*) { ++changes; };
    list.Refresh();
    ASSERT_EQ(list.Count(), 5);
    EXPECT_EQ(list.Text(0), u"A:");
    EXPECT_EQ(list.Text(1), u"C: [System]");
    EXPECT_EQ(list.Text(2), u"D:") << "no medium: no label";
    EXPECT_EQ(list.Text(3), u"N:");
    EXPECT_EQ(list.Text(4), u"X: [Daten [alt]]");
    EXPECT_EQ(sys.asked, (std::set<std::u16string>{u"C:\\", u"D:\\", u"X:\\"}))
        << "neither the floppy nor the network drive is asked";
    EXPECT_NE(list.Entry(1).Icon, nullptr);
    EXPECT_EQ(list.Drive(), u'A') << "the first entry is current";
    EXPECT_EQ(changes, 1);

    ASSERT_TRUE(list.SetDrive(u'x'));
    EXPECT_EQ(list.Text(), u"X: [Daten [alt]]");
    EXPECT_EQ(changes, 2);
    EXPECT_FALSE(list.SetDrive(u'Q'));
    EXPECT_FALSE(list.SetDrive(u'?'));
    EXPECT_EQ(list.Drive(), u'X') << "an unknown letter changes nothing";

    sys.mask &= ~(1u << 0);
    list.Refresh();
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(list.Drive(), u'X') << "the current drive survives a refresh";
    EXPECT_EQ(shell.released.size(), 5u) << "the first refresh's icons went back";
}

TEST_F(DriveListTest, DeletingKeepsTheCurrentDriveOrLosesIt) {
    TDriveList list;
    list.Refresh();
    list.SetDrive(u'D');
    int changes = 0;
    list.OnChange = [&](toolkit::TComponent*) { ++changes; };
    list.Delete(0);
    EXPECT_EQ(list.Drive(), u'D');
    EXPECT_EQ(list.ItemIndex(), 1);
    EXPECT_EQ(changes, 0);
    list.Delete(1);
    EXPECT_EQ(list.ItemIndex(), -1);
    EXPECT_EQ(list.Drive(), 0);
    EXPECT_EQ(list.Text(), u"");
    EXPECT_EQ(changes, 1);
    list.Delete(7);
    EXPECT_EQ(list.Count(), 3);
}

TEST_F(DriveListTest, ACopySharesTheIconsUntilTheLastGoes) {
    auto* page = new TDriveList;
    page->Refresh();
    page->SetDrive(u'C');
    {
        TDriveList dialog;
        dialog.Assign(*page);
        EXPECT_EQ(dialog.Count(), 5);
        EXPECT_EQ(dialog.Drive(), u'C');
        EXPECT_EQ(dialog.Entry(1).Icon, page->Entry(1).Icon);
    }
    EXPECT_TRUE(shell.released.empty()) << "the page still shows them";
    delete page;
    EXPECT_EQ(shell.released, (std::multiset<intptr_t>{1, 2, 3, 4, 5}));
}

TEST_F(DriveListTest, AddRefusesBadAndDoubleLettersAndReleasesTheirIcon) {
    TDriveList list;
    EXPECT_TRUE(list.AddDrive(u'e', u"Stick", shell.AssociatedSmallIcon(u"E:\\")));
    EXPECT_FALSE(list.AddDrive(u'E', u"again", shell.AssociatedSmallIcon(u"E:\\")));
    EXPECT_FALSE(list.AddDrive(u'#', u"", shell.AssociatedSmallIcon(u"#")));
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Text(0), u"E: [Stick]");
    EXPECT_EQ(list.ItemIndex(), -1) << "adding makes nothing current";
    EXPECT_EQ(shell.released, (std::multiset<intptr_t>{2, 3}));
}

}  // namespace
}  // namespace orv::pagectl
