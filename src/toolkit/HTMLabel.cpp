#include "toolkit/HTMLabel.h"

#include <algorithm>
#include <cstdlib>

namespace orv::toolkit {
namespace {

char16_t Lower(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

bool Same(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i])) return false;
    }
    return true;
}

bool IsSpace(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

int HexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    c = Lower(c);
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    return -1;
}

// A tag: its name (without "/") and attributes.
struct Tag {
    bool closing = false;
    std::u16string name;
    std::vector<std::pair<std::u16string, std::u16string>> attributes;
    std::u16string Attribute(std::u16string_view key) const {
        for (const auto& [k, v] : attributes) {
            if (Same(k, key)) return v;
        }
        return {};
    }
};

Tag ParseTag(std::u16string_view body) {
    Tag tag;
    size_t i = 0;
    while (i < body.size() && IsSpace(body[i])) ++i;
    if (i < body.size() && body[i] == u'/') {
        tag.closing = true;
        ++i;
    }
    const size_t nameStart = i;
    while (i < body.size() && !IsSpace(body[i]) && body[i] != u'/') ++i;
    tag.name.assign(body.substr(nameStart, i - nameStart));
    while (i < body.size()) {
        while (i < body.size() && (IsSpace(body[i]) || body[i] == u'/')) ++i;
        const size_t keyStart = i;
        while (i < body.size() && !IsSpace(body[i]) && body[i] != u'=') ++i;
        std::u16string key(body.substr(keyStart, i - keyStart));
        while (i < body.size() && IsSpace(body[i])) ++i;
        std::u16string value;
        if (i < body.size() && body[i] == u'=') {
            ++i;
            while (i < body.size() && IsSpace(body[i])) ++i;
            if (i < body.size() && (body[i] == u'"' || body[i] == u'\'')) {
                const char16_t quote = body[i++];
                const size_t vs = i;
                while (i < body.size() && body[i] != quote) ++i;
                value.assign(body.substr(vs, i - vs));
                if (i < body.size()) ++i;
            } else {
                const size_t vs = i;
                while (i < body.size() && !IsSpace(body[i])) ++i;
                value.assign(body.substr(vs, i - vs));
            }
        }
        if (!key.empty()) tag.attributes.emplace_back(std::move(key), std::move(value));
    }
    return tag;
}

// The character an entity at text[i] ("&amp;") stands for; advances i past it.
bool ReadEntity(std::u16string_view text, size_t& i, char16_t& out) {
    static const struct {
        std::u16string_view name;
        char16_t c;
    } kEntities[] = {
        {u"&amp;", u'&'}, {u"&lt;", u'<'}, {u"&gt;", u'>'}, {u"&quot;", u'"'}, {u"&nbsp;", 0x00A0}};
    for (const auto& e : kEntities) {
        if (text.size() - i >= e.name.size() && Same(text.substr(i, e.name.size()), e.name)) {
            out = e.c;
            i += e.name.size();
            return true;
        }
    }
    return false;
}

enum class Align { Left, Center, Right };

class Layouter {
  public:
    Layouter(int width, int lineHeight, int lineSpacing, const TMarkupMeasure& measure)
        : width_(width), lineHeight_(lineHeight), spacing_(lineSpacing), measure_(measure) {}

    void Word(std::u16string_view word, bool space) {
        if (word.empty()) return;
        if (space) {
            // A blank waits for the next word: none at the start or the end of a line.
            if (lineHasWords_) {
                pending_ = MakeRun(word);
                hasPending_ = true;
            }
            return;
        }
        TMarkupRun run = MakeRun(word);
        const int blank = hasPending_ ? pending_.Width : 0;
        if (lineHasWords_ && x_ + blank + run.Width > width_) {
            NewLine();
        } else if (hasPending_) {
            Place(std::move(pending_));
        }
        hasPending_ = false;
        Place(std::move(run));
    }

    void NewLine() {
        hasPending_ = false;
        FinishLine();
        y_ += lineHeight_ + spacing_;
        x_ = 0;
        lineHasWords_ = false;
        lineStart_ = out_.Runs.size();
        lines_ += 1;
    }

    void Indent(int x) {
        hasPending_ = false;
        x_ = x;
    }
    void Bold(bool on) { bold_ = std::max(0, bold_ + (on ? 1 : -1)); }
    void PushColor(TColor c) { colors_.push_back(c); }
    void PopColor() {
        if (!colors_.empty()) colors_.pop_back();
    }
    void Link(std::u16string href) { href_ = std::move(href); }
    void Paragraph(Align a) {
        if (lineHasWords_) NewLine();
        align_ = a;
    }
    void EndParagraph() {
        if (lineHasWords_) NewLine();
        align_ = Align::Left;
    }

