// The page control: which page is active as pages come and go, what the pages hear of it, and
// that pages and page control may go in either order.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "toolkit/TabControls.h"

namespace orv::toolkit {
namespace {

// A page that writes down when it becomes active or stops being it.
class Page final : public TComponent, public TTabSheet {
  public:
    Page(std::u16string_view name, std::vector<std::u16string>& log) : log_(log) { SetName(name); }
    TComponent& SheetComponent() override { return *this; }

  protected:
    void ActiveChanged(bool active) override { log_.push_back((active ? u"+" : u"-") + Name()); }

  private:
    std::vector<std::u16string>& log_;
};

TEST(PageControl, TheFirstPageIsActiveAndOnlyOwnPagesCanBecomeIt) {
    std::vector<std::u16string> log;
    TPageControl pc, other;
    Page a(u"A", log), b(u"B", log), c(u"C", log);
    EXPECT_EQ(a.PageIndex(), -1);
    a.SetPageControl(&pc);
    b.SetPageControl(&pc);
    c.SetPageControl(&other);
    EXPECT_EQ(pc.PageCount(), 2);
    EXPECT_EQ(b.PageIndex(), 1);
    EXPECT_EQ(pc.ActivePage(), &a);
    EXPECT_TRUE(a.IsActive());
    pc.SetActivePage(&c);
    pc.SetActivePage(nullptr);
    pc.SetActivePageIndex(5);
    EXPECT_EQ(pc.ActivePage(), &a) << "foreign, null and missing pages are refused";
    pc.SetActivePageIndex(1);
    EXPECT_EQ(pc.ActivePage(), &b);
    pc.SetActivePage(&b);
    EXPECT_EQ(log, (std::vector<std::u16string>{u"+A", u"+C", u"-A", u"+B"}));
}

TEST(PageControl, WhenTheActivePageLeavesTheNextTakesOver) {
    std::vector<std::u16string> log;
    TPageControl pc;
    Page a(u"A", log), b(u"B", log);
    auto c = std::make_unique<Page>(u"C", log);
    a.SetPageControl(&pc);
    b.SetPageControl(&pc);
    c->SetPageControl(&pc);
    pc.SetActivePage(&b);
    log.clear();
    b.SetPageControl(nullptr);
    EXPECT_EQ(pc.ActivePage(), c.get()) << "the next page";
    EXPECT_FALSE(b.IsActive());
    EXPECT_EQ(c->PageIndex(), 1) << "the pages after it move up";
    EXPECT_EQ(log, (std::vector<std::u16string>{u"+C", u"-B"}));
    log.clear();
    c.reset();
    EXPECT_EQ(pc.ActivePage(), &a) << "the last page went: the one before it";
    EXPECT_EQ(pc.PageCount(), 1);
    EXPECT_EQ(log, (std::vector<std::u16string>{u"+A"})) << "a page being destroyed hears nothing";
}

TEST(PageControl, PagesOutliveTheirPageControl) {
    std::vector<std::u16string> log;
    Page a(u"A", log);
    {
        TPageControl pc;
        a.SetPageControl(&pc);
    }
    EXPECT_EQ(a.PageControl(), nullptr);
    EXPECT_EQ(a.PageIndex(), -1);
    EXPECT_FALSE(a.IsActive());
}

TEST(PageControl, APlainSheetIsATranslatableComponent) {
    TComponent form;
    auto* sheet = new TPlainTabSheet(&form);
    sheet->SetName(u"TabSheet_LANG");
    EXPECT_EQ(sheet->ClassName(), u"TTabSheet");
    EXPECT_EQ(form.FindComponent(u"tabsheet_lang"), sheet);
    TTextSlot* slot = sheet->TextSlot(TTextSlotKind::Caption);
    ASSERT_NE(slot, nullptr);
    slot->Set(u"Language");
    EXPECT_EQ(sheet->Caption(), u"Language");
    EXPECT_EQ(sheet->TextSlot(TTextSlotKind::MarkupText), nullptr);
}

}  // namespace
}  // namespace orv::toolkit
