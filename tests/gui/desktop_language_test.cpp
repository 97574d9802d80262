// GTK's own texts on a Japanese desktop: the file chooser the viewer shows, read from its GTK
// widgets. CTest runs it with LANG=ja_JP.UTF-8; in another locale it is skipped.

#include <gtest/gtest.h>
#include <wx/uilocale.h>

#include <algorithm>
#include <string>
#include <vector>

#include "viewer_session.h"

#ifdef __WXGTK__
#include <gtk/gtk.h>

namespace {

// Every text shown by `widget` and the widgets inside it, internal ones included.
void CollectTexts(GtkWidget* widget, gpointer texts) {
    auto* found = static_cast<std::vector<std::string>*>(texts);
    if (GTK_IS_LABEL(widget)) {
        found->push_back(gtk_label_get_text(GTK_LABEL(widget)));
    }
    if (GTK_IS_CONTAINER(widget)) {
        gtk_container_forall(GTK_CONTAINER(widget), CollectTexts, texts);
    }
}

// Shows the file chooser the viewer asked for, reads its texts once GTK has drawn it, and
// cancels it.
class ReadChooser : public wxExpectModalBase<wxFileDialog, ReadChooser> {
  public:
    explicit ReadChooser(std::vector<std::string>* texts) : texts(texts) {}

  protected:
    int OnInvoked(wxFileDialog* dialog) const override {
        GtkWidget* chooser = static_cast<GtkWidget*>(dialog->GetHandle());
        gtk_widget_show(chooser);
        while (gtk_events_pending()) {
            gtk_main_iteration();
        }
        CollectTexts(chooser, texts);
        gtk_widget_hide(chooser);
        return wxID_CANCEL;
    }

  private:
    std::vector<std::string>* texts;
};

class DesktopLanguage : public ViewerSession {
  protected:
    // Whether `text` is shown, alone or with its mnemonic key after it ("保存(S)").
    static bool Shows(const std::vector<std::string>& texts, const std::string& text) {
        return std::any_of(texts.begin(), texts.end(), [&text](const std::string& shown) {
            return shown == text ||
                   (shown.rfind(text + "(", 0) == 0 && shown.size() == text.size() + 3);
        });
    }
};

TEST_F(DesktopLanguage, TheFileChoosersSpeakJapanese) {
    if (wxUILocale::GetCurrent().GetLocaleId().GetLanguage() != "ja") {
        GTEST_SKIP() << "needs a Japanese desktop (LANG=ja_JP.UTF-8)";
    }
    std::vector<std::string> open;
    wxTEST_DIALOG(ChooseMenu(wxID_OPEN), ReadChooser(&open));
    EXPECT_TRUE(Shows(open, "キャンセル"));
    EXPECT_TRUE(Shows(open, "他の場所"));
    EXPECT_FALSE(Shows(open, "Cancel"));

    Open(DataFile());
    std::vector<std::string> save;
    wxTEST_DIALOG(ChooseMenu(XRCID("csv_export")), ReadChooser(&save));
    for (const char* text : {"名前(N):", "キャンセル", "保存", "他の場所"}) {
        EXPECT_TRUE(Shows(save, text)) << text;
    }
    EXPECT_FALSE(Shows(save, "Name:"));
    EXPECT_FALSE(Shows(save, "Other Locations"));
}

}  // namespace
#endif
