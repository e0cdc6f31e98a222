// Layout of the mark-up label: words, lines, tags and links, measured at 10 pixels a character.
#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "RecordingDevice.h"
#include "toolkit/HTMLabel.h"

namespace orv::toolkit {
namespace {

int Measure(std::u16string_view t, bool bold) {
    return static_cast<int>(t.size()) * (bold ? 12 : 10);
}

// The layout as "text@x,y" pieces, with b for bold, c for a colour and a link's href.
std::string Describe(const TMarkupLayout& l) {
    std::string out;
    for (const TMarkupRun& r : l.Runs) {
        if (!out.empty()) out += " | ";
        for (char16_t ch : r.Text) out += ch < 128 ? static_cast<char>(ch) : '?';
        out += "@" + std::to_string(r.X) + "," + std::to_string(r.Y);
        if (r.Bold) out += " b";
        if (r.HasColor) out += " c" + std::to_string(r.Color);
        if (!r.Href.empty()) {
            out += " ->";
            for (char16_t ch : r.Href) out += static_cast<char>(ch);
        }
    }
    return out;
}

TEST(MarkupLayout, TagsAndLines) {
    struct Case {
        const char* what;
        std::u16string markup;
        int width;
        std::string want;
        int height;
    };
    const Case cases[] = {
        {"plain words", u"ab cd", 200, "ab@0,0 |  @20,0 | cd@30,0", 16},
        {"wrap drops the blank", u"abcd efgh", 60, "abcd@0,0 | efgh@0,20", 36},
        {"too long a word keeps its line", u"abcdefghij", 50, "abcdefghij@0,0", 16},
        {"br and bold", u"a<br><b>bc</b>", 200, "a@0,0 | bc@0,20 b", 36},
        {"tags ignore case", u"<B>x</B><BR>y", 200, "x@0,0 b | y@0,20", 36},
        {"font colour by hex and name",
         u"<FONT color=\"#FF0000\">r</FONT><font color=clBlue>b</font>", 200,
         "r@0,0 c255 | b@10,0 c16711680", 16},
        {"unreadable colour uses the label's", u"<FONT color=\"zz\">r</FONT>x", 200,
         "r@0,0 | x@10,0", 16},
        {"indent", u"a<IND x=\"50\">b", 200, "a@0,0 | b@50,0", 16},
        {"centred paragraph", u"<P align=\"center\">ab</P>", 100, "ab@40,0", 16},
        {"right paragraph then left", u"<P align=right>ab</P>cd", 100, "ab@80,0 | cd@0,20", 36},
        {"link", u"see <a href=\"1\">here</a>.", 200, "see@0,0 |  @30,0 | here@40,0 ->1 | .@80,0",
         16},
        {"punctuation right after bold and colour", u"<b>ab</b>. <font color=red>c</font>!", 200,
         "ab@0,0 b | .@24,0 |  @34,0 | c@44,0 c255 | !@54,0", 16},
        {"a blank takes the font it is in", u"<b>a </b>b a<b> b</b>", 200,
         "a@0,0 b |  @12,0 b | b@24,0 |  @34,0 | a@44,0 |  @54,0 b | b@66,0 b", 16},
        {"entities and blank runs", u"a &amp;\n\n  b&lt;", 200,
         "a@0,0 |  @10,0 | &@20,0 |  @30,0 | b<@40,0", 16},
        {"unknown tags are skipped, an open < is text", u"<i>a</i> 1<2", 200,
         "a@0,0 |  @10,0 | 1<2@20,0", 16},
        {"empty", u"", 200, "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const TMarkupLayout l = LayoutMarkup(c.markup, c.width, 16, 4, Measure);
        EXPECT_EQ(Describe(l), c.want);
        EXPECT_EQ(l.Height, c.height);
    }
}

// Measures and draws in whatever font is selected: bold 12 pixels a character, else 10.
class StyleDevice : public test::RecordingDevice {
  public:
    struct Drawn {
        int x;
        std::u16string text;
        bool bold;
    };
    std::vector<Drawn> drawn;
    void UseFont(const TFont& f) override {
        RecordingDevice::UseFont(f);
        bold_ = (f.Style() & fsBold) != 0;
    }
    int TextWidth(std::u16string_view t) override {
        return static_cast<int>(t.size()) * (bold_ ? 12 : 10);
    }
    void WriteText(int x, int y, std::u16string_view t) override {
        RecordingDevice::WriteText(x, y, t);
        drawn.push_back({x, std::u16string(t), bold_});
    }

  private:
    bool bold_ = false;
};

TEST(HTMLabel, DrawsEachPieceInTheFontItWasMeasuredIn) {
    THTMLabel label;
    label.SetBounds(0, 0, 400, 20);
    label.SetTransparent(true);
    label.SetHTMLText(
        u"ab <b>cd</b>. <font color=red>ef</font>, <a href=\"x\">gh</a> <b><a "
        u"href=\"y\">ij</a></b>");
    StyleDevice d;
    label.Paint(d);
    // Each piece starts where the one before it ends, in the width its own font gives it.
    const struct {
        const char* text;
        bool bold;
    } want[] = {{"ab", false}, {" ", false},  {"cd", true}, {".", false},
                {" ", false},  {"ef", false}, {",", false}, {" ", false},
                {"gh", false}, {" ", false},  {"ij", true}};
    ASSERT_EQ(d.drawn.size(), std::size(want));
    int x = 0;
    for (size_t i = 0; i < d.drawn.size(); ++i) {
        SCOPED_TRACE(want[i].text);
        EXPECT_EQ(std::string(d.drawn[i].text.begin(), d.drawn[i].text.end()), want[i].text);
        EXPECT_EQ(d.drawn[i].bold, want[i].bold);
        EXPECT_EQ(d.drawn[i].x, x);
        x += static_cast<int>(d.drawn[i].text.size()) * (want[i].bold ? 12 : 10);
    }
}

TEST(MarkupColor, Texts) {
    struct Case {
        std::u16string text;
        bool ok;
        TColor want;
    };
    const Case cases[] = {
        {u"#FF8000", true, MakeColor(255, 128, 0)},
        {u"$0080FF", true, MakeColor(255, 128, 0)},
        {u"white", true, MakeColor(255, 255, 255)},
        {u"clWhite", true, MakeColor(255, 255, 255)},
        {u"#FF80", false, 0},
        {u"#GG0000", false, 0},
        {u"", false, 0},
    };
    for (const Case& c : cases) {
        TColor got = 0;
        EXPECT_EQ(ParseMarkupColor(c.text, got), c.ok);
        if (c.ok) {
            EXPECT_EQ(got, c.want);
        }
    }
}

TEST(HTMLabel, CentresVerticallyAndClicksLinks) {
    test::RecordingHost host;
    THTMLabel label;
    label.SetParent(&host);
    label.SetBounds(0, 0, 316, 84);
    label.Font().SetHeight(-13);  // the recording device makes lines 16 high
    label.SetLineSpacing(4);
    label.SetVAlignment(TVerticalAlignment::Center);
    label.SetTransparent(true);
    label.SetHTMLText(u"one<br><a href=\"x\">link</a>");
    test::RecordingDevice d;
    label.Paint(d);
    ASSERT_EQ(d.texts.size(), 2u);
    // Two lines: 16 + 4 + 16 = 36 high, centred in 84.
    EXPECT_EQ(d.texts[0].y, 24);
    EXPECT_EQ(d.texts[1].y, 44);
    EXPECT_EQ(d.texts[1].color, label.URLColor());
    EXPECT_TRUE(d.fills.empty()) << "transparent";
    EXPECT_EQ(label.TextSlot(TTextSlotKind::MarkupText)->Get(), label.HTMLText());

    std::u16string clicked;
    label.OnAnchorClick = [&](TComponent*, const std::u16string& href) { clicked = href; };
    host.HostMouseDown(TMouseButton::Left, 5, 30);
    host.HostMouseUp(TMouseButton::Left, 5, 30);
    EXPECT_TRUE(clicked.empty()) << "not on the link";
    host.HostMouseDown(TMouseButton::Left, 5, 50);
    host.HostMouseUp(TMouseButton::Left, 5, 50);
    EXPECT_EQ(clicked, u"x");
}

}  // namespace
}  // namespace orv::toolkit
