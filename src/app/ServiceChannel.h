#pragma once
// The service channel: the internet menu's entries and the calls the windows make for news,
// problem reports and usage statistics. This program keeps it in process: no network, no
// statistics; the menu's entries open link targets in the browser and the reports do nothing.
// The calls keep the channel's names so the call sites read as the windows describe them.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orv::service {

using WindowHandle = void*;  // HWND on Windows
using IconHandle = void*;    // HICON on Windows; null: no image

// The one menu the windows ask for.
inline constexpr int32_t kInternetMenu = 1;

// Answers of tinet_ProcessMenuItem; 1 and 7 ask the program to end.
inline constexpr int32_t kProcessDone = 0;
inline constexpr int32_t kProcessEndProgram = 1;
inline constexpr int32_t kProcessEndProgramAfterUpdate = 7;

// One entry of a menu as the channel holds it: an empty text makes a separator.
struct TServiceEntry {
    int32_t ID = 0;
    std::u16string TextKey;     // message catalogue key of the caption; empty: separator
    std::u16string LinkTarget;  // opened when the entry is chosen
};

// The channel behind the tinet_ calls; tests install their own with SetServiceChannel.
class TServiceChannel {
  public:
    virtual ~TServiceChannel() = default;
    virtual int32_t GetMenuItemsCount(int32_t menu) = 0;
    // -1 outside the menu.
    virtual int32_t GetMenuItemsID(int32_t menu, int32_t index) = 0;
    // Empty outside the menu and for a separator.
    virtual std::u16string GetMenuItemsText(int32_t menu, int32_t index) = 0;
    virtual IconHandle GetMenuItemsImage(int32_t menu, int32_t index) = 0;
    virtual int32_t ProcessMenuItem(WindowHandle window, int32_t id) = 0;
    virtual void ProblemReportSend(WindowHandle window) = 0;
    virtual void StartAnalyticsConfig(WindowHandle window) = 0;
    virtual void AnalyticsManagerAddFeature(std::u16string_view feature, int32_t count) = 0;
    virtual void OpenLinkTargetInBrowser(std::u16string_view target, std::u16string_view product,
                                         std::u16string_view version, int32_t number,
                                         std::u16string_view languageTag,
                                         std::u16string_view extra) = 0;
    virtual void Shutdown() = 0;
};

// The built-in channel: MyTalvik, a separator, Software Deals, More Downloads.
class TInProcessChannel : public TServiceChannel {
  public:
    TInProcessChannel();
    const std::vector<TServiceEntry>& Entries() const { return entries_; }

    int32_t GetMenuItemsCount(int32_t menu) override;
    int32_t GetMenuItemsID(int32_t menu, int32_t index) override;
    std::u16string GetMenuItemsText(int32_t menu, int32_t index) override;
    IconHandle GetMenuItemsImage(int32_t menu, int32_t index) override;
    // Opens the entry's link target; kProcessDone, also for an unknown id.
    int32_t ProcessMenuItem(WindowHandle window, int32_t id) override;
    void ProblemReportSend(WindowHandle) override {}
    void StartAnalyticsConfig(WindowHandle) override {}
    void AnalyticsManagerAddFeature(std::u16string_view, int32_t) override {}
    // Opens the link-target address for target; an empty target opens nothing.
    void OpenLinkTargetInBrowser(std::u16string_view target, std::u16string_view product,
                                 std::u16string_view version, int32_t number,
                                 std::u16string_view languageTag,
                                 std::u16string_view extra) override;
    // Afterwards every call does nothing and the menu is empty.
    void Shutdown() override { shutDown_ = true; }
    bool IsShutDown() const { return shutDown_; }

  private:
    const TServiceEntry* Entry(int32_t menu, int32_t index) const;
    std::vector<TServiceEntry> entries_;
    bool shutDown_ = false;
};

TServiceChannel& Channel();
// Installs a replacement (tests); nullptr restores the built-in one.
void SetServiceChannel(TServiceChannel* replacement);

// The calls as the windows make them, forwarded to Channel().
int32_t tinet_GetMenuItemsCount(int32_t menu);
int32_t tinet_GetMenuItemsID(int32_t menu, int32_t index);
std::u16string tinet_GetMenuItemsText(int32_t menu, int32_t index);
IconHandle tinet_GetMenuItemsImage(int32_t menu, int32_t index);
int32_t tinet_ProcessMenuItem(WindowHandle window, int32_t id);
void tinet_ProblemReportSend(WindowHandle window);
void tinet_StartAnalyticsConfig(WindowHandle window);
void tinet_AnalyticsManagerAddFeature(std::u16string_view feature, int32_t count);
void tinet_OpenLinkTargetInBrowser(std::u16string_view target, std::u16string_view product,
                                   std::u16string_view version, int32_t number,
                                   std::u16string_view languageTag, std::u16string_view extra);
void tinet_Shutdown();

// What the windows pass for a service-channel link target: the target, "0451", "01.00.00", 0,
// the interface language's culture tag (lang::LCIDToLanguageTag of lang::CurrentLCID), "".
void OpenServiceLinkTarget(std::u16string_view target);

// One item of the internet menu as the main window builds it.
struct TInternetMenuItem {
    int32_t ID = 0;              // the help context of the menu item
    std::u16string Caption;      // "-" for a separator
    bool Separator = false;      // an empty or missing text
    IconHandle Image = nullptr;  // null: no image (always null for a separator)
};
// The items of a menu, read through the tinet_ calls in order.
std::vector<TInternetMenuItem> ReadInternetMenu(int32_t menu = kInternetMenu);

}  // namespace orv::service
