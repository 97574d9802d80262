// GTK's own texts on a Japanese desktop: the file choosers the viewer shows, read from their GTK
// widgets. CTest runs it under ja_JP.UTF-8; in another locale it is skipped.

#include <wx/uilocale.h>

#include <algorithm>
#include <string>

#include "viewer_session.h"

#ifdef __WXGTK__
#include <gtk/gtk.h>

namespace {

// Every label in `widget` and the widgets inside it, internal ones included.
void CollectLabels(GtkWidget* widget, gpointer labels) {
    if (GTK_IS_LABEL(widget)) {
        static_cast<std::vector<std::string>*>(labels)->push_back(
            gtk_label_get_text(GTK_LABEL(widget)));
    }
    if (GTK_IS_CONTAINER(widget)) {
        gtk_container_forall(GTK_CONTAINER(widget), CollectLabels, labels);
    }
}

// Shows the chooser the viewer asked for, reads it once GTK has drawn it, and cancels it.
class ReadChooser : public wxExpectModalBase<wxFileDialog, ReadChooser> {
  public:
    explicit ReadChooser(std::vector<std::string>* labels) : labels(labels) {}

  protected:
    int OnInvoked(wxFileDialog* dialog) const override {
        auto* chooser = static_cast<GtkWidget*>(dialog->GetHandle());
        gtk_widget_show(chooser);
        while (gtk_events_pending()) {
            gtk_main_iteration();
        }
        CollectLabels(chooser, labels);
        gtk_widget_hide(chooser);
        return wxID_CANCEL;
    }

  private:
    std::vector<std::string>* labels;
};

// Whether `text` is shown, alone or with its mnemonic key after it ("保存(S)").
bool Shows(const std::vector<std::string>& labels, const std::string& text) {
    return std::any_of(labels.begin(), labels.end(), [&text](const std::string& label) {
        return label == text ||
               (label.rfind(text + "(", 0) == 0 && label.size() == text.size() + 3);
    });
}

using DesktopLanguage = ViewerSession;

TEST_F(DesktopLanguage, TheFileChoosersSpeakJapanese) {
    if (wxUILocale::GetCurrent().GetLocaleId().GetLanguage() != "ja") {
        GTEST_SKIP() << "needs a Japanese desktop (ja_JP.UTF-8)";
    }
    std::vector<std::string> open;
    wxTEST_DIALOG(ChooseMenu(wxID_OPEN), ReadChooser(&open));
    EXPECT_TRUE(Shows(open, "キャンセル") && Shows(open, "他の場所"));
    EXPECT_FALSE(Shows(open, "Cancel"));

    Open(DataFile());
    std::vector<std::string> save;
    wxTEST_DIALOG(ChooseMenu(XRCID("csv_export")), ReadChooser(&save));
    for (const char* text : {"名前(N):", "キャンセル", "保存", "他の場所"}) {
        EXPECT_TRUE(Shows(save, text)) << text;
    }
}

}  // namespace
#endif