    TMarkupLayout Finish() {
        FinishLine();
        // A last line without words adds no height.
        const int lines = lineHasWords_ ? lines_ + 1 : lines_;
        out_.Height = lines > 0 ? lines * lineHeight_ + (lines - 1) * spacing_ : 0;
        return std::move(out_);
    }

  private:
    TMarkupRun MakeRun(std::u16string_view word) const {
        TMarkupRun run;
        run.Text.assign(word);
        run.Width = measure_(word, bold_ > 0);
        run.Bold = bold_ > 0;
        if (!colors_.empty()) {
            run.HasColor = true;
            run.Color = colors_.back();
        }
        run.Href = href_;
        return run;
    }
    void Place(TMarkupRun run) {
        run.X = x_;
        run.Y = y_;
        x_ += run.Width;
        lineHasWords_ = true;
        out_.Runs.push_back(std::move(run));
    }

    void FinishLine() {
        if (align_ == Align::Left || lineStart_ >= out_.Runs.size()) return;
        const int used = x_;
        const int shift = align_ == Align::Right ? width_ - used : (width_ - used) / 2;
        if (shift <= 0) return;
        for (size_t i = lineStart_; i < out_.Runs.size(); ++i) out_.Runs[i].X += shift;
    }

    int width_, lineHeight_, spacing_;
    const TMarkupMeasure& measure_;
    TMarkupLayout out_;
    int x_ = 0;
    int y_ = 0;
    int lines_ = 0;
    bool lineHasWords_ = false;
    size_t lineStart_ = 0;
    int bold_ = 0;
    std::vector<TColor> colors_;
    std::u16string href_;
    Align align_ = Align::Left;
    TMarkupRun pending_;
    bool hasPending_ = false;
};

}  // namespace

bool ParseMarkupColor(std::u16string_view text, TColor& color) {
    if (text.size() == 7 && (text[0] == u'#' || text[0] == u'$')) {
        int v[6];
        for (int i = 0; i < 6; ++i) {
            v[i] = HexDigit(text[1 + i]);
            if (v[i] < 0) return false;
        }
        const auto byte = [&v](int i) { return static_cast<uint8_t>(v[i] * 16 + v[i + 1]); };
        color = text[0] == u'#' ? MakeColor(byte(0), byte(2), byte(4))
                                : MakeColor(byte(4), byte(2), byte(0));
        return true;
    }
    std::u16string_view name = text;
    if (name.size() > 2 && Same(name.substr(0, 2), u"cl")) name.remove_prefix(2);
    static const struct {
        std::u16string_view name;
        TColor c;
    } kNames[] = {
        {u"black", MakeColor(0, 0, 0)},      {u"white", MakeColor(255, 255, 255)},
        {u"red", MakeColor(255, 0, 0)},      {u"green", MakeColor(0, 128, 0)},
        {u"blue", MakeColor(0, 0, 255)},     {u"gray", MakeColor(128, 128, 128)},
        {u"grey", MakeColor(128, 128, 128)}, {u"silver", MakeColor(192, 192, 192)},
        {u"navy", MakeColor(0, 0, 128)},     {u"maroon", MakeColor(128, 0, 0)},
        {u"yellow", MakeColor(255, 255, 0)}, {u"lime", MakeColor(0, 255, 0)},
        {u"aqua", MakeColor(0, 255, 255)},   {u"fuchsia", MakeColor(255, 0, 255)},
        {u"purple", MakeColor(128, 0, 128)}, {u"teal", MakeColor(0, 128, 128)},
        {u"olive", MakeColor(128, 128, 0)},
    };
    for (const auto& n : kNames) {
        if (Same(name, n.name)) {
            color = n.c;
            return true;
        }
    }
    return false;
}

