// Feeds arbitrary bytes to the magic data file compiler and checks what must hold for any input:
// a compiled block is well formed, and writing it out and compiling again gives the same bytes.
#include "magic_file.hpp"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vantor;
    const MagicCompilation compiled = compileMagicText(std::span(data, size));
    if (compiled.outcome != MagicCompilation::Outcome::Compiled) {
        return 0;
    }
    const std::vector<std::uint8_t>& marked = compiled.markedBlock;
    if (marked.size() < EmptyMarkedBlockSize || (marked.size() - EmptyMarkedBlockSize) % BumpEntrySize != 0 ||
        !startsWithMagicMarker(marked) || marked[marked.size() - 2] != 0xFF ||
        marked[marked.size() - 1] != 0xFF) {
        std::abort();
    }

    const MagicBlock block(std::vector<std::uint8_t>(marked.begin() + 4, marked.end()));
    const std::string text = formatMagicFile(block, Descriptions{});
    const MagicCompilation again =
        compileMagicText(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
    if (again.outcome != MagicCompilation::Outcome::Compiled || again.markedBlock != marked) {
        std::abort();
    }
    return 0;
}
