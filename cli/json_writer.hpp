#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string_view>
#include <vector>

namespace vantor::cli {

// Writes one JSON document to a stream, putting the commas itself. Strings are written as UTF-8;
// a text that is not valid UTF-8 (the game's texts are single-byte) is taken as Latin-1.
class JsonWriter {
public:
    explicit JsonWriter(std::ostream& out)
        : out_(out) {}

    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    // The key of the next member of the object being written.
    void key(std::string_view name);

    void value(std::string_view text);
    void value(const char* text) { value(std::string_view(text)); }
    void value(std::int64_t number);
    void value(int number) { value(std::int64_t{number}); }
    void value(std::uint64_t number);
    void null();
    template <typename T> void value(const std::optional<T>& maybe) {
        if (maybe) {
            value(*maybe);
        } else {
            null();
        }
    }

    // Ends the document with a line end.
    void finish();

private:
    void separate();

    std::ostream& out_;
    // For each open object or array: whether it holds a member yet.
    std::vector<bool> filled_;
    bool afterKey_ = false;
};

// The text as a JSON string literal, quotes included.
std::string jsonString(std::string_view text);

} // namespace vantor::cli