TMarkupLayout LayoutMarkup(std::u16string_view markup, int width, int lineHeight, int lineSpacing,
                           const TMarkupMeasure& measure) {
    Layouter l(width, lineHeight, lineSpacing, measure);
    std::u16string word;
    bool wordIsSpace = false;
    const auto flush = [&] {
        l.Word(word, wordIsSpace);
        word.clear();
    };
    size_t i = 0;
    while (i < markup.size()) {
        const char16_t c = markup[i];
        if (c == u'<') {
            const size_t end = markup.find(u'>', i + 1);
            if (end == std::u16string_view::npos) {
                // An unclosed "<" is text.
                if (wordIsSpace) flush();
                wordIsSpace = false;
                word.push_back(c);
                ++i;
                continue;
            }
            flush();
            wordIsSpace = false;
            const Tag tag = ParseTag(markup.substr(i + 1, end - i - 1));
            i = end + 1;
            if (Same(tag.name, u"b")) {
                l.Bold(!tag.closing);
            } else if (Same(tag.name, u"br")) {
                l.NewLine();
            } else if (Same(tag.name, u"font")) {
                if (tag.closing) {
                    l.PopColor();
                } else {
                    TColor col = 0;
                    // A colour we cannot read keeps the current one, so the close still pairs.
                    if (!ParseMarkupColor(tag.Attribute(u"color"), col)) col = 0xFFFFFFFFu;
                    l.PushColor(col);
                }
            } else if (Same(tag.name, u"ind")) {
                if (!tag.closing) {
                    const std::u16string x = tag.Attribute(u"x");
                    int v = 0;
                    bool digits = !x.empty();
                    for (char16_t d : x) {
                        if (d < u'0' || d > u'9' || v > 100000) {
                            digits = false;
                            break;
                        }
                        v = v * 10 + (d - u'0');
                    }
                    if (digits) l.Indent(v);
                }
            } else if (Same(tag.name, u"p")) {
                if (tag.closing) {
                    l.EndParagraph();
                } else {
                    const std::u16string a = tag.Attribute(u"align");
                    l.Paragraph(Same(a, u"center")  ? Align::Center
                                : Same(a, u"right") ? Align::Right
                                                    : Align::Left);
                }
            } else if (Same(tag.name, u"a")) {
                l.Link(tag.closing ? std::u16string() : tag.Attribute(u"href"));
            }
            continue;
        }
        char16_t ch = c;
        if (c == u'&') {
            if (!ReadEntity(markup, i, ch)) {
                ch = c;
                ++i;
            }
        } else {
            ++i;
        }
        const bool space = IsSpace(ch);
        if (space != wordIsSpace && !word.empty()) flush();
        wordIsSpace = space;
        // Runs of blanks and line ends show as one space.
        if (space) {
            if (word.empty()) word.push_back(u' ');
        } else {
            word.push_back(ch);
        }
    }
    flush();
    TMarkupLayout out = l.Finish();
    // Colours that could not be read draw in the label's colour.
    for (TMarkupRun& r : out.Runs) {
        if (r.HasColor && r.Color == 0xFFFFFFFFu) r.HasColor = false;
    }
    return out;
}

THTMLabel::THTMLabel(TComponent* owner) : TGraphicControl(owner), text_([this] { Invalidate(); }) {
    font_.OnChange = [this] { Invalidate(); };
}

void THTMLabel::Paint(TPaintDevice& device) {
    device.SetTransparentBackground();
    if (!transparent_) {
        device.SetBrushColor(color_);
        device.FillRect(TRect{0, 0, Width(), Height()});
    }
    TFont bold;
    bold.Assign(font_);
    bold.SetStyle(font_.Style() | fsBold);
    device.UseFont(font_);
    lineHeight_ = device.TextHeight();
    const TMarkupMeasure measure = [&](std::u16string_view t, bool b) {
        device.UseFont(b ? bold : font_);
        return device.TextWidth(t);
    };
    layout_ = LayoutMarkup(text_.Value(), Width(), lineHeight_, lineSpacing_, measure);
    switch (vAlign_) {
        case TVerticalAlignment::Top:
            offsetY_ = 0;
            break;
        case TVerticalAlignment::Center:
            offsetY_ = (Height() - layout_.Height) / 2;
            break;
        case TVerticalAlignment::Bottom:
            offsetY_ = Height() - layout_.Height;
            break;
    }
    TFont link;
    for (const TMarkupRun& r : layout_.Runs) {
        const TFont& base = r.Bold ? bold : font_;
        if (!r.Href.empty()) {
            link.Assign(base);
            link.SetStyle(base.Style() | fsUnderline);
            link.SetColor(urlColor_);
            device.UseFont(link);
        } else {
            device.UseFont(base);
            if (r.HasColor) device.SetFontColor(r.Color);
        }
        device.WriteText(r.X, r.Y + offsetY_, r.Text);
    }
}

std::u16string THTMLabel::AnchorAt(int x, int y) const {
    for (const TMarkupRun& r : layout_.Runs) {
        if (r.Href.empty()) continue;
        const int top = r.Y + offsetY_;
        if (x >= r.X && x < r.X + r.Width && y >= top && y < top + lineHeight_) return r.Href;
    }
    return {};
}

void THTMLabel::MouseUp(TMouseButton button, int x, int y) {
    TGraphicControl::MouseUp(button, x, y);
    if (button != TMouseButton::Left || !Enabled()) return;
    const std::u16string href = AnchorAt(x, y);
    if (!href.empty() && OnAnchorClick) OnAnchorClick(this, href);
}

}  // namespace orv::toolkit
