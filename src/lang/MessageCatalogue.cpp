#include "lang/MessageCatalogue.h"

#include <unordered_map>
#include <vector>

#include "core/Text.h"
#include "lang/LanguageChoice.h"
#include "platform/Files.h"
#include "platform/System.h"
#include "toolkit/Component.h"

namespace orv::lang {
namespace {

// clang-format off
constexpr MessageEntry kMessages[] = {
    {u"MESSAGE_TRANSLATOR_NAME",
     u""},
    {u"MESSAGE_OPTIONS",
     u"Optionen"},
    {u"MESSAGE_BYTE",
     u"Byte"},
    {u"MESSAGE_BYTES",
     u"Bytes"},
    {u"MESSAGE_IM_MYTALVIK",
     u"MyTalvik"},
    {u"MESSAGE_IM_SOFTWAREDEALS",
     u"Software Deals"},
    {u"MESSAGE_IM_MOREDOWNLOADS",
     u"More Downloads"},
    {u"MESSAGE_TOOLTIPS_HEADER_IM",
     u"Internet"},
    {u"MESSAGE_TOOLTIPS_HEADER_FEEDBACK",
     u"Feedback"},
    {u"MESSAGEHTML_TOOLTIPS_OPTIONS",
     u"Einstellungen für diese Software anzeigen. Manche Einstellungen gelten erst nach einem Neustart dieser Software."},
    {u"MESSAGEHTML_TOOLTIPS_IM",
     u"Diese Software kaufen, Support anfordern und vieles mehr - entdecken Sie die Möglichkeiten!"},
    {u"MESSAGEHTML_TOOLTIPS_FEEDBACK",
     u"Hinterlassen Sie uns doch Feedback zu dieser Software"},
    {u"MESSAGE_SEND_BETAREPORT",
     u"Feedback zu dieser Beta-Version schicken"},
    {u"MESSAGE_PLEASEWAIT",
     u"Bitte warten..."},
    {u"MESSAGEHTML_OPTIONS_SKINORLANG_CHANGED",
     u"Änderungen an der Sprache oder dem Skin werden erst angewendet, wenn Sie die Software neu starten."},
    {u"MESSAGE_ASKER_OK",
     u"Ok"},
    {u"MESSAGE_ASKER_YES",
     u"Ja"},
    {u"MESSAGE_ASKER_NO",
     u"Nein"},
    {u"MESSAGE_OK",
     u"Ok"},
    {u"MESSAGE_ABORT",
     u"Abbrechen"},
    {u"MESSAGEHTML_ORV_SELECTDRIVE",
     u"Bitte wählen Sie aus, welches Laufwerk analysiert werden soll:"},
    {u"MESSAGE_ORV_NO_MEDIA_IN_DRIVE",
     u"In dieses Laufwerk scheint kein Medium eingelegt zu sein! Bitte wählen Sie ein anderes Laufwerk aus."},
    {u"MESSAGE_ORV_BALKEN_NONE",
     u"Kein Balken"},
    {u"MESSAGE_ORV_BALKEN_ABSOLUT",
     u"Größe im Vergleich zum Laufwerk"},
    {u"MESSAGE_ORV_BALKEN_RELATIVE",
     u"Größe im Vergleich zum Ordner"},
    {u"MESSAGEHTML_ORV_STATUS_WELCOME",
     u"Bitte wählen Sie ein Laufwerk aus und klicken Sie auf die Schaltfläche \"Untersuchen\"."},
    {u"MESSAGEHTML_ORV_STATUS_SCANNING",
     u"<b>Bitte warten...</b><br>Dateien und Ordner auf dem Laufwerk werden ermittelt und nach Größe sortiert. Dies kann einige Zeit in Anspruch nehmen."},
    {u"MESSAGEHTML_ORV_STATUS_DONE",
     u"Der aktuelle Filter umfasst %1 von %2 vorhandenen Objekten auf dem Laufwerk. Diese belegen %3.<br>Sie können die Ausgabe filtern und sich so z.B. die größten Video-Dateien oder Archive anzeigen lassen. Verwenden Sie dazu das Steuerelement neben \"Anzeigen\". Sie können dort auch gezielt eine Dateiendung wie z.B. \"zip\" eingeben und die Eingabetaste (RETURN) drücken, um nur Dateien dieser Endung auflisten zu lassen."},
    {u"MESSAGEHTML_ORV_STATUS_FILTERING",
     u"<b>Bitte warten...</b><br>Filter werden angewendet. Dies kann einige Sekunden in Anspruch nehmen."},
    {u"MESSAGE_ORV_FILTER_ALL",
     u"Alle Dateien"},
    {u"MESSAGE_ORV_FILTER_AUDIO",
     u"Audio-Dateien"},
    {u"MESSAGE_ORV_FILTER_VIDEO",
     u"Video-Dateien"},
    {u"MESSAGE_ORV_FILTER_PICS",
     u"Bild-Dateien"},
    {u"MESSAGE_ORV_FILTER_ARCHIVES",
     u"Archive"},
    {u"MESSAGE_ORV_FILTER_DOCUMENTS",
     u"Dokumente"},
    {u"MESSAGE_ORV_FILTER_APPS",
     u"Anwendungen"},
    {u"MESSAGE_ORV_DELETE_ASK_SURE",
     u"Sind Sie sicher, dass die markierten Dateien/Ordner in den Papierkorb verschoben werden sollen?\r\nDies kann katastrophale Folgen haben wenn es sich dabei um wichtige Systemdateien handeln sollte!\r\nBeachten Sie bitte, dass die Analyse-Ergebnisse und Diagramme nicht aktualisiert werden."},
    {u"MESSAGE_OPTIONS_NAVI1",
     u"Allgemein"},
    {u"MESSAGE_MODULNAME_ORV",
     u"Orvella"},
    {u"MESSAGEHTML_OPTIONS_ASKER_SURETORESET",
     u"Sind Sie ganz sicher, dass <b>alle</b> Einstellungen jetzt zurückgesetzt werden sollen? Dies entfernt alle geänderten oder hinzugefügten Einstellungen seit der Installation dieser Software. Diese Aktion kann später <b>nicht</b> rückgängig gemacht werden!"},
    {u"MESSAGE_CONTEXTMENU_DEFRAG_KT8",
     u"Defragmentieren mit Talvik Fixlane"},
    {u"MESSAGE_CONTEXTMENU_DL_KT8",
     u"Analysiere Speicherbelegung mit Talvik Fixlane"},
    {u"MESSAGE_CONTEXTMENU_SHREDDER_KT8",
     u"Vernichten mit Talvik Fixlane"},
    {u"MESSAGE_CONTEXTMENU_ENCRYPT_KT8",
     u"Verschlüsseln mit Talvik Fixlane"},
    {u"MESSAGE_CONTEXTMENU_DECRYPT_KT8",
     u"Entschlüsseln mit Talvik Fixlane"},
    {u"MESSAGE_CONTEXTMENU_SPLIT_KT8",
     u"Teilen mit Talvik Fixlane"},
    {u"MESSAGE_CONTEXTMENU_JOIN_KT8",
     u"Zusammenfügen mit Talvik Fixlane"},
    {u"MESSAGE_CONTEXTMENU_SHREDDER_RECYCLE",
     u"Inhalt vernichten mit Talvik Fixlane"},
    {u"MESSAGE_CONTEXTMENU_UNDELETER_RECYCLE",
     u"Nach gelöschten Dateien suchen mit Talvik Fixlane"},
    {u"MESSAGE_BACKTOMAINMENU",
     u"Zurück"},
    {u"MESSAGEHTML_TOOLTIPS_BACK",
     u"Zur letzten Startseite zurückkehren. Dies beendet das aktuell sichtbare Modul."},
};
// clang-format on

struct Catalogue {
    Catalogue() {
        current.reserve(std::size(kMessages));
        for (size_t i = 0; i < std::size(kMessages); ++i) {
            current.emplace_back(kMessages[i].defaultText);
            byKey.emplace(kMessages[i].key, i);
        }
    }
    std::vector<std::u16string> current;
    std::unordered_map<std::u16string_view, size_t> byKey;
    std::unique_ptr<TLang> lang;
    bool loaded = false;
};

Catalogue& Cat() {
    static Catalogue c;
    return c;
}

std::u16string TranslationFile(std::u16string_view folder, std::u16string_view name) {
    return std::u16string(folder) + u"\\" + std::u16string(name) + u".nlang3";
}
std::u16string IndexFile(std::u16string_view folder) {
    return std::u16string(folder) + u"\\index.txt";
}

// Creates and loads CurrentLang when both files exist; false when either is missing.
bool CreateCurrentLang(std::u16string_view folder, std::u16string_view name) {
    const auto translation = TranslationFile(folder, name);
    const auto index = IndexFile(folder);
    auto& fs = platform::Fs();
    if (!fs.FileExists(translation) || !fs.FileExists(index)) return false;
    Cat().lang = std::make_unique<TLang>();
    Cat().lang->Load_Translation(translation, index);
    return true;
}

void LogElapsed(std::u16string_view what, uint32_t started) {
    const uint32_t elapsed = platform::Sys().TickCount() - started;
    platform::DebugOutput(std::u16string(what) + u" took " + ToDecimalUnsigned(elapsed) + u" ms");
}

}  // namespace

std::span<const MessageEntry> MessageTable() {
    return kMessages;
}

const std::u16string& Msg(std::u16string_view key) {
    static const std::u16string kNone;
    auto& c = Cat();
    const auto it = c.byKey.find(key);
    return it == c.byKey.end() ? kNone : c.current[it->second];
}

TLang* CurrentLang() {
    return Cat().lang.get();
}

bool MessagesLoaded() {
    return Cat().loaded;
}

void LOAD_INTERNAL_ONLY(std::u16string_view folder, std::u16string_view name) {
    const uint32_t started = platform::Sys().TickCount();
    if (TLang* lang = CurrentLang()) {
        lang->Load_Translation(TranslationFile(folder, name), IndexFile(folder));
    } else if (!CreateCurrentLang(folder, name)) {
        return;
    }
    EnsureMessageCatalogue();
    LogElapsed(u"LOAD_INTERNAL_ONLY", started);
}

void LOAD_TRANSLATION_TO_FORM(std::u16string_view folder, std::u16string_view name,
                              toolkit::TComponent& window) {
    const uint32_t started = platform::Sys().TickCount();
    if (CurrentLang() == nullptr && !CreateCurrentLang(folder, name)) return;
    CurrentLang()->Set_Components(window.Name(), &window, false);
    EnsureMessageCatalogue();
    LogElapsed(u"LOAD_TRANSLATION_TO_FORM \"" + std::u16string(window.ClassName()) + u"\"",
               started);
}

void LoadMessageCatalogue() {
    auto& c = Cat();
    if (!c.lang) return;
    for (size_t i = 0; i < std::size(kMessages); ++i) {
        c.current[i] = c.lang->Get_StringW(u"MESSAGES", kMessages[i].key, false);
    }
}

void EnsureMessageCatalogue() {
    auto& c = Cat();
    if (c.loaded) return;
    c.loaded = true;
    LoadMessageCatalogue();
}

void ApplyStartupFallbacks() {
    static constexpr MessageEntry kFallbacks[] = {
        {u"MESSAGE_BYTE", u"Byte"},
        {u"MESSAGE_BYTES", u"Bytes"},
        {u"MESSAGE_IM_MYTALVIK", u"MyTalvik"},
        {u"MESSAGE_IM_SOFTWAREDEALS", u"Software Deals"},
        {u"MESSAGE_IM_MOREDOWNLOADS", u"More Downloads"},
    };
    auto& c = Cat();
    for (const auto& f : kFallbacks) {
        auto& text = c.current[c.byKey.at(f.key)];
        if (text.empty()) text = f.defaultText;
    }
}

void LoadStartupCatalogue(std::u16string_view translationFolder) {
    LOAD_INTERNAL_ONLY(translationFolder, CurrentLanguageFile);
    ApplyStartupFallbacks();
}

void ResetMessageCatalogue() {
    auto& c = Cat();
    for (size_t i = 0; i < std::size(kMessages); ++i) c.current[i] = kMessages[i].defaultText;
    c.lang.reset();
    c.loaded = false;
}

}  // namespace orv::lang
