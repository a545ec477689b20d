#pragma once
// One customer's order in the browser: the shop's catalogue made from the data the page loaded, the order
// and its editor, and the last layout of the sketch the page drew. Every change goes through the editor as
// the operations of an editing script, so the page decides nothing the desktop program decides.
#include "catalogue/catalogue.h"
#include "cutting/cutting_settings.h"
#include "project/project.h"
#include "project/project_editor.h"
#include "view/sketch_layout.h"

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace dalvex::web {

class WebSession {
public:
    // Unpacks the shop's data (a file pack of profiles/, materials/ and config/) into `folder` and makes the
    // catalogue and the default order from it, once; false, with the reason in `error`, for a pack that is not
    // one. Nothing else may be called before it succeeded.
    bool start(std::string_view pack, const std::filesystem::path& folder, std::string& error);
    bool started() const { return editor_ != nullptr; }

    // The shop: its material library with the pictures' paths in the pack, its text, and what the price lists
    // could not give.
    std::string shopJson() const;
    // The order as dalvex-cli calc writes it.
    std::string orderJson() const;
    // What the page shows: the choices the pickers offer, the bill as the price table, the history, and the
    // order's choices, doors and total (named as in orderJson).
    std::string stateJson() const;
    // Applies a script of editing operations, each a step of the history; answers whether each was taken
    // (the editor refuses what the desktop program refuses), or the script's fault.
    std::string apply(std::string_view script);

    // Lays the sketch out in a view of `width` x `height` pixels and answers the rectangles to draw.
    std::string layOut(int width, int height);
    // What lies under a point of the last layout: the insert (with the divider positions a click there
    // would give) and the divider.
    std::string hitAt(int x, int y);

    // The order's sketch file, and opening one (the bytes of a file or of a link); the result code of the
    // file reader.
    std::string fileBytes() const;
    SketchFileResult openBytes(std::string_view bytes);

private:
    std::unique_ptr<Catalogue> catalogue_;
    std::unique_ptr<Project> project_;
    std::unique_ptr<ProjectEditor> editor_;
    std::vector<std::string> warnings_;
    std::string shopText_;
    view::SketchLayout layout_;
};

} // namespace dalvex::web
