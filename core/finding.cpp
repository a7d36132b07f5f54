#include "finding.hpp"

#include <algorithm>
#include <tuple>

namespace vantor {

std::string_view severityName(Severity severity) {
    switch (severity) {
    case Severity::Error:
        return "error";
    case Severity::Warning:
        return "warning";
    case Severity::Note:
        return "note";
    }
    return {};
}

void FindingList::atLine(int line, Severity severity, std::string message) {
    findings_.push_back({file_, line, std::nullopt, severity, std::move(message)});
}

void FindingList::atOffset(std::uint64_t offset, Severity severity, std::string message) {
    findings_.push_back({file_, std::nullopt, offset, severity, std::move(message)});
}

std::vector<Finding> FindingList::take() {
    std::stable_sort(findings_.begin(), findings_.end(), [](const Finding& a, const Finding& b) {
        return std::tie(a.line, a.offset) < std::tie(b.line, b.offset);
    });
    return std::move(findings_);
}

} // namespace vantor
