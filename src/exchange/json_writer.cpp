#include "json_writer.h"

#include "text/encoding.h"
#include "text/real_chars.h"

#include <charconv>
#include <cmath>

namespace dalvex::exchange {

std::string jsonQuoted(std::string_view raw) {
    static const char* hex = "0123456789abcdef";
    // JSON is UTF-8: bytes that are not (a note typed in another encoding) come out as U+FFFD.
    const std::string text = utf16ToUtf8(utf8ToUtf16(raw));
    std::string out = "\"";
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                out += "\\u00";
                out += hex[c >> 4];
                out += hex[c & 15];
            } else {
                out += ch; // UTF-8 passes through unchanged
            }
        }
    }
    out += '"';
    return out;
}

void JsonWriter::separate() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!hasValue_.empty()) {
        if (hasValue_.back()) out_ += ',';
        hasValue_.back() = true;
    }
}

void JsonWriter::beginObject() {
    separate();
    out_ += '{';
    hasValue_.push_back(false);
}

void JsonWriter::endObject() {
    out_ += '}';
    hasValue_.pop_back();
}

void JsonWriter::beginArray() {
    separate();
    out_ += '[';
    hasValue_.push_back(false);
}

void JsonWriter::endArray() {
    out_ += ']';
    hasValue_.pop_back();
}

JsonWriter& JsonWriter::key(std::string_view name) {
    separate();
    out_ += jsonQuoted(name);
    out_ += ':';
    afterKey_ = true;
    return *this;
}

void JsonWriter::value(std::string_view text) {
    separate();
    out_ += jsonQuoted(text);
}

void JsonWriter::value(int64_t number) {
    separate();
    out_ += std::to_string(number);
}

void JsonWriter::value(double number) {
    separate();
    if (!std::isfinite(number)) { // JSON has no NaN or infinity
        out_ += "null";
        return;
    }
    char buffer[64];
    // The shortest form that reads back to the same double.
    const auto result = realToChars(buffer, buffer + sizeof buffer, number);
    out_.append(buffer, result.ptr);
}

void JsonWriter::value(bool flag) {
    separate();
    out_ += flag ? "true" : "false";
}

void JsonWriter::null() {
    separate();
    out_ += "null";
}

void JsonWriter::json(std::string_view document) {
    separate();
    out_ += document;
}

void JsonWriter::textOrNull(const std::string* text) {
    if (text)
        value(*text);
    else
        null();
}

} // namespace dalvex::exchange
