#include "cutting/sheet_cuts.h"

#include <algorithm>

namespace dalvex {

namespace {

int64_t areaOf(const PanelBox& r) {
    return (r.x1 - r.x0) * (r.y1 - r.y0);
}

class Cutter {
public:
    Cutter(const std::vector<PanelBox>& panels, int64_t kerf) : panels_(panels), kerf_(kerf) {}

    // Divides `part` holding `inside` by cuts along the length (lines of constant y) or across it. Only the
    // first stage may turn to the other direction: below it every part is exactly as long as its group of
    // panels in the direction of the cut that made it.
    bool divide(const PanelBox& part, std::vector<int32_t> inside, bool alongLength, int32_t stage,
                bool mayTurn) {
        if (inside.empty()) {
            waste(part);
            return true;
        }
        if (inside.size() == 1) {
            const PanelBox& p = panels_[static_cast<size_t>(inside.front())];
            if (p.x0 == part.x0 && p.y0 == part.y0 && p.x1 == part.x1 && p.y1 == part.y1) return true;
        }
        const auto from = [&](const PanelBox& r) { return alongLength ? r.y0 : r.x0; };
        const auto to = [&](const PanelBox& r) { return alongLength ? r.y1 : r.x1; };
        std::sort(inside.begin(), inside.end(), [&](int32_t a, int32_t b) {
            return from(panels_[static_cast<size_t>(a)]) < from(panels_[static_cast<size_t>(b)]);
        });
        // Groups of panels that no cut in this direction can part: each starts a kerf or more after the last.
        struct Group {
            int64_t start, end;
            std::vector<int32_t> members;
        };
        std::vector<Group> groups;
        for (int32_t i : inside) {
            const PanelBox& p = panels_[static_cast<size_t>(i)];
            if (groups.empty() || from(p) < groups.back().end + kerf_) {
                if (groups.empty()) groups.push_back({from(p), to(p), {}});
                groups.back().end = std::max(groups.back().end, to(p));
            } else {
                groups.push_back({from(p), to(p), {}});
            }
            groups.back().members.push_back(i);
        }
        const int64_t start = from(part), end = to(part);
        if (groups.size() == 1 && groups.front().start == start && groups.front().end == end)
            return mayTurn && divide(part, std::move(groups.front().members), !alongLength, stage, false);

        const auto piece = [&](int64_t a, int64_t b) {
            PanelBox r = part;
            (alongLength ? r.y0 : r.x0) = a;
            (alongLength ? r.y1 : r.x1) = b;
            return r;
        };
        int64_t free = start; // where the material not yet cut off starts
        for (Group& g : groups) {
            if (g.start > free) {
                cut(part, g.start - kerf_, alongLength, stage);
                if (g.start - kerf_ > free) waste(piece(free, g.start - kerf_));
            }
            if (!divide(piece(g.start, g.end), std::move(g.members), !alongLength, stage + 1, false))
                return false;
            if (g.end < end) cut(part, g.end, alongLength, stage);
            free = std::min(end, g.end + kerf_);
        }
        if (free < end) waste(piece(free, end));
        return true;
    }

    SheetCuts result() const {
        SheetCuts r;
        for (const std::vector<SheetCut>& stage : stages_)
            r.cuts.insert(r.cuts.end(), stage.begin(), stage.end());
        if (offcutArea_ > 0)
            r.offcut = {static_cast<int32_t>(offcut_.x0), static_cast<int32_t>(offcut_.y0),
                        static_cast<int32_t>(offcut_.x1 - offcut_.x0),
                        static_cast<int32_t>(offcut_.y1 - offcut_.y0)};
        return r;
    }

    int64_t offcutArea() const { return offcutArea_; }

private:
    void cut(const PanelBox& part, int64_t at, bool alongLength, int32_t stage) {
        if (stages_.size() < static_cast<size_t>(stage)) stages_.resize(static_cast<size_t>(stage));
        SheetCut c;
        c.stage = stage;
        c.alongLength = alongLength;
        c.x = static_cast<int32_t>(alongLength ? part.x0 : at);
        c.y = static_cast<int32_t>(alongLength ? at : part.y0);
        c.length = static_cast<int32_t>(alongLength ? part.x1 - part.x0 : part.y1 - part.y0);
        stages_[static_cast<size_t>(stage - 1)].push_back(c);
    }

    void waste(const PanelBox& part) {
        if (part.x1 <= part.x0 || part.y1 <= part.y0) return;
        if (areaOf(part) > offcutArea_) {
            offcut_ = part;
            offcutArea_ = areaOf(part);
        }
    }

    const std::vector<PanelBox>& panels_;
    int64_t kerf_;
    std::vector<std::vector<SheetCut>> stages_;
    PanelBox offcut_;
    int64_t offcutArea_ = 0;
};

} // namespace

std::optional<SheetCuts> guillotineCuts(const std::vector<PanelBox>& panels, const PanelBox& usable,
                                        int64_t kerf) {
    std::vector<int32_t> all(panels.size());
    for (size_t i = 0; i < panels.size(); ++i)
        all[i] = static_cast<int32_t>(i);
    std::optional<Cutter> best;
    for (bool alongLength : {true, false}) {
        Cutter cutter(panels, kerf);
        if (!cutter.divide(usable, all, alongLength, 1, true)) continue;
        if (!best || cutter.offcutArea() > best->offcutArea()) best.emplace(std::move(cutter));
    }
    if (!best) return std::nullopt;
    return best->result();
}

} // namespace dalvex
