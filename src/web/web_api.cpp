// The module's doors for the page: plain C functions over one WebSession. Texts go in and out as UTF-8 with
// a terminating NUL, bytes as a pointer and a size; what a function answers stays valid until the next call.
#include "files/sketch_link.h"
#include "io/file_pack.h"
#include "io/whole_file.h"
#include "web_session.h"

#include <emscripten/emscripten.h>

#include <cstdint>
#include <string>

namespace {

using dalvex::web::WebSession;

// Where the shop's data is unpacked in the module's memory file system.
constexpr const char* kShopFolder = "/shop";

WebSession& session() {
    static WebSession one;
    return one;
}

// Every call but dalvex_start answers this until the shop's data is loaded.
constexpr const char* kNotStarted = R"({"error":"the shop's data is not loaded"})";

// The last answer, kept for the page to read.
std::string& answer() {
    static std::string text;
    return text;
}

const char* answerWith(std::string text) {
    answer() = std::move(text);
    return answer().c_str();
}

std::string_view bytesAt(const uint8_t* data, int size) {
    return size > 0 && data ? std::string_view(reinterpret_cast<const char*>(data), static_cast<std::size_t>(size))
                            : std::string_view();
}

// What opening a file or a link answers: the file reader's code and, on a failure, the message the programs
// show for it.
const char* openAnswer(dalvex::SketchFileResult result, bool link) {
    if (result == dalvex::kSketchOk) return answerWith("");
    return answerWith(link ? dalvex::sketchLinkOpenMessage(result) : dalvex::sketchOpenMessage(result, {}));
}

} // namespace

extern "C" {

// The shop's data pack, as the page loaded it: an empty answer once the catalogue is made, else the reason.
EMSCRIPTEN_KEEPALIVE const char* dalvex_start(const uint8_t* pack, int size) {
    std::string error;
    if (!session().start(bytesAt(pack, size), kShopFolder, error)) return answerWith(error);
    return answerWith("");
}

EMSCRIPTEN_KEEPALIVE const char* dalvex_shop() {
    if (!session().started()) return kNotStarted;
    return answerWith(session().shopJson());
}

// The order as dalvex-cli calc writes it.
EMSCRIPTEN_KEEPALIVE const char* dalvex_order() {
    if (!session().started()) return kNotStarted;
    return answerWith(session().orderJson());
}

EMSCRIPTEN_KEEPALIVE const char* dalvex_state() {
    if (!session().started()) return kNotStarted;
    return answerWith(session().stateJson());
}

// A JSON array of editing operations, as dalvex-cli's --script takes them.
EMSCRIPTEN_KEEPALIVE const char* dalvex_apply(const char* script) {
    if (!session().started()) return kNotStarted;
    return answerWith(session().apply(script ? script : ""));
}

EMSCRIPTEN_KEEPALIVE const char* dalvex_layout(int width, int height) {
    if (!session().started()) return kNotStarted;
    return answerWith(session().layOut(width, height));
}

EMSCRIPTEN_KEEPALIVE const char* dalvex_hit(int x, int y) {
    if (!session().started()) return kNotStarted;
    return answerWith(session().hitAt(x, y));
}

// The order's sketch file: its bytes from dalvex_answer_data, dalvex_answer_size of them (none when the
// sketch cannot be written).
EMSCRIPTEN_KEEPALIVE void dalvex_file() {
    answer().clear();
    if (!session().started()) return;
    answer() = session().fileBytes();
}

// A link to the page at `page` with the order in its fragment; empty when the sketch cannot be written.
EMSCRIPTEN_KEEPALIVE const char* dalvex_link(const char* page) {
    if (!session().started()) return kNotStarted;
    const std::string bytes = session().fileBytes();
    return answerWith(bytes.empty() ? std::string() : dalvex::sketchLink(page ? page : "", bytes));
}

EMSCRIPTEN_KEEPALIVE const char* dalvex_open_file(const uint8_t* bytes, int size) {
    if (!session().started()) return kNotStarted;
    return openAnswer(session().openBytes(bytesAt(bytes, size)), false);
}

EMSCRIPTEN_KEEPALIVE const char* dalvex_open_link(const char* link) {
    if (!session().started()) return kNotStarted;
    const std::optional<std::string> bytes = dalvex::sketchLinkBytes(link ? link : "");
    return openAnswer(bytes ? session().openBytes(*bytes) : dalvex::kSketchCannotOpen, true);
}

// A file of the shop's data (a picture, the logo) by its path in the pack: its bytes as dalvex_file's.
EMSCRIPTEN_KEEPALIVE void dalvex_shop_file(const char* path) {
    answer().clear();
    if (!session().started()) return;
    std::string bytes;
    const bool inside = path && dalvex::isPackPath(path);
    if (!inside || !dalvex::readWholeFile(std::string(kShopFolder) + "/" + path, bytes, dalvex::kPictureFileLimit))
        bytes.clear();
    answer() = std::move(bytes);
}

EMSCRIPTEN_KEEPALIVE const char* dalvex_answer_data() {
    return answer().data();
}

EMSCRIPTEN_KEEPALIVE int dalvex_answer_size() {
    return static_cast<int>(answer().size());
}

} // extern "C"
