#include "app/win32/StartPage.h"

#include "lang/MessageCatalogue.h"

namespace orv::app {
namespace {

toolkit::TImage* g_gripTemplate = nullptr;
const TFormClass* g_startPageClass = nullptr;

const TFormClass& StandInClass() {
    static const TFormClass cls{u"TForm_ORV", [](toolkit::TComponent* owner) {
                                    return CreateStandInStartPage(owner, g_gripTemplate);
                                }};
    return cls;
}

}  // namespace

const TFormClass* StartPageClass() {
    return g_startPageClass != nullptr ? g_startPageClass : &StandInClass();
}

void SetStartPageClass(const TFormClass* formClass) {
    g_startPageClass = formClass;
}

void SetStartPageGripTemplate(toolkit::TImage* grip) {
    g_gripTemplate = grip;
}

TModuleForm* CreateStandInStartPage(toolkit::TComponent* owner, toolkit::TImage* grip) {
    auto* page = new TModuleForm(owner, &StandInClass());
    page->SetName(u"Form_ORV");
    page->SetColor(0xFFFFFF);

    auto* title = new toolkit::TLabel(page);
    title->SetName(u"Label_ModuleTitle");
    title->SetParent(page);
    title->SetBounds(24, 24, 600, 28);
    title->Font().SetHeight(-20);
    title->Font().SetColor(0x00604830);
    const std::u16string& name = lang::Msg(u"MESSAGE_MODULNAME_ORV");
    title->SetCaption(name.empty() ? std::u16string_view(u"Orvella") : std::u16string_view(name));

    // The page's own grip: the main window's is covered by the module area.
    toolkit::TImage* copy = nullptr;
    if (grip != nullptr) {
        copy = new toolkit::TImage(page);
        copy->SetName(u"Image_SizeGrip_Page");
        copy->SetParent(page);
        copy->Picture().Assign(grip->Picture().Image());
        copy->SetBounds(0, 0, grip->Width(), grip->Height());
        copy->SetCursor(toolkit::TCursor::SizeNWSE);
        copy->SetAnchors(toolkit::akRight | toolkit::akBottom);
        copy->OnMouseDown = grip->OnMouseDown;
    }
    page->OnResize = [page, copy] {
        if (copy == nullptr) return;
        copy->SetBounds(page->ClientWidth() - copy->Width() - 2,
                        page->ClientHeight() - copy->Height() - 2, copy->Width(), copy->Height());
    };
    return page;
}

}  // namespace orv::app
