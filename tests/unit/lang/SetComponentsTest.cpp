// Set_Components: which slot of which kind receives the text, the list rule for tabs and
// columns, tags and ownership.
#include <gtest/gtest.h>

#include "LangTestSupport.h"

namespace orv::lang::testing {
namespace {

TLang LangOf(std::initializer_list<std::string_view> lines) {
    TLang lang;
    lang.Translation.LoadFromBytes(Utf8File(lines));
    return lang;
}

TEST(SetComponents, ListRuleForTabsAndColumns) {
    const struct {
        std::u16string_view kind;
        size_t items;
        std::string_view line;
        std::vector<std::u16string> captions;
    } cases[] = {
        {u"TAdvOfficeTabSet", 3, "F.X=One%CRLFTwo", {u"One", u"Two", u"Two"}},
        {u"TAdvOfficeTabSet", 3, "F.X=One%CRLFTwo%CRLFThree%CRLFFour", {u"One", u"Two", u"Three"}},
        {u"TAdvOfficeTabSet", 2, "F.X=Only", {u"Only", u"Only"}},
        {u"TAdvOfficeTabSet", 3, "F.X=One%CRLF", {u"One", u"", u""}},
        {u"TListView", 2, "F.X=Name%crlfSize", {u"Name", u"Size"}},
        {u"TVirtualDrawTree", 3, "F.X=A%CRLFB", {u"A", u"B", u"B"}},
    };
    for (const auto& c : cases) {
        TLang lang = LangOf({c.line});
        TComponent form;
        auto* list = new Listed(&form, u"X", 1, c.kind, c.items);
        lang.Set_Components(u"F", &form);
        EXPECT_EQ(list->list.items, c.captions) << Utf16ToUtf8(c.kind) << " " << c.line;
        EXPECT_EQ(list->caption.Value(), u"") << "a list kind's caption is not its text";
        EXPECT_EQ(lang.MissingObjects, 0u);
    }
}

TEST(SetComponents, ListKindsWithoutItemsCountAsNotHandled) {
    for (auto kind : {u"TAdvOfficeTabSet", u"TListView", u"TVirtualDrawTree"}) {
        TLang lang = LangOf({"F.X=A%CRLFB"});
        TComponent form;
        auto* list = new Listed(&form, u"X", 1, kind, 0);
        lang.Set_Components(u"F", &form);
        EXPECT_EQ(lang.MissingObjects, 1u) << Utf16ToUtf8(kind);
        EXPECT_EQ(list->caption.Value(), u"") << "no fallback to the caption";
    }
}

TEST(SetComponents, TreeGridHeaderFontBecomesTahoma) {
    TLang lang = LangOf({"F.Tree=Name", "F.Empty=Name"});
    TComponent form;
    auto* tree = new Listed(&form, u"Tree", 1, u"TVirtualDrawTree", 1);
    auto* empty = new Listed(&form, u"Empty", 1, u"TVirtualDrawTree", 0);
    auto* untranslated = new Listed(&form, u"Other", 1, u"TVirtualDrawTree", 1);
    lang.Set_Components(u"F", &form);
    EXPECT_EQ(tree->headerFont.Value(), u"Tahoma");
    EXPECT_EQ(empty->headerFont.Value(), u"Tahoma");   // changed although not handled
    EXPECT_EQ(untranslated->headerFont.Value(), u"");  // no text: nothing touched
    EXPECT_EQ(lang.MissingObjects, 1u);
}

TEST(SetComponents, TextGoesToTheSlotOfTheKind) {
    TLang lang = LangOf({"F.Html=<b>bold</b>", "F.Derived=derived", "F.Smooth=smooth",
                         "F.Label=label", "F.Bare=bare"});
    TComponent form;
    auto* html = new MarkupLabel(&form, u"Html", 1, u"THTMLabel");
    auto* derived = new MarkupLabel(&form, u"Derived", 1, u"TMyHTMLabel");
    auto* smooth = new SmoothLabel(&form, u"Smooth", 1, u"TAdvSmoothLabel");
    auto* label = new Captioned(&form, u"Label", 1, u"TLabel");
    new TextComponent(&form, u"Bare", 1, u"TTimer");  // nowhere to put the text
    lang.Set_Components(u"F", &form);
    EXPECT_EQ(html->markup.Value(), u"<b>bold</b>");
    EXPECT_EQ(html->caption.Value(), u"");
    EXPECT_EQ(derived->markup.Value(), u"derived") << "a derived kind uses its mark-up slot";
    EXPECT_EQ(derived->caption.Value(), u"");
    EXPECT_EQ(smooth->captionObject.Value(), u"smooth");
    EXPECT_EQ(smooth->caption.Value(), u"");
    EXPECT_EQ(label->caption.Value(), u"label");
    EXPECT_EQ(lang.MissingObjects, 1u);
}

TEST(SetComponents, TagZeroKeepsItsTextWhileOwnedComponentsAreTranslated) {
    TLang lang = LangOf({"F.Panel=panel text", "F.Inner=inner text", "F.Deep=deep text"});
    Captioned form(nullptr, u"F", 0, u"TForm");
    auto* panel = new Captioned(&form, u"Panel", 0, u"TPanel");
    panel->caption.Set(u"design time");
    // Owned by the panel, not the form: reached through the panel.
    auto* inner = new Captioned(panel, u"Inner", 1, u"TLabel");
    auto* deep = new Captioned(inner, u"Deep", 1, u"TLabel");
    lang.Set_Components(u"F", &form);
    EXPECT_EQ(panel->caption.Value(), u"design time");
    EXPECT_EQ(inner->caption.Value(), u"inner text");
    EXPECT_EQ(deep->caption.Value(), u"deep text");
}

TEST(SetComponents, MissingTextLeavesTheDesignTimeTextAndCountsAMiss) {
    TLang lang = LangOf({"F.Empty="});
    TComponent form;
    auto* a = new Captioned(&form, u"Absent", 1, u"TLabel");
    auto* b = new Captioned(&form, u"Empty", 1, u"TLabel");
    a->caption.Set(u"Abbrechen");
    b->caption.Set(u"Ok");
    lang.Set_Components(u"F", &form);
    EXPECT_EQ(a->caption.Value(), u"Abbrechen");
    EXPECT_EQ(b->caption.Value(), u"Ok");
    EXPECT_EQ(lang.MissingItemsInTranslation, 2u);
    EXPECT_EQ(lang.MissingObjects, 0u);
}

TEST(SetComponents, TheWindowItselfIsTranslatedUnderItsSection) {
    TLang lang = LangOf({"Form_Options.Form_Options=Options", "Other.Button=wrong section"});
    Captioned form(nullptr, u"Form_Options", 1, u"TForm_Options");
    auto* button = new Captioned(&form, u"Button", 1, u"TButton");
    lang.Set_Components(u"Form_Options", &form);
    EXPECT_EQ(form.caption.Value(), u"Options");
    EXPECT_EQ(button->caption.Value(), u"");
}

TEST(SetComponents, OnlyTheTextButtonIsRepainted) {
    TLang lang = LangOf({"F.A=a", "F.B=b", "F.C="});
    TComponent form;
    auto* button = new Captioned(&form, u"A", 1, u"TPellUnicodeSTButton");
    auto* label = new Captioned(&form, u"B", 1, u"TLabel");
    auto* untranslated = new Captioned(&form, u"C", 1, u"TPellUnicodeSTButton");
    lang.Set_Components(u"F", &form);
    EXPECT_EQ(button->repaints, 1);
    EXPECT_EQ(label->repaints, 0);
    EXPECT_EQ(untranslated->repaints, 0);
}

TEST(SetComponents, TestingPutsTheTestTextIntoEveryTaggedComponent) {
    TLang lang = LangOf({"F.A=a"});
    TComponent form;
    auto* a = new Captioned(&form, u"A", 1, u"TLabel");
    auto* b = new Captioned(&form, u"B", 7, u"TLabel");
    auto* untagged = new Captioned(&form, u"C", 0, u"TLabel");
    lang.Set_Components(u"F", &form, true);
    EXPECT_EQ(a->caption.Value(), u"TEST TRANSLATION");
    EXPECT_EQ(b->caption.Value(), u"TEST TRANSLATION");
    EXPECT_EQ(untagged->caption.Value(), u"");
}

}  // namespace
}  // namespace orv::lang::testing
