// Not a test: shows the options dialog on one page in one language, for a screenshot.
// options_show.exe [de-de|en-us] [LANG|OTHER|ORV1] [seconds]
#include <windows.h>

#include <string>

#include "OptionsFixture.h"

using namespace orv;
using namespace orv::app::test;

namespace {
class Show : public ProgramFolderFixture {
  public:
    void TestBody() override {}
    void Run(const std::u16string& language, const std::u16string& page, int seconds) {
        SetUp();
        UseLanguage(language);
        auto dialog = MakeDialog();
        if (page == u"ORV1") modulePage = u"TForm_ORV";
        dialog->FormShow();
        if (page == u"OTHER") dialog->AdvOfficeTabSet1->SetActiveTabIndex(1);
        if (page == u"LANG") {
            const int row = RowOf(*dialog, u"de-de");
            dialog->ListView_Options_Language->SetSelected(row);
        }
        SetWindowPos(dialog->Handle(), nullptr, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        ShowWindow(dialog->Handle(), SW_SHOW);
        Pump(seconds * 1000);
        dialog.reset();
        TearDown();
    }
};
}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::u16string language = argc > 1 ? U(argv[1]) : u"de-de";
    const std::u16string page = argc > 2 ? U(argv[2]) : u"LANG";
    const int seconds = argc > 3 ? _wtoi(argv[3]) : 5;
    Show show;
    show.Run(language, page, seconds);
    return 0;
}
