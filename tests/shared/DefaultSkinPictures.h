#pragma once
// The pictures the windows load from the shipped skins folder, relative to skins\, with the size
// each is laid out at.

namespace orv::testing {

struct SkinPicture {
    const char* file;
    int width;
    int height;
};

// Sizes follow the places the windows give them: caption buttons 32 x 32, the grip 24 x 24, the
// logo covering the header left of the band's start (x 228) at the band's height, the dialog
// and tooltip windows' client areas, the navigation tiles 181 x 40, the back glyph inside a
// 40 x 33 button and the preview left of x 140 in a 92-pixel list item drawn at (4, 4).
inline constexpr SkinPicture kDefaultSkinPictures[] = {
    {"default/grip.png", 24, 24},
    {"default/head_logo.bmp", 229, 58},
    {"default/but_close.png", 32, 32},
    {"default/but_close_hover.png", 32, 32},
    {"default/but_maximize.png", 32, 32},
    {"default/but_maximize_hover.png", 32, 32},
    {"default/but_unmax_normal.png", 32, 32},
    {"default/but_unmax_hover.png", 32, 32},
    {"default/but_minimize.png", 32, 32},
    {"default/but_minimize_hover.png", 32, 32},
    {"default/but_help_normal.png", 32, 32},
    {"default/but_help_hover.png", 32, 32},
    {"default/but_settings_normal.png", 32, 32},
    {"default/but_settings_hover.png", 32, 32},
    {"default/but_internet_normal.png", 32, 32},
    {"default/but_internet_hover.png", 32, 32},
    {"default/but_feedback_normal.png", 32, 32},
    {"default/but_feedback_hover.png", 32, 32},
    {"default/Background_Asker.bmp", 460, 180},
    {"default/navi_options.bmp", 200, 520},
    {"default/menu_options_active.png", 181, 40},
    {"default/menu_options_hover.png", 181, 40},
    {"default/preview_small.png", 128, 84},
    {"back.png", 20, 20},
    {"ToolTips.bmp", 360, 130},
};

}  // namespace orv::testing
