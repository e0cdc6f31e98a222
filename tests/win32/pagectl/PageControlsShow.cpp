// Shows the page's controls together for a screenshot: the drive combo box, the folder list with
// the splitter beside it, the combo box with images (dropped down), the editable combo box and a
// progress bar at 60 percent. Arguments: seconds to stay (default 8), "drives".
#include <windows.h>

#include <cstdlib>
#include <string>

#include "Pixels.h"
#include "toolkit/win32/DriveListWindow.h"
#include "toolkit/win32/FolderListWindow.h"
#include "toolkit/win32/HostWindow.h"
#include "toolkit/win32/ImageComboWindow.h"
#include "toolkit/win32/ProgressBarWindow.h"
#include "toolkit/win32/SplitterWindow.h"

using namespace orv;
using namespace orv::toolkit::win32;

int wmain(int argc, wchar_t** argv) {
    const int seconds = argc > 1 ? _wtoi(argv[1]) : 8;
    THostWindow form;
    if (!form.CreateTopLevel(L"Orvella", 640, 360)) return 1;
    SetWindowPos(form.Handle(), nullptr, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);

    TDriveComboBoxWindow drives;
    drives.Font().SetName(u"Tahoma");
    drives.Refresh();
    drives.SetDrive(u'P');
    drives.CreateWindowIn(form.Handle(), 12, 12, 240);

    TDirectoryListBoxWindow folders;
    folders.Font().SetName(u"Tahoma");
    folders.Font().SetHeight(-12);
    folders.CreateWindowIn(form.Handle(), 0, 50, 210, 250);
    folders.SetDirectory(u"P:\\Eins");
    TSplitterWindow split;
    split.Color = RGB(200, 200, 200);
    split.CreateWindowIn(form.Handle(), folders.Handle());

    // Two pictures of plain colours stand in for the skin's.
    toolkit::TPngImageList images;
    for (const skin::Rgba c : {skin::Rgba{96, 224, 96, 255}, skin::Rgba{60, 120, 215, 255}}) {
        skin::TPngImage img(16, 16);
        for (int y = 2; y < 14; ++y) {
            for (int x = 1; x < 15; ++x) img.SetPixel(x, y, c);
        }
        images.Add(img);
    }
    TImageComboBoxWindow bars;
    bars.Font().SetName(u"Tahoma");
    bars.SetImages(&images);
    bars.Add(u"Keine", -1);
    bars.Add(u"Absolut", 0);
    bars.Add(u"Relativ", 1);
    bars.SetItemIndex(1);
    bars.CreateWindowIn(form.Handle(), 400, 12, 220);
    TImageComboBoxWindow filter(nullptr, toolkit::TComboStyle::DropDown);
    filter.Font().SetName(u"Tahoma");
    filter.Add(u"Alle Dateien");
    filter.Add(u"Audio");
    filter.SetText(u"*.mp3;*.ogg");
    filter.CreateWindowIn(form.Handle(), 400, 160, 220);

    TProgressBarWindow bar;
    bar.CreateWindowIn(form.Handle(), 230, 320, 300, 17);
    bar.SetPosition(60);

    ShowWindow(form.Handle(), SW_SHOW);
    UpdateWindow(form.Handle());
    // A second argument "drives" drops the drive list down instead.
    const bool drivesDown = argc > 2 && std::wstring(argv[2]) == L"drives";
    SendMessageW(drivesDown ? drives.ComboHandle() : bars.ComboHandle(), CB_SHOWDROPDOWN, TRUE, 0);
    const DWORD until = GetTickCount() + static_cast<DWORD>(seconds) * 1000;
    while (static_cast<int>(until - GetTickCount()) > 0) {
        pagectl::Pump();
        Sleep(10);
    }
    return 0;
}
