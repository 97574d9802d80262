// The engine's figures, each next to its floor: the least work that gives the same result
// (one read of the file, one pass over the texts, one write of the bytes). Both run in the same
// process one after the other, so their ratio is what docs/PERFORMANCE.md reports.
//
//   hoshiwa2_bench [--benchmark_filter=REGEX] [--benchmark_min_time=SECONDS]

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench_runner.h"
#include "export/glossary_export.h"
#include "glossary/chunk_index.h"
#include "glossary/cross_references.h"
#include "glossary/glossary_store.h"
#include "glossary/kana_fold.h"
#include "glossary/sjis_text.h"
#include "read_floor.h"

namespace {

const char kSample[] = HOSHIWA2_SAMPLE_GLOSSARY;

// A word that the sample glossary does not contain (ゾウリムシ): the search that must look at
// every byte of every entry.
const std::string kFoundNowhere = "\x83\x5D\x83\x45\x83\x8A\x83\x80\x83\x56";

// Every benchmark that can fail stops with an error instead of timing a failure.
struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

GlossaryStore LoadedSample() {
    GlossaryStore store;
    if (!store.Load(kSample).Ok()) {
        throw Failure(std::string("cannot load ") + kSample);
    }
    return store;
}

// Exports go to memory-backed storage where there is some, so that the disk does not decide.
std::filesystem::path ExportPath(const char* name) {
    const std::filesystem::path shm = "/dev/shm";
    const auto folder =
        std::filesystem::is_directory(shm) ? shm : std::filesystem::temp_directory_path();
    return folder / ("hoshiwa2-bench-" + std::to_string(::getpid()) + "-" + name);
}

std::string ReadWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// --- Load -----------------------------------------------------------------------------------

void Load(benchmark::State& state) {
    GlossaryStore store;
    for (auto _ : state) {
        if (!store.Load(kSample).Ok()) {
            state.SkipWithError("the sample did not load");
            break;
        }
        benchmark::DoNotOptimize(store);
    }
    state.SetBytesProcessed(state.iterations() * (kGlossaryEnd - kGlossaryBegin));
}
BENCHMARK(Load);

// A load and the first search after it, which cleans every text and lays them out.
void Load_ThenFirstSearch(benchmark::State& state) {
    GlossaryStore store;
    for (auto _ : state) {
        if (!store.Load(kSample).Ok()) {
            state.SkipWithError("the sample did not load");
            break;
        }
        store.Search(kFoundNowhere);
        benchmark::DoNotOptimize(store);
    }
}
BENCHMARK(Load_ThenFirstSearch);

// Open the file, read the glossary's byte range into fresh memory, close it.
void Load_Floor_OneRead(benchmark::State& state) {
    const std::size_t size = kGlossaryEnd - kGlossaryBegin;
    for (auto _ : state) {
        if (!ReadGlossaryRange(kSample)) {
            state.SkipWithError("short read of the sample");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * size);
}
BENCHMARK(Load_Floor_OneRead);

// --- Search ---------------------------------------------------------------------------------

void Search_FoundNowhere(benchmark::State& state) {
    GlossaryStore store = LoadedSample();
    for (auto _ : state) {
        store.Search(kFoundNowhere);
        benchmark::DoNotOptimize(store.VisibleCount());
    }
    if (store.VisibleCount() != 0) {
        state.SkipWithError("the search text is in the sample after all");
    }
}
BENCHMARK(Search_FoundNowhere);

// The same word with kana, width and case folded: one fold of the search text, then the same
// pass over the folded copy of the texts that the first folded search after a load makes (the
// warm-up run pays for that copy). Within 2x of the exact search.
void Search_Folded_FoundNowhere(benchmark::State& state) {
    GlossaryStore store = LoadedSample();
    for (auto _ : state) {
        store.Search(kFoundNowhere, SearchMatch::Folded);
        benchmark::DoNotOptimize(store.VisibleCount());
    }
    if (store.VisibleCount() != 0) {
        state.SkipWithError("the folded search text is in the sample after all");
    }
}
BENCHMARK(Search_Folded_FoundNowhere);

// What the first folded search after a load costs on top of the search itself: every searched
// text of the sample folded once.
void FoldForSearch_AllSearchedTexts(benchmark::State& state) {
    GlossaryStore store = LoadedSample();
    std::vector<std::string> texts;
    std::int64_t bytes = 0;
    for (int row = 0; row < store.VisibleCount(); ++row) {
        for (const std::string* text : {&store.TitleAt(row), &store.ReadingAt(row),
                                        &store.Text1At(row), &store.Text2At(row)}) {
            texts.push_back(*text);
            bytes += static_cast<std::int64_t>(text->size());
        }
    }
    std::string folded(2 * static_cast<std::size_t>(bytes), '\0');
    for (auto _ : state) {
        char* out = folded.data();
        for (const std::string& text : texts) {
            out = FoldForSearchInto(text.data(), text.size(), out);
        }
        benchmark::DoNotOptimize(out);
    }
    state.SetBytesProcessed(state.iterations() * bytes);
}
BENCHMARK(FoldForSearch_AllSearchedTexts);

// One memmem pass over `texts` for a word they do not contain: the floor of every search.
void MemmemFloor(benchmark::State& state, const std::string& texts) {
    for (auto _ : state) {
        const void* found =
            ::memmem(texts.data(), texts.size(), kFoundNowhere.data(), kFoundNowhere.size());
        benchmark::DoNotOptimize(found);
        if (found != nullptr) {
            state.SkipWithError("the search text is in the sample after all");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(texts.size()));
}

// The four searched texts of every entry laid end to end, searched in one pass.
void Search_Floor_OneMemmem(benchmark::State& state) {
    GlossaryStore store = LoadedSample();
    std::string texts;
    for (int row = 0; row < store.VisibleCount(); ++row) {
        texts +=
            store.TitleAt(row) + store.ReadingAt(row) + store.Text1At(row) + store.Text2At(row);
    }
    MemmemFloor(state, texts);
}
BENCHMARK(Search_Floor_OneMemmem);

// --- Cross-references ------------------------------------------------------------------------

// Every link of every entry, as the detail pane finds them one entry at a time (the index of
// titles is built by the warm-up run, once per load). Within 10x of its floor.
void CrossReferences_AllEntries(benchmark::State& state) {
    GlossaryStore store = LoadedSample();
    std::size_t links = 0;
    for (auto _ : state) {
        links = 0;
        for (int row = 0; row < store.VisibleCount(); ++row) {
            links += FindCrossReferences(store, row).size();
        }
        benchmark::DoNotOptimize(links);
    }
    if (links == 0) {
        state.SkipWithError("the sample names no other entry");
    }
    state.counters["links"] = static_cast<double>(links);
}
BENCHMARK(CrossReferences_AllEntries);

// The texts links are found in (text2 and text1 of every entry) laid end to end, searched in one
// pass for a word they do not contain.
void CrossReferences_Floor_OneMemmem(benchmark::State& state) {
    GlossaryStore store = LoadedSample();
    std::string texts;
    for (int row = 0; row < store.VisibleCount(); ++row) {
        texts += store.Text2At(row) + store.Text1At(row);
    }
    MemmemFloor(state, texts);
}
BENCHMARK(CrossReferences_Floor_OneMemmem);

// --- Views ----------------------------------------------------------------------------------

void FilterByKanaRow(benchmark::State& state) {
    GlossaryStore store = LoadedSample();
    const int row = static_cast<int>(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(store.FilterByKanaRow(row));
    }
}
BENCHMARK(FilterByKanaRow)->Arg(1);  // か, the fullest row of the sample

void SortByKey(benchmark::State& state) {
    GlossaryStore store = LoadedSample();
    for (auto _ : state) {
        store.SortByKey();
        benchmark::DoNotOptimize(store);
    }
}
BENCHMARK(SortByKey);

void ShowAll(benchmark::State& state) {
    GlossaryStore store = LoadedSample();
    for (auto _ : state) {
        store.ShowAll();
        benchmark::DoNotOptimize(store);
    }
}
BENCHMARK(ShowAll);

// --- Exports --------------------------------------------------------------------------------

// The engine's exports, by path (the benchmarks below take their names).
using Export = GlossaryResult (*)(const GlossaryStore&, const std::filesystem::path&);
const Export kExportText = ::ExportText;
const Export kExportCsv = ::ExportCsv;

void RunExport(benchmark::State& state, Export exportRows, const char* name) {
    const GlossaryStore store = LoadedSample();
    const auto path = ExportPath(name);
    for (auto _ : state) {
        if (!exportRows(store, path).Ok()) {
            state.SkipWithError("the export failed");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<std::int64_t>(std::filesystem::file_size(path)));
    std::filesystem::remove(path);
}

// Create or truncate the file, write the export's bytes in one call, close it.
void RunWriteFloor(benchmark::State& state, Export exportRows, const char* name) {
    const GlossaryStore store = LoadedSample();
    const auto path = ExportPath(name);
    exportRows(store, path);
    const std::string bytes = ReadWholeFile(path);
    for (auto _ : state) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        ::close(fd);
        if (written != static_cast<ssize_t>(bytes.size())) {
            state.SkipWithError("short write");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
    std::filesystem::remove(path);
}

void ExportText(benchmark::State& state) {
    RunExport(state, kExportText, "all.txt");
}
BENCHMARK(ExportText);

void ExportText_Floor_OneWrite(benchmark::State& state) {
    RunWriteFloor(state, kExportText, "floor.txt");
}
BENCHMARK(ExportText_Floor_OneWrite);

void ExportCsv(benchmark::State& state) {
    RunExport(state, kExportCsv, "all.csv");
}
BENCHMARK(ExportCsv);

void ExportCsv_Floor_OneWrite(benchmark::State& state) {
    RunWriteFloor(state, kExportCsv, "floor.csv");
}
BENCHMARK(ExportCsv_Floor_OneWrite);

// --- ReplaceAll -----------------------------------------------------------------------------

// The worst case of the cleanup: half the text ahead of the first match, then nothing but
// matches (NUL padding removed byte by byte), so every replacement comes after the longest
// stretch of text that cannot match.
std::string WorstCaseText(int length) {
    std::string text(static_cast<std::size_t>(length - length / 2), 'a');
    text.append(static_cast<std::size_t>(length / 2), '\0');
    return text;
}

void ReplaceAll_Worst(benchmark::State& state) {
    const int length = static_cast<int>(state.range(0));
    const std::string text = WorstCaseText(length);
    char buffer[kReplaceScratchSize];
    for (auto _ : state) {
        std::memcpy(buffer, text.data(), text.size());
        buffer[length] = '\0';
        int current = length;
        ReplaceAll(buffer, current, "\0", 1, "", 0);
        benchmark::DoNotOptimize(current);
        benchmark::ClobberMemory();
        if (current != length - length / 2) {
            state.SkipWithError("unexpected result");
            break;
        }
    }
    state.SetComplexityN(length);
}
BENCHMARK(ReplaceAll_Worst)->Arg(224)->Arg(4000)->Complexity();

// The same result from one copying pass that drops the matches.
void ReplaceAll_Floor_OnePass(benchmark::State& state) {
    const int length = static_cast<int>(state.range(0));
    const std::string text = WorstCaseText(length);
    char buffer[kReplaceScratchSize];
    for (auto _ : state) {
        char* end = std::remove_copy(text.begin(), text.end(), buffer, '\0');
        *end = '\0';
        benchmark::DoNotOptimize(buffer);
        benchmark::ClobberMemory();
    }
    state.SetComplexityN(length);
}
BENCHMARK(ReplaceAll_Floor_OnePass)->Arg(224)->Arg(4000)->Complexity();

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 2;
    }
    const int status = RunBenchmarks();
    benchmark::Shutdown();
    return status;
}
