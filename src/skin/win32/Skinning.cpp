#include "skin/win32/Skinning.h"

// GDI+ wants min and max as the Windows headers once defined them, and the COM property types
// that a lean <windows.h> leaves out.
#include <objidl.h>

#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

#include <memory>
#include <string>
#include <vector>

#include "app/Globals.h"
#include "core/Text.h"
#include "lang/MessageCatalogue.h"
#include "platform/System.h"
#include "skin/Form_ToolTips.h"
#include "skin/PellButton.h"
#include "skin/PellButton2.h"
#include "skin/SkinCatalogue.h"
#include "skin/SkinIni.h"
#include "toolkit/win32/PictureFile.h"

namespace orv::skin::win32 {
namespace {

namespace gp = Gdiplus::DllExports;

constexpr std::u16string_view kBackButtonName = u"PELLBUTTON_MAINMENU";

struct ButtonColors {
    toolkit::TColor fontColor, borderNormal, borderHover, borderDisabled;
};

struct Button2Colors {
    toolkit::TColor border, borderHover, borderDisabled;
    toolkit::TColor fontNormalEnabled, fontNormalDisabled, fontAction;
    toolkit::TColor faceNormal, faceNormalHover, faceDisabled, faceAction, faceActionHover;
};

ButtonColors ReadButtonColors() {
    return {SkinColor(u"PellButtons", u"FontColor"),
            SkinColor(u"PellButtons", u"BorderColor_Normal"),
            SkinColor(u"PellButtons", u"BorderColor_Hover"),
            SkinColor(u"PellButtons", u"BorderColor_Disabled")};
}

Button2Colors ReadButton2Colors() {
    constexpr std::u16string_view s = u"PellButtons2";
    return {SkinColor(s, u"BorderColor"),
            SkinColor(s, u"BorderColor_Hover"),
            SkinColor(s, u"BorderColor_Disabled"),
            SkinColor(s, u"FontColor_NormalEnabled"),
            SkinColor(s, u"FontColor_NormalDisabled"),
            SkinColor(s, u"FontColor_ActionButton"),
            SkinColor(s, u"FaceColor_Normal"),
            SkinColor(s, u"FaceColor_Normal_Hover"),
            SkinColor(s, u"FaceColor_Disabled"),
            SkinColor(s, u"FaceColor_ActionButton"),
            SkinColor(s, u"FaceColor_ActionButton_Hover")};
}

bool IsBackButton(const toolkit::TComponent& c, const std::u16string& caption) {
    return caption.empty() && UpperAscii(c.Name()) == kBackButtonName;
}

template <typename Button>
void LoadBackGlyph(Button& b) {
    const std::u16string file = ProgramFolder + u"\\skins\\back.png";
    toolkit::TPicture glyph;
    if (toolkit::win32::LoadPictureFile(glyph, file)) {
        b.SetGlyph(&glyph);
    } else {
        platform::DebugOutput(u"Skin: no back glyph for " + b.Name());
    }
}

void RegisterBackToolTip(TToolTips* tips, toolkit::TControl& b) {
    if (tips == nullptr) return;
    tips->AddToList(&b, lang::Msg(u"MESSAGE_BACKTOMAINMENU"),
                    lang::Msg(u"MESSAGEHTML_TOOLTIPS_BACK"));
}

void ApplyToChildren(toolkit::TComponent& parent, TToolTips* tips, bool onForm) {
    const ButtonColors c1 = ReadButtonColors();
    const Button2Colors c2 = ReadButton2Colors();
    for (size_t i = 0; i < parent.ChildCount(); ++i) {
        toolkit::TComponent* child = parent.Child(i);
        if (auto* b = dynamic_cast<TPellButton*>(child)) {
            b->Font().SetColor(c1.fontColor);
            b->SetBorderColor(c1.borderNormal);
            b->SetBorderColorHover(c1.borderHover);
            b->SetBorderColorDisabled(c1.borderDisabled);
            if (IsBackButton(*b, b->Caption())) {
                LoadBackGlyph(*b);
                if (!onForm) RegisterBackToolTip(tips, *b);
            }
        } else if (auto* b2 = dynamic_cast<TPellButton2*>(child)) {
            b2->SetBorderColor(c2.border);
            b2->SetBorderColor_Hover(c2.borderHover);
            b2->SetBorderColorDisabled(c2.borderDisabled);
            b2->SetFontColor_NormalEnabled(c2.fontNormalEnabled);
            b2->SetFontColor_NormalDisabled(c2.fontNormalDisabled);
            b2->SetFontColor_ActionButtonEnabled(c2.fontAction);
            b2->SetFaceColor_Normal(c2.faceNormal);
            b2->SetFaceColor_Normal_Hover(c2.faceNormalHover);
            b2->SetFaceColor_Disabled(c2.faceDisabled);
            b2->SetFaceColor_ActionButton(c2.faceAction);
            b2->SetFaceColor_ActionButton_Hover(c2.faceActionHover);
            if (!onForm) {
                b2->Font().SetName(u"Segoe UI");
                b2->Font().SetSize(10);
            }
            if (IsBackButton(*b2, b2->Caption())) {
                LoadBackGlyph(*b2);
                RegisterBackToolTip(tips, *b2);
            }
            b2->Invalidate();
        }
    }
}

// Straight-alpha "source over" of one pixel.
skin::Rgba Over(skin::Rgba dst, skin::Rgba src) {
    if (src.a == 255 || dst.a == 0) return src;
    if (src.a == 0) return dst;
    const int sa = src.a, da = dst.a * (255 - sa) / 255;
    const int a = sa + da;
    const auto mix = [&](int s, int d) { return static_cast<uint8_t>((s * sa + d * da) / a); };
    return {mix(src.r, dst.r), mix(src.g, dst.g), mix(src.b, dst.b), static_cast<uint8_t>(a)};
}

// Draws src stretched over the rectangle (left, top, w, h) of dst, blending by src's alpha.
void DrawStretched(skin::TPngImage& dst, const skin::TPngImage& src, int left, int top, int w,
                   int h) {
    if (src.Empty() || w <= 0 || h <= 0) return;
    for (int y = 0; y < h; ++y) {
        const int sy = static_cast<int>(static_cast<int64_t>(y) * src.Height() / h);
        for (int x = 0; x < w; ++x) {
            const int sx = static_cast<int>(static_cast<int64_t>(x) * src.Width() / w);
            dst.SetPixel(left + x, top + y, Over(dst.Pixel(left + x, top + y), src.Pixel(sx, sy)));
        }
    }
}

// GDI+ is started at the first caption and stays for the rest of the run.
bool GdiplusReady() {
    static const bool ready = [] {
        ULONG_PTR token = 0;
        Gdiplus::GdiplusStartupInput input;
        const bool ok = Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
        if (!ok) platform::DebugOutput(u"Skin: GDI+ did not start, tiles have no captions");
        return ok;
    }();
    return ready;
}

// GDI+ objects of the flat API, released when they go. The deleters are functors because the
// flat functions are stdcall on x86 and cannot be template arguments of a plain pointer type.
template <typename T, typename Deleter>
struct GpHandle {
    T* p = nullptr;
    ~GpHandle() {
        if (p != nullptr) Deleter{}(p);
    }
};
struct DisposeBitmap {
    void operator()(Gdiplus::GpBitmap* b) const { gp::GdipDisposeImage(b); }
};
struct DeleteGraphics {
    void operator()(Gdiplus::GpGraphics* g) const { gp::GdipDeleteGraphics(g); }
};
struct DeleteFamily {
    void operator()(Gdiplus::GpFontFamily* f) const { gp::GdipDeleteFontFamily(f); }
};
struct DeleteFont {
    void operator()(Gdiplus::GpFont* f) const { gp::GdipDeleteFont(f); }
};
struct DeleteBrush {
    void operator()(Gdiplus::GpBrush* b) const { gp::GdipDeleteBrush(b); }
};
using BitmapHandle = GpHandle<Gdiplus::GpBitmap, DisposeBitmap>;
using GraphicsHandle = GpHandle<Gdiplus::GpGraphics, DeleteGraphics>;
using FamilyHandle = GpHandle<Gdiplus::GpFontFamily, DeleteFamily>;
using FontHandle = GpHandle<Gdiplus::GpFont, DeleteFont>;
using BrushHandle = GpHandle<Gdiplus::GpBrush, DeleteBrush>;

// The family asked for, or the first one that exists when it does not (Wine has no "Segoe UI",
// and a trimmed system may lack Tahoma): a caption in another face beats no caption.
bool CreateCaptionFamily(std::u16string_view wanted, FamilyHandle& family) {
    const std::wstring first(wanted.begin(), wanted.end());
    for (const wchar_t* name :
         {first.c_str(), L"Tahoma", L"Segoe UI", L"Arial", L"Microsoft Sans Serif"}) {
        if (gp::GdipCreateFontFamilyFromName(name, nullptr, &family.p) == Gdiplus::Ok) {
            if (name != first.c_str()) {
                platform::DebugOutput(u"Skin: no " + std::u16string(wanted) +
                                      u" for the tile captions, using " +
                                      std::u16string(name, name + wcslen(name)));
            }
            return true;
        }
        family.p = nullptr;
    }
    Gdiplus::GpFontFamily* generic = nullptr;
    if (gp::GdipGetGenericFontFamilySansSerif(&generic) == Gdiplus::Ok &&
        gp::GdipCloneFontFamily(generic, &family.p) == Gdiplus::Ok) {
        platform::DebugOutput(u"Skin: no " + std::u16string(wanted) +
                              u" for the tile captions, using the generic sans-serif family");
        return true;
    }
    family.p = nullptr;
    platform::DebugOutput(u"Skin: no font family for the tile captions");
    return false;
}

struct NaviOverlays {
    bool loaded = false;
    toolkit::TPicture active;
    toolkit::TPicture hover;
};

NaviOverlays& OverlayStore() {
    static NaviOverlays overlays;
    return overlays;
}

const NaviOverlays& Overlays() {
    NaviOverlays& overlays = OverlayStore();
    if (!overlays.loaded) {
        overlays.loaded = true;
        // LoadPictureFile writes the debug line of a missing overlay; the tile then goes without.
        toolkit::win32::LoadPictureFile(overlays.active,
                                        SkinFolderPath + u"\\menu_options_active.png");
        toolkit::win32::LoadPictureFile(overlays.hover,
                                        SkinFolderPath + u"\\menu_options_hover.png");
    }
    return overlays;
}

}  // namespace

toolkit::TColor ResolveSkinColor(uint32_t value) {
    int index = 0;
    if (IsSystemColor(value, index)) return static_cast<toolkit::TColor>(GetSysColor(index));
    return value & 0x00FFFFFFu;
}

toolkit::TColor SkinColor(std::u16string_view section, std::u16string_view key) {
    return ResolveSkinColor(ReadColorFromIni(SkinIniPath(), section, key));
}

void ApplySkinToButtonsOnPanel(toolkit::TComponent& panel, TToolTips* tips) {
    ApplyToChildren(panel, tips, false);
}

void ApplySkinToButtonsOnForm(toolkit::TComponent& form, TToolTips* tips) {
    ApplyToChildren(form, tips, true);
}

void ApplySkinToInfoBar(toolkit::win32::TGraphicHostWindow& panel) {
    panel.SetColor(SkinColor(u"Infobar", u"Color"));
}

toolkit::TImage* CloneImageToCorner(toolkit::win32::TGraphicHostWindow* panel,
                                    toolkit::TImage* image) {
    if (panel == nullptr || image == nullptr) return nullptr;
    auto* clone = new toolkit::TImage(panel);
    clone->SetParent(panel);  // parented last: in front of the others
    clone->Picture().Assign(image->Picture());
    clone->SetStretch(image->Stretch());
    if (image->OnMouseDown) clone->OnMouseDown = image->OnMouseDown;
    clone->SetCursor(image->Cursor());
    clone->SetAnchors(toolkit::akRight | toolkit::akBottom);
    clone->SetBounds(panel->ClientWidth() - image->Width() - 2,
                     panel->ClientHeight() - image->Height() - 2, image->Width(), image->Height());
    clone->SetVisible(true);
    clone->Invalidate();
    return clone;
}

void DrawNaviCaption(skin::TPngImage& picture, std::u16string_view caption, uint32_t color,
                     uint32_t shadow, std::u16string_view family) {
    if (caption.empty() || picture.Empty() || !GdiplusReady()) return;
    const int w = picture.Width(), h = picture.Height();
    // GDI+ keeps 32-bit ARGB as B, G, R, A bytes with straight alpha.
    std::vector<uint8_t> pixels(static_cast<size_t>(w) * h * 4);
    const auto& rgba = picture.Bytes();
    for (size_t i = 0; i < pixels.size(); i += 4) {
        pixels[i] = rgba[i + 2];
        pixels[i + 1] = rgba[i + 1];
        pixels[i + 2] = rgba[i];
        pixels[i + 3] = rgba[i + 3];
    }
    BitmapHandle bitmap;
    if (gp::GdipCreateBitmapFromScan0(w, h, w * 4, PixelFormat32bppARGB, pixels.data(),
                                      &bitmap.p) != Gdiplus::Ok) {
        bitmap.p = nullptr;
        return;
    }
    {
        GraphicsHandle graphics;
        FamilyHandle fontFamily;
        FontHandle font;
        if (gp::GdipGetImageGraphicsContext(bitmap.p, &graphics.p) != Gdiplus::Ok) {
            graphics.p = nullptr;
            return;
        }
        if (!CreateCaptionFamily(family, fontFamily)) return;
        if (gp::GdipCreateFont(fontFamily.p, 13.0f, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel,
                               &font.p) != Gdiplus::Ok) {
            font.p = nullptr;
            return;
        }
        gp::GdipSetTextRenderingHint(graphics.p, Gdiplus::TextRenderingHintClearTypeGridFit);
        const std::wstring text(caption.begin(), caption.end());
        const struct {
            float x, y;
            uint32_t argb;
        } passes[] = {{43, 12, shadow}, {42, 11, color}};
        for (const auto& pass : passes) {
            BrushHandle brush;
            Gdiplus::GpSolidFill* fill = nullptr;
            if (gp::GdipCreateSolidFill(pass.argb, &fill) != Gdiplus::Ok) continue;
            brush.p = fill;
            // A rectangle without size: the whole caption, unbounded, from its top-left point.
            const Gdiplus::RectF at(pass.x, pass.y, 0, 0);
            gp::GdipDrawString(graphics.p, text.c_str(), -1, font.p, &at, nullptr, brush.p);
        }
    }
    Gdiplus::BitmapData data{};
    const Gdiplus::GpRect all(0, 0, w, h);
    if (gp::GdipBitmapLockBits(bitmap.p, &all, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB,
                               &data) != Gdiplus::Ok) {
        return;
    }
    for (int y = 0; y < h; ++y) {
        const auto* row =
            static_cast<const uint8_t*>(data.Scan0) + static_cast<ptrdiff_t>(y) * data.Stride;
        for (int x = 0; x < w; ++x) {
            const uint8_t* p = row + x * 4;
            picture.SetPixel(x, y, {p[2], p[1], p[0], p[3]});
        }
    }
    gp::GdipBitmapUnlockBits(bitmap.p, &data);
}

void BuildNaviTile(const toolkit::TPicture& background, TMirelMouseImage3State& tile,
                   std::u16string_view caption, int cell, const TStripeSkinner& stripe) {
    const NaviOverlays& overlays = Overlays();
    tile.SetCursor(toolkit::TCursor::HandPoint);
    tile.SetMove_If_MousePressed(false);

    const int w = tile.Width(), h = tile.Height();
    const skin::TPngImage& back = background.Image();
    skin::TPngImage pictures[3] = {{w, h}, {w, h}, {w, h}};  // normal, hover, pressed
    for (auto& p : pictures) {
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x)
                p.SetPixel(x, y, back.Pixel(tile.Left() + x, tile.Top() + y));
        }
    }
    DrawStretched(pictures[2], overlays.active.Image(), 0, 0, w, h);
    DrawStretched(pictures[1], overlays.hover.Image(), 0, 0, w, h);

    if (const auto icon = stripe.GetOnePngImage(32, cell, false, 1.0f)) {
        for (auto& p : pictures) DrawStretched(p, *icon, 8, 5, 32, 32);
    }

    const uint32_t normal = ReadColorFromIni(SkinIniPath(), u"Navi_Options", u"Font_Normal");
    const uint32_t normalShadow =
        ReadColorFromIni(SkinIniPath(), u"Navi_Options", u"Font_Normal_Shadow");
    const uint32_t down = ReadColorFromIni(SkinIniPath(), u"Navi_Options", u"Font_Down");
    const uint32_t downShadow =
        ReadColorFromIni(SkinIniPath(), u"Navi_Options", u"Font_Down_Shadow");
    DrawNaviCaption(pictures[0], caption, normal, normalShadow, u"Tahoma");
    DrawNaviCaption(pictures[1], caption, normal, normalShadow, u"Tahoma");
    DrawNaviCaption(pictures[2], caption, down, downShadow, u"Tahoma");

    toolkit::TPicture picture;
    picture.Assign(pictures[1]);
    tile.SetPicture_Highlight(&picture);
    picture.Assign(pictures[2]);
    tile.SetPicture_Pressed(&picture);
    picture.Assign(pictures[0]);
    tile.SetPicture_Normal(&picture);  // shows it
}

void ForgetNaviOverlays() {
    NaviOverlays& o = OverlayStore();
    o.active.Clear();
    o.hover.Clear();
    o.loaded = false;
}

}  // namespace orv::skin::win32
