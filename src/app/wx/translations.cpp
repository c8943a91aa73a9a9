#include "app/wx/translations.h"

#include <wx/choicdlg.h>
#include <wx/intl.h>
#include <wx/msgdlg.h>
#include <wx/translation.h>
#include <wx/uilocale.h>

#include <algorithm>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <unordered_map>

#include "i18n/language.h"
#include "i18n/translate.h"
#include "settings/settings_store.h"
#include "ui/wx/wx_text.h"

namespace vantrel {

namespace {

// The toolkit answers with its own strings; the core wants UTF-8 that lives
// as long as the run. Each text is converted once.
const char* kept(const wxString& translated, const char* english) {
    static std::unordered_map<const void*, std::string> texts;
    if (translated.IsSameAs(wxString::FromUTF8(english))) return english;
    auto [slot, added] = texts.try_emplace(&translated);
    if (added) slot->second = toUtf8(translated);
    return slot->second.c_str();
}

const char* toolkitText(const char* context, const char* english) {
    const wxString text = wxString::FromUTF8(english);
    const wxString& translated = context ? wxGetTranslation(text, kTextDomain, wxString::FromUTF8(context))
                                         : wxGetTranslation(text, kTextDomain);
    return kept(translated, english);
}

const char* toolkitPlural(const char* context, const char* singular, const char* plural, unsigned long n) {
    const wxString one = wxString::FromUTF8(singular), many = wxString::FromUTF8(plural);
    const wxString& translated = wxGetTranslation(one, many, static_cast<unsigned>(n), kTextDomain,
                                                  context ? wxString::FromUTF8(context) : wxString());
    return kept(translated, n == 1 ? singular : plural);
}

// What a language is called in itself, for the list the user picks from.
wxString nativeName(const std::string& code) {
    if (code == "en") return "English";
    if (const wxLanguageInfo* info = wxUILocale::FindLanguageInfo(fromUtf8(code))) {
        wxString name = info->DescriptionNative.empty() ? info->Description : info->DescriptionNative;
        // "deutsch (Deutschland)" → "Deutsch": the language, capitalised as a list entry.
        name = name.BeforeFirst('(').Trim();
        if (!name.empty()) name[0] = wxToupper(name[0]);
        return name;
    }
    return fromUtf8(code);
}

// The toolkit's widgets of the system (stock buttons such as Cancel and
// Close, the file and print dialogs) are translated by the C library's
// catalogs, which follow LANGUAGE once the messages' locale is not plain "C"
// (C.UTF-8 will do where the language's own locale is not installed).
void useInSystemCatalogs(const std::string& language) {
#ifndef __WXMSW__
    setenv("LANGUAGE", language.c_str(), 1);
    const char* messages = std::setlocale(LC_MESSAGES, nullptr);
    if (!messages || std::strcmp(messages, "C") == 0 || std::strcmp(messages, "POSIX") == 0)
        std::setlocale(LC_MESSAGES, "C.UTF-8");
#else
    (void)language;  // the system's controls speak the Windows display language
#endif
}

}  // namespace

void setUpTranslations(const SettingsStore& settings, const std::string& localeDir) {
    // Numbers are written and read with a decimal point whatever the
    // language; the toolkit may have taken the system's conventions.
    std::setlocale(LC_NUMERIC, "C");
    wxFileTranslationsLoader::AddCatalogLookupPathPrefix(fromUtf8(localeDir));
    auto* translations = new wxTranslations;
    wxTranslations::Set(translations);
    const std::string chosen = settings.get(kLanguageValue).value_or("");
    if (chosen.empty())
        translations->SetLanguage(wxLANGUAGE_DEFAULT);
    else
        translations->SetLanguage(fromUtf8(chosen));
    // The English texts are the program's own: no catalog is wanted for
    // them, and the toolkit's stock texts follow the language chosen here.
    translations->AddCatalog(kTextDomain, wxLANGUAGE_ENGLISH_US);
    translations->AddStdCatalog();
    setTranslator(Translator{toolkitText, toolkitPlural});
    useInSystemCatalogs(currentLanguage());
}

std::string currentLanguage() {
    wxTranslations* translations = wxTranslations::Get();
    if (!translations || !translations->IsLoaded(kTextDomain)) return "en";
    const wxString best = translations->GetBestTranslation(kTextDomain, wxLANGUAGE_ENGLISH_US);
    return best.empty() ? "en" : toUtf8(best);
}

std::vector<std::string> availableLanguages() {
    std::vector<std::string> languages{"en"};
    if (wxTranslations* translations = wxTranslations::Get())
        for (const wxString& name : translations->GetAvailableTranslations(kTextDomain))
            if (std::find(languages.begin(), languages.end(), toUtf8(name)) == languages.end())
                languages.push_back(toUtf8(name));
    std::sort(languages.begin() + 1, languages.end());
    return languages;
}

bool chooseLanguage(wxWindow* parent, SettingsStore& settings) {
    const std::vector<std::string> languages = availableLanguages();
    wxArrayString names;
    names.Add(fromUtf8(tr("System default")));
    for (const std::string& code : languages) names.Add(nativeName(code));
    const std::string chosen = settings.get(kLanguageValue).value_or("");
    int current = 0;
    for (std::size_t i = 0; i < languages.size(); ++i)
        if (languages[i] == chosen) current = static_cast<int>(i) + 1;
    wxSingleChoiceDialog dialog(parent, fromUtf8(tr("Language of menus, dialogs, messages, printouts and help:")),
                                fromUtf8(tr("Language")), names);
    dialog.SetSelection(current);
    if (dialog.ShowModal() != wxID_OK || dialog.GetSelection() == current) return false;
    const int picked = dialog.GetSelection();
    const std::string value = picked == 0 ? std::string() : languages[static_cast<std::size_t>(picked) - 1];
    if (!settings.set(kLanguageValue, value)) {
        wxMessageBox(fromUtf8(tr("The language could not be kept in the settings.")), fromUtf8(tr("ERROR")),
                     wxOK | wxICON_ERROR, parent);
        return false;
    }
    wxMessageBox(fromUtf8(tr("Vantrel uses the new language from its next start.")), fromUtf8(tr("MESSAGE")),
                 wxOK | wxICON_INFORMATION, parent);
    return true;
}

}  // namespace vantrel
