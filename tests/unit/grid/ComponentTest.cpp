// The component model: ownership, parents, class names and translation slots.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/Component.h"
#include "toolkit/VirtualDrawTree.h"

namespace orv::toolkit {
namespace {

// Notes its destruction in a shared log; has a caption slot.
class Logged : public TComponent {
  public:
    Logged(TComponent* owner, std::string name, std::vector<std::string>& log)
        : TComponent(owner), log_(log) {
        SetName(std::u16string(name.begin(), name.end()));
    }
    ~Logged() override { log_.push_back(std::string(Name().begin(), Name().end())); }
    std::u16string_view ClassName() const override { return u"TLogged"; }
    TTextSlot* TextSlot(TTextSlotKind kind) override {
        return kind == TTextSlotKind::Caption ? &caption : nullptr;
    }
    TStringSlot caption;

  private:
    std::vector<std::string>& log_;
};

TEST(ComponentTest, OwnerKeepsCreationOrderAndDestroysLastFirst) {
    std::vector<std::string> log;
    auto* form = new Logged(nullptr, "Form", log);
    auto* a = new Logged(form, "A", log);
    auto* b = new Logged(form, "B", log);
    auto* c = new Logged(form, "C", log);
    auto* inner = new Logged(b, "B1", log);
    ASSERT_EQ(form->ComponentCount(), 3u);
    EXPECT_EQ(form->Component(0), a);
    EXPECT_EQ(form->Component(1), b);
    EXPECT_EQ(form->Component(2), c);
    EXPECT_EQ(b->Component(0), inner);
    EXPECT_EQ(inner->Owner(), b);
    EXPECT_EQ(form->FindComponent(u"b"), b);
    EXPECT_EQ(form->FindComponent(u"B1"), nullptr);  // owned by B, not by the form
    delete form;
    // Each destructor logs before the base part destroys what the component owns.
    EXPECT_EQ(log, (std::vector<std::string>{"Form", "C", "B", "B1", "A"}));
}

TEST(ComponentTest, ComponentDestroyedAloneLeavesOwnerAndParent) {
    std::vector<std::string> log;
    Logged form(nullptr, "Form", log);
    auto* panel = new Logged(&form, "Panel", log);
    auto* label = new Logged(&form, "Label", log);
    label->SetParent(panel);
    ASSERT_EQ(panel->ChildCount(), 1u);
    EXPECT_EQ(label->Parent(), panel);
    delete label;
    EXPECT_EQ(form.ComponentCount(), 1u);
    EXPECT_EQ(panel->ChildCount(), 0u);
    // A child outlives a parent that does not own it: it is detached.
    auto* loose = new Logged(nullptr, "Loose", log);
    loose->SetParent(panel);
    delete panel;
    EXPECT_EQ(loose->Parent(), nullptr);
    delete loose;
}

TEST(ComponentTest, ParentChangesMoveTheChildAndRefuseCycles) {
    std::vector<std::string> log;
    Logged a(nullptr, "A", log), b(nullptr, "B", log), c(nullptr, "C", log);
    c.SetParent(&a);
    c.SetParent(&b);
    EXPECT_EQ(a.ChildCount(), 0u);
    ASSERT_EQ(b.ChildCount(), 1u);
    EXPECT_EQ(b.Child(0), &c);
    b.SetParent(&c);  // c is inside b
    EXPECT_EQ(b.Parent(), nullptr);
    c.SetParent(&c);
    EXPECT_EQ(c.Parent(), &b);
    c.SetParent(nullptr);
    EXPECT_EQ(b.ChildCount(), 0u);
}

TEST(ComponentTest, NameTagClassAndSlots) {
    TComponent plain;
    EXPECT_EQ(plain.Tag(), 0);
    EXPECT_EQ(plain.ClassName(), u"TComponent");
    EXPECT_EQ(plain.TextSlot(TTextSlotKind::Caption), nullptr);
    EXPECT_EQ(plain.ListSlot(TListSlotKind::TabCaptions), nullptr);
    plain.SetTag(7);
    EXPECT_EQ(plain.Tag(), 7);

    std::vector<std::string> log;
    Logged label(nullptr, "Label", log);
    TTextSlot* caption = label.TextSlot(TTextSlotKind::Caption);
    ASSERT_NE(caption, nullptr);
    caption->Set(u"Größe");
    EXPECT_EQ(label.caption.Value(), u"Größe");
    EXPECT_EQ(label.TextSlot(TTextSlotKind::MarkupText), nullptr);
}

TEST(ComponentTest, TreeGridOffersHeaderFontAndColumnCaptions) {
    TComponent form;
    auto* grid = new TVirtualDrawTree(&form);
    EXPECT_EQ(grid->ClassName(), u"TVirtualDrawTree");
    EXPECT_EQ(grid->Owner(), &form);
    EXPECT_EQ(grid->TextSlot(TTextSlotKind::Caption), nullptr);
    TTextSlot* font = grid->TextSlot(TTextSlotKind::HeaderFontName);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->Get(), u"Tahoma");
    font->Set(u"Arial");
    EXPECT_EQ(grid->HeaderFontName(), u"Arial");

    TListSlot* columns = grid->ListSlot(TListSlotKind::ColumnCaptions);
    ASSERT_NE(columns, nullptr);
    EXPECT_EQ(columns->Count(), 0u);
    grid->AddColumn(u"Name", 236);
    grid->AddColumn(u"Ordner", 68);
    ASSERT_EQ(columns->Count(), 2u);
    columns->Set(1, u"Folders");
    columns->Set(5, u"ignored");
    EXPECT_EQ(grid->Column(1).Text, u"Folders");
    EXPECT_EQ(columns->Get(0), u"Name");
    EXPECT_EQ(grid->ListSlot(TListSlotKind::TabCaptions), nullptr);
}

}  // namespace
}  // namespace orv::toolkit
