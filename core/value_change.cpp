#include "value_change.hpp"

#include "value_encoding.hpp"

#include <stdexcept>

namespace vantor {

std::string outOfRangeText(int number, std::int64_t value) {
    const ValueEncoding encoding = valueSlot(number).encoding;
    const ValueRange range = rangeOf(encoding);
    const std::string_view name = encodingName(encoding);
    return "value " + std::to_string(number) + " = " + std::to_string(value) + " is outside " +
           std::to_string(range.min) + " to " + std::to_string(range.max) + ", the range of " +
           (name.starts_with('u') ? "an " : "a ") + std::string(name);
}

std::optional<std::string> changeRefusal(const ValueChange& change) {
    if (change.number < 1 || change.number > MagicValueCount) {
        return "there is no value " + std::to_string(change.number) + "; the values are numbered 1 to 130";
    }
    if (!rangeOf(valueSlot(change.number).encoding).contains(change.value)) {
        return outOfRangeText(change.number, change.value);
    }
    return std::nullopt;
}

std::optional<std::string> firstChangeRefusal(std::span<const ValueChange> changes) {
    for (const ValueChange& change : changes) {
        if (auto refusal = changeRefusal(change)) {
            return refusal;
        }
    }
    return std::nullopt;
}

void applyChanges(MagicBlock& block, std::span<const ValueChange> changes) {
    for (const ValueChange& change : changes) {
        if (changeRefusal(change)) {
            throw std::invalid_argument(*changeRefusal(change));
        }
        block.setValue(change.number, static_cast<std::int32_t>(change.value));
    }
}

} // namespace vantor
