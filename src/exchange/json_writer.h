#pragma once
// A small streaming JSON writer: strings escaped as RFC 8259 requires, reals that read back to the same
// value.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dalvex::exchange {

class JsonWriter {
public:
    // Containers; inside an object every value is preceded by key().
    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    JsonWriter& key(std::string_view name);

    void value(std::string_view text);
    void value(const char* text) { value(std::string_view(text)); }
    void value(const std::string& text) { value(std::string_view(text)); }
    void value(int64_t number);
    void value(int32_t number) { value(static_cast<int64_t>(number)); }
    void value(double number);
    void value(bool flag);
    void null();
    // A text, or null when the pointer is null.
    void textOrNull(const std::string* text);
    // A value that is JSON already (a document written by another writer), as it is.
    void json(std::string_view document);

    const std::string& text() const { return out_; }

private:
    void separate();

    std::string out_;
    // One entry per open container: whether it already holds a value.
    std::vector<bool> hasValue_;
    bool afterKey_ = false;
};

// The text as a JSON string literal, quotes included.
std::string jsonQuoted(std::string_view text);

} // namespace dalvex::exchange
