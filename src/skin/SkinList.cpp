#include "skin/SkinList.h"

#include "platform/Files.h"
#include "platform/System.h"
#include "skin/SkinIni.h"

namespace orv::skin {

void DrawSkinListItem(toolkit::TListBox& list, toolkit::TPaintDevice& device, int index,
                      const toolkit::TRect& rect) {
    device.FillRect(rect);
    const std::u16string name = list.Item(index);
    if (name.empty()) return;
    const std::u16string folder = SkinsFolder() + name;
    const std::u16string ini = folder + u"\\skin.ini";
    std::u16string title = name;
    if (IniValueExists(ini, u"SkinInfo", u"DisplayName")) {
        title = ReadStringFromIni(ini, u"SkinInfo", u"DisplayName");
    }
    device.SetTransparentBackground();
    device.WriteText(rect.Left + 140, rect.Top + 20, title);
    device.WriteText(rect.Left + 140, rect.Top + 36,
                     ReadStringFromIni(ini, u"SkinInfo", u"Display1"));
    device.WriteText(rect.Left + 140, rect.Top + 52,
                     ReadStringFromIni(ini, u"SkinInfo", u"Display2"));
    const std::u16string preview = folder + u"\\preview_small.png";
    if (!platform::Fs().FileExists(preview)) return;
    // A damaged preview leaves the picture out; the texts are drawn already.
    toolkit::TPicture picture;
    if (!picture.LoadFromPngFile(preview)) {
        platform::DebugOutput(u"Skin preview could not be read: " + preview);
        return;
    }
    device.Draw(rect.Left + 4, rect.Top + 4, picture);
}

void SetUpSkinListBox(toolkit::TListBox& list) {
    list.SetItemHeight(kSkinListItemHeight);
    list.OnDrawItem = [](toolkit::TListBox& sender, toolkit::TPaintDevice& device, int index,
                         const toolkit::TRect& rect,
                         bool) { DrawSkinListItem(sender, device, index, rect); };
}

}  // namespace orv::skin
