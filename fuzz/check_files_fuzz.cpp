// Feeds arbitrary bytes to the checks of both file kinds and to the in-place edit, and checks what
// must hold for any input: no check fails, a magic data file without errors or warnings is one the
// compiler accepts, and an edit that is made reads back as asked.
#include "magic_file.hpp"
#include "magic_file_check.hpp"
#include "magic_file_edit.hpp"
#include "track_file_check.hpp"

#include <algorithm>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vantor;
    const std::span<const std::uint8_t> bytes(data, size);
    for (const Finding& finding : checkTrackContents(bytes, "fuzz.dat")) {
        if (finding.line || !finding.offset) {
            std::abort();
        }
    }
    const std::vector<Finding> findings = checkMagicText(bytes, "fuzz.md2");
    const bool clean = std::none_of(findings.begin(), findings.end(), [](const Finding& finding) {
        return finding.severity != Severity::Note;
    });
    const MagicCompilation compiled = compileMagicText(bytes);
    if (clean && compiled.outcome != MagicCompilation::Outcome::Compiled) {
        std::abort();
    }
    if (compiled.outcome != MagicCompilation::Outcome::Compiled) {
        return 0;
    }
    const ValueChange change{static_cast<int>(1 + size % MagicValueCount), 7};
    const MagicTextEdit edit = editMagicText(bytes, "fuzz.md2", {&change, 1}, std::nullopt);
    if (edit.text && bareBlockOf(compileMagicText(*edit.text).markedBlock).value(change.number) != 7) {
        std::abort();
    }
    return 0;
}
