#pragma once

#include <filesystem>

namespace vantor::testing {

// Makes a FIFO at path. False where the system has none among its files (Windows keeps its pipes
// apart from folders): a test that needs one is then skipped.
bool makeFifo(const std::filesystem::path& path);

} // namespace vantor::testing
