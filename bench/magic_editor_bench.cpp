// Opening the magic data editor on a 2 MB track with custom magic data, in one process on the
// offscreen platform: the block read, the track checked, the window built, shown and painted,
// then closed.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <QApplication>
#include <QWindow>

#include "magic_source.hpp"
#include "temp_folder.hpp"
#include "track_file.hpp"
#include "track_fixture.hpp"
#include "vantor_magic_editor.hpp"

namespace {

namespace fs = std::filesystem;
using namespace vantor::testing;

constexpr std::size_t TrackSize = 2 * 1024 * 1024;
constexpr std::size_t BumpEntries = 40;

// A 2 MB track whose custom block sits near its start, so that the whole tail follows it.
fs::path writeTrack(const TempFolder& folder) {
    const auto plain = trackWithArea(filler(8, 50), TrackSize);
    const auto marked = blockWithEntries(BumpEntries, 7).markedForm();
    const auto track = vantor::spliced(plain, marked, *vantor::planSplice(plain, marked.size()).splice);
    return folder.write("big.dat", track);
}

void BM_OpenEditorOnTwoMegabyteTrack(benchmark::State& state) {
    const TempFolder folder;
    const fs::path track = writeTrack(folder);
    const vantor::SourceName name{vantor::SourceKind::TrackFile, track, 0, track.string()};
    for (auto _ : state) {
        auto load = vantor::loadSource(name);
        auto* editor = new TFMagicEditor(
            std::move(*load.source), {vantor::Descriptions{}, {}, [] { return vantor::BackupChoice::None; }});
        editor->show();
        // Until the window system has it on screen, without the test library's sleeping waits.
        while (!editor->windowHandle()->isExposed()) {
            QCoreApplication::processEvents();
        }
        editor->repaint();
        delete editor;
    }
    state.counters["track_MB"] = double(fs::file_size(track)) / (1024.0 * 1024.0);
}

BENCHMARK(BM_OpenEditorOnTwoMegabyteTrack)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);

} // namespace

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
