#include "viewer/viewer_settings.h"

#include "viewer/detail_pane.h"

#include <algorithm>

#include <wx/display.h>
#include <wx/log.h>
#include <wx/persist.h>
#include <wx/persist/toplevel.h>

namespace {

const char kAppName[] = "hoshiwa2";
const char kAsYouTypeKey[] = "/Search/AsYouType";
const char kFoldedKey[] = "/Search/Folded";
const char kDetailFontKey[] = "/DetailPane/Font";
const char kDetailPointsKey[] = "/DetailPane/Points";
const char kRecentFilesGroup[] = "/RecentFiles";

constexpr int kLargestFontPoints = 400;

// The names under which wxPersistentTLW records a window's place and size.
const char kWindowX[] = "x";
const char kWindowY[] = "y";
const char kWindowWidth[] = "w";
const char kWindowHeight[] = "h";
const char kWindowMaximized[] = "Maximized";
// The window's DPI when its size was recorded: the template is laid out in dialog units, so a
// size from another DPI (or none) is not one this window ever had.
const char kWindowDpi[] = "dpi";

// A switch is "0" or "1"; anything else is no value at all. (wxConfig's own reading of a bool
// warns about other numbers, and a warning becomes a message box.)
bool ReadSwitch(const wxConfigBase& config, const char* key, bool fallback) {
    const wxString value = config.Read(key, wxString()).Strip(wxString::both);
    return value == "1" ? true : value == "0" ? false : fallback;
}

wxFont ReadFont(const wxConfigBase& config) {
    wxFont font;
    const wxString description = config.Read(kDetailFontKey, wxString());
    // Only a description as Save writes it: the toolkit makes a font of almost anything ("17"
    // gives its default face, "Sans 0" its default size), which is no font the user chose.
    if (description.empty() || !font.SetNativeFontInfo(description) || !font.IsOk() ||
        font.GetNativeFontInfoDesc() != description) {
        return wxFont();
    }
    const double points = font.GetFractionalPointSize();
    return points >= 1 && points <= kLargestFontPoints ? font : wxFont();
}

bool ReadInt(const wxPersistentObject& who, const char* name, int* value) {
    return wxPersistenceManager::Get().RestoreValue(who, name, value);
}

}  // namespace

ViewerSettings::ViewerSettings() {
    platform::wx::UserConfig store = platform::wx::OpenUserConfig(kAppName);
    writable = store.writable;
    location = store.location;
    config = store.config.release();
    // Nothing else may create a configuration of its own, under another name.
    wxConfigBase::DontCreateOnDemand();
    wxLogNull quiet;
    searchAsYouType = ReadSwitch(*config, kAsYouTypeKey, false);
    foldedSearch = ReadSwitch(*config, kFoldedKey, false);
    detailFont = ReadFont(*config);
    long points = 0;
    if (config->Read(kDetailPointsKey, wxString()).Strip(wxString::both).ToLong(&points) &&
        points >= DetailPane::kSmallestPoints && points <= DetailPane::kLargestPoints) {
        detailPoints = static_cast<int>(points);
    }
    // The one it replaces goes unsaved: what it was given has been saved already.
    delete wxConfigBase::Set(config);
}

wxConfigBase* ViewerSettings::Config() const {
    return wxConfigBase::Get(false) == config ? config : nullptr;
}

void ViewerSettings::LoadRecentFiles(wxFileHistory& history) {
    wxLogNull quiet;
    if (wxConfigBase* current = Config()) {
        current->SetPath(kRecentFilesGroup);
        history.Load(*current);
        current->SetPath("/");
    }
}

void ViewerSettings::RestoreWindow(wxTopLevelWindow* window, const wxSize& smallest) {
    if (Config() == nullptr) {
        return;
    }
    wxLogNull quiet;
    wxPersistenceManager& persistence = wxPersistenceManager::Get();
    const wxPersistentObject* who = persistence.Register(window);
    followed = window;

    wxRect rect = window->GetRect();
    int width = 0;
    int height = 0;
    int dpi = 0;
    if (ReadInt(*who, kWindowDpi, &dpi) && dpi == window->GetDPI().y &&
        ReadInt(*who, kWindowWidth, &width) && ReadInt(*who, kWindowHeight, &height) &&
        width >= smallest.x && height >= smallest.y) {
        for (unsigned int i = 0; i < wxDisplay::GetCount(); ++i) {
            const wxRect screen = wxDisplay(i).GetGeometry();
            if (width <= screen.width && height <= screen.height) {
                rect.SetSize(wxSize(width, height));
                break;
            }
        }
    }
    int x = 0;
    int y = 0;
    // The top left corner holds the caption, by which the window can be moved.
    if (ReadInt(*who, kWindowX, &x) && ReadInt(*who, kWindowY, &y)) {
        const int display = wxDisplay::GetFromPoint(wxPoint(x, y));
        if (display != wxNOT_FOUND) {
            // Moved back as far as it takes to show it whole on that screen: a place recorded
            // at a lower DPI leaves the larger window hanging off the edge, close button and all.
            const wxRect area = wxDisplay(static_cast<unsigned int>(display)).GetClientArea();
            x = std::max(area.x, std::min(x, area.GetRight() + 1 - rect.width));
            y = std::max(area.y, std::min(y, area.GetBottom() + 1 - rect.height));
            rect.SetPosition(wxPoint(x, y));
        }
    }
    window->SetSize(rect);
    // Maximized is a state, not a measure: it holds at any DPI.
    int maximized = 0;
    if (ReadInt(*who, kWindowMaximized, &maximized) && maximized == 1) {
        window->Maximize();
    }
}

void ViewerSettings::Save(wxFileHistory& history) {
    if (!writable || Config() == nullptr) {
        return;
    }
    wxLogNull quiet;
    config->Write(kAsYouTypeKey, searchAsYouType ? "1" : "0");
    config->Write(kFoldedKey, foldedSearch ? "1" : "0");
    if (detailPoints != 0) {
        // As text, as it is read: the registry keeps a number as a DWORD, which reads as no text.
        config->Write(kDetailPointsKey, wxString::Format("%d", detailPoints));
    } else {
        config->DeleteEntry(kDetailPointsKey);
    }
    if (detailFont.IsOk()) {
        config->Write(kDetailFontKey, detailFont.GetNativeFontInfoDesc());
    } else {
        config->DeleteEntry(kDetailFontKey);
    }
    config->DeleteGroup(kRecentFilesGroup);
    config->SetPath(kRecentFilesGroup);
    history.Save(*config);
    config->SetPath("/");
    if (followed != nullptr) {
        wxPersistenceManager& persistence = wxPersistenceManager::Get();
        persistence.Save(followed);
        if (const wxPersistentObject* who = persistence.Find(followed)) {
            persistence.SaveValue(*who, kWindowDpi, followed->GetDPI().y);
        }
    }
    platform::wx::SaveUserConfig(*config, location);
}
