#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vantor {

// A note tells what is merely unusual; errors and warnings are what a check fails on.
enum class Severity { Error, Warning, Note };

// "error", "warning", "note".
std::string_view severityName(Severity severity);

// One thing a check found in a file: a magic data file's findings have a line, a track file's an
// offset.
struct Finding {
    std::string file;
    std::optional<int> line;
    std::optional<std::uint64_t> offset;
    Severity severity;
    std::string message;

    bool operator==(const Finding&) const = default;
};

// Collects the findings of one file and hands them over in the order of their places in it.
class FindingList {
public:
    explicit FindingList(std::string file)
        : file_(std::move(file)) {}
    void atLine(int line, Severity severity, std::string message);
    void atOffset(std::uint64_t offset, Severity severity, std::string message);
    std::vector<Finding> take();

private:
    std::string file_;
    std::vector<Finding> findings_;
};

} // namespace vantor
