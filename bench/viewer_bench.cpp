// The viewer's figures in the real main dialog (it needs a display; Xvfb will do), each next to
// its floor: what the toolkit alone needs to show the same 294 titles.
//
//   xvfb-run -a hoshiwa2_viewer_bench [--benchmark_filter=REGEX] [--benchmark_min_time=SECONDS]

#include <benchmark/benchmark.h>
#include <wx/app.h>
#include <wx/init.h>
#include <wx/listbox.h>
#include <wx/log.h>
#include <wx/xrc/xmlres.h>

#include <cstdio>
#include <memory>

#include "bench_runner.h"
#include "glossary/chunk_index.h"
#include "glossary/glossary_store.h"
#include "platform/wx/wx_text.h"
#include "read_floor.h"
#include "viewer/main_dialog.h"

namespace {

const char kSample[] = HOSHIWA2_SAMPLE_GLOSSARY;

class BenchApp : public wxApp {
  public:
    bool OnInit() override { return true; }
};

// One shown main dialog for all benchmarks, with the sample opened through its menu.
class Viewer {
  public:
    Viewer() {
        dialog = std::make_unique<MainDialog>();
        dialog->Show();
        Open();
        list = XRCCTRL(*dialog, "title_list", wxListBox);
    }

    // The open command once the open dialog has answered with the sample.
    void Open() { dialog->OpenPath(platform::wx::FromPath(kSample)); }

    // The all button: the store shows every entry and the list is refilled.
    void ShowAll() {
        auto* all = XRCCTRL(*dialog, "all_button", wxButton);
        wxCommandEvent click(wxEVT_BUTTON, all->GetId());
        click.SetEventObject(all);
        all->ProcessWindowEvent(click);
    }

    bool Filled() const { return list != nullptr && list->GetCount() == kEntryCount; }

    std::unique_ptr<MainDialog> dialog;
    wxListBox* list = nullptr;
};

// Created by the first benchmark that needs it, destroyed before the toolkit is shut down.
std::unique_ptr<Viewer> theViewer;

Viewer& TheViewer() {
    if (!theViewer) {
        theViewer = std::make_unique<Viewer>();
    }
    return *theViewer;
}

// Lets the toolkit do what it would do before the next user action (layout, drawing).
void Settle() {
    wxTheApp->ProcessPendingEvents();
    while (wxTheApp->Pending()) {
        wxTheApp->Dispatch();
    }
}

// The 294 titles as the list shows them, ready for the toolkit.
wxArrayString Titles() {
    GlossaryStore store;
    store.Load(kSample);
    wxArrayString titles;
    for (int row = 0; row < store.VisibleCount(); ++row) {
        titles.push_back(platform::wx::FromSjis(store.TitleAt(row)));
    }
    return titles;
}

// Floor of a refill: empty the list box, append the titles in one call, select row 0.
void FillList(wxListBox* list, const wxArrayString& titles) {
    list->Clear();
    list->Append(titles);
    list->SetSelection(0);
}

void RefreshList(benchmark::State& state) {
    Viewer& viewer = TheViewer();
    for (auto _ : state) {
        viewer.ShowAll();
    }
    if (!viewer.Filled()) {
        state.SkipWithError("the list does not hold the 294 titles");
    }
    Settle();
}
BENCHMARK(RefreshList);

void RefreshList_Floor_AppendTitles(benchmark::State& state) {
    Viewer& viewer = TheViewer();
    const wxArrayString titles = Titles();
    for (auto _ : state) {
        FillList(viewer.list, titles);
    }
    Settle();
}
BENCHMARK(RefreshList_Floor_AppendTitles);

// From choosing the file (the dialog answered at once) to the list filled and the controls set.
void OpenCommand(benchmark::State& state) {
    Viewer& viewer = TheViewer();
    for (auto _ : state) {
        viewer.Open();
    }
    if (!viewer.Filled()) {
        state.SkipWithError("the open command did not fill the list");
    }
    Settle();
}
BENCHMARK(OpenCommand);

// One read of the glossary range plus the floor of the refill.
void OpenCommand_Floor_ReadAndAppend(benchmark::State& state) {
    Viewer& viewer = TheViewer();
    const wxArrayString titles = Titles();
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadGlossaryRange(kSample));
        FillList(viewer.list, titles);
    }
    Settle();
}
BENCHMARK(OpenCommand_Floor_ReadAndAppend);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 2;
    }
    wxApp::SetInstance(new BenchApp);
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) {
        std::fprintf(stderr, "cannot initialise wxWidgets (is DISPLAY set?)\n");
        return 1;
    }
    // Toolkit notes go to standard error rather than into message boxes nobody closes.
    delete wxLog::SetActiveTarget(new wxLogStderr);
    const int status = RunBenchmarks();
    benchmark::Shutdown();
    theViewer.reset();
    delete wxLog::SetActiveTarget(nullptr);
    wxTheApp->OnExit();
    wxEntryCleanup();
    return status;
}
