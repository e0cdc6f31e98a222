#include "app/ServiceChannel.h"

#include "app/OnlineHelp.h"
#include "lang/LanguageChoice.h"
#include "lang/MessageCatalogue.h"
#include "lang/nLang3.h"
#include "platform/LocaleNames.h"
#include "platform/Shell.h"

namespace orv::service {
namespace {

TServiceChannel* g_replacement = nullptr;

TInProcessChannel& BuiltIn() {
    static TInProcessChannel channel;
    return channel;
}

}  // namespace

TInProcessChannel::TInProcessChannel()
    : entries_{{1, u"MESSAGE_IM_MYTALVIK", u"mytalvik"},
               {2, u"", u""},
               {3, u"MESSAGE_IM_SOFTWAREDEALS", u"softwaredeals"},
               {4, u"MESSAGE_IM_MOREDOWNLOADS", u"moredownloads"}} {}

const TServiceEntry* TInProcessChannel::Entry(int32_t menu, int32_t index) const {
    if (shutDown_ || menu != kInternetMenu || index < 0 ||
        static_cast<size_t>(index) >= entries_.size())
        return nullptr;
    return &entries_[static_cast<size_t>(index)];
}

int32_t TInProcessChannel::GetMenuItemsCount(int32_t menu) {
    if (shutDown_ || menu != kInternetMenu) return 0;
    return static_cast<int32_t>(entries_.size());
}

int32_t TInProcessChannel::GetMenuItemsID(int32_t menu, int32_t index) {
    const TServiceEntry* e = Entry(menu, index);
    return e != nullptr ? e->ID : -1;
}

std::u16string TInProcessChannel::GetMenuItemsText(int32_t menu, int32_t index) {
    const TServiceEntry* e = Entry(menu, index);
    if (e == nullptr || e->TextKey.empty()) return {};
    return lang::Msg(e->TextKey);
}

IconHandle TInProcessChannel::GetMenuItemsImage(int32_t, int32_t) {
    return nullptr;
}

int32_t TInProcessChannel::ProcessMenuItem(WindowHandle, int32_t id) {
    if (shutDown_) return kProcessDone;
    for (const TServiceEntry& e : entries_) {
        if (e.ID == id && !e.LinkTarget.empty()) {
            OpenServiceLinkTarget(e.LinkTarget);
            break;
        }
    }
    return kProcessDone;
}

void TInProcessChannel::OpenLinkTargetInBrowser(std::u16string_view target,
                                                std::u16string_view product,
                                                std::u16string_view version, int32_t,
                                                std::u16string_view languageTag,
                                                std::u16string_view) {
    if (shutDown_ || target.empty()) return;
    const std::u16string syslang =
        app::BuildHelpLanguageTag(static_cast<int32_t>(platform::LocNames().UserDefaultLCID()));
    platform::Shl().Open(
        app::LinkTargetAddress(product, version, app::ReadEdition(), syslang, languageTag, target));
}

TServiceChannel& Channel() {
    return g_replacement != nullptr ? *g_replacement : BuiltIn();
}
void SetServiceChannel(TServiceChannel* replacement) {
    g_replacement = replacement;
}

int32_t tinet_GetMenuItemsCount(int32_t menu) {
    return Channel().GetMenuItemsCount(menu);
}
int32_t tinet_GetMenuItemsID(int32_t menu, int32_t index) {
    return Channel().GetMenuItemsID(menu, index);
}
std::u16string tinet_GetMenuItemsText(int32_t menu, int32_t index) {
    return Channel().GetMenuItemsText(menu, index);
}
IconHandle tinet_GetMenuItemsImage(int32_t menu, int32_t index) {
    return Channel().GetMenuItemsImage(menu, index);
}
int32_t tinet_ProcessMenuItem(WindowHandle window, int32_t id) {
    return Channel().ProcessMenuItem(window, id);
}
void tinet_ProblemReportSend(WindowHandle window) {
    Channel().ProblemReportSend(window);
}
void tinet_StartAnalyticsConfig(WindowHandle window) {
    Channel().StartAnalyticsConfig(window);
}
void tinet_AnalyticsManagerAddFeature(std::u16string_view feature, int32_t count) {
    Channel().AnalyticsManagerAddFeature(feature, count);
}
void tinet_OpenLinkTargetInBrowser(std::u16string_view target, std::u16string_view product,
                                   std::u16string_view version, int32_t number,
                                   std::u16string_view languageTag, std::u16string_view extra) {
    Channel().OpenLinkTargetInBrowser(target, product, version, number, languageTag, extra);
}
void tinet_Shutdown() {
    Channel().Shutdown();
}

void OpenServiceLinkTarget(std::u16string_view target) {
    tinet_OpenLinkTargetInBrowser(target, app::kProductCode, app::kVersionText, 0,
                                  lang::LCIDToLanguageTag(lang::CurrentLCID), u"");
}

std::vector<TInternetMenuItem> ReadInternetMenu(int32_t menu) {
    std::vector<TInternetMenuItem> items;
    const int32_t n = tinet_GetMenuItemsCount(menu);
    for (int32_t i = 0; i < n; ++i) {
        TInternetMenuItem item;
        item.ID = tinet_GetMenuItemsID(menu, i);
        const std::u16string text = tinet_GetMenuItemsText(menu, i);
        if (text.empty()) {
            item.Separator = true;
            item.Caption.assign(1, u'-');
        } else {
            item.Caption = text;
            item.Image = tinet_GetMenuItemsImage(menu, i);
        }
        items.push_back(std::move(item));
    }
    return items;
}

}  // namespace orv::service
