#pragma once
// Every change a user can make to the order, as data. The desktop program's gestures, dalvex-cli's scripts
// and the tests all name a change this way and hand it to ProjectEditor::apply, which checks it, makes it and
// records it as one step of the history under its label ("Отменить: разделить вставку").
#include "records/order_card.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace dalvex {

class DSSystem;
struct DividerProfile;
struct HandleProfile;
struct Material;
struct ProfileColor;

namespace edit {

// --- The sketch, in the door's own coordinates (0.1 mm) and ids.
struct Split {
    static constexpr std::string_view kLabel = "разделить вставку";
    int door = 0;
    int32_t insert = 0;
    int32_t position = 0; // from the door's left edge (vertical) or top edge (horizontal)
    bool vertical = false;
};
struct RemoveDivider {
    static constexpr std::string_view kLabel = "удалить разделитель";
    int door = 0;
    int32_t divider = 0;
};
// A drag of a divider; the dragged divider stays selected even when it cannot go there.
struct MoveDivider {
    static constexpr std::string_view kLabel = "переместить разделитель";
    int door = 0;
    int32_t divider = 0;
    int32_t position = 0;
};
// The door grows by `growth`, the next door shrinks by as much.
struct MoveJoint {
    static constexpr std::string_view kLabel = "переместить стык дверей";
    int door = 0;
    int32_t growth = 0;
};
// The panel before (after = false) or after the divider gets `size`.
struct InsertSize {
    static constexpr std::string_view kLabel = "задать размер вставки";
    int door = 0;
    int32_t divider = 0;
    int32_t size = 0;
    bool after = false;
};
struct PasteDoor {
    static constexpr std::string_view kLabel = "вставить дверь";
    int from = 0;
    int to = 0;
};
struct AlignDividers {
    static constexpr std::string_view kLabel = "выровнять разделители";
    int door = 0;
    bool vertical = false;
};
// The material fitted to the insert, or with firstDoor >= 0 its picture spread over doors
// firstDoor..lastDoor. The material is one of the catalogue's library: a fill never clears (ClearMaterial
// does).
struct Fill {
    static constexpr std::string_view kLabel = "заполнить вставку";
    int door = 0;
    int32_t insert = 0;
    const Material* material = nullptr;
    int firstDoor = -1;
    int lastDoor = -1;
};
struct ClearMaterial {
    static constexpr std::string_view kLabel = "удалить материал";
    int door = 0;
    int32_t insert = 0;
};
// The door widths dialog's OK: whole millimetres as typed (a remaining gap accepted) and the rows (none:
// each door keeps its own).
struct DoorWidths {
    static constexpr std::string_view kLabel = "изменить ширину дверей";
    std::vector<std::string> widths;
    std::vector<int32_t> rows;
};
// "Очистить": every divider and material gone.
struct ClearSketch {
    static constexpr std::string_view kLabel = "очистить эскиз";
};

// --- The choices of the top panel, the pickers and the right panel.
struct SelectSystem {
    static constexpr std::string_view kLabel = "выбрать систему";
    const DSSystem* system = nullptr;
};
struct SetHandleProfile {
    static constexpr std::string_view kLabel = "выбрать ручку";
    const HandleProfile* handle = nullptr;
};
struct SetProfileColor {
    static constexpr std::string_view kLabel = "выбрать цвет";
    const ProfileColor* color = nullptr;
};
struct SetDividerProfile {
    static constexpr std::string_view kLabel = "выбрать тип разделителя";
    const DividerProfile* divider = nullptr;
};
struct SetWidth {
    static constexpr std::string_view kLabel = "изменить ширину";
    int32_t tenths = 0;
};
struct SetHeight {
    static constexpr std::string_view kLabel = "изменить высоту";
    int32_t tenths = 0;
};
struct SetDoorCount {
    static constexpr std::string_view kLabel = "изменить количество дверей";
    int32_t count = 0; // one the system offers
};
struct SetChipboardWidth {
    static constexpr std::string_view kLabel = "изменить ширину ЛДСП";
    int32_t tenths = 0;
};
struct SetPlinthHeight {
    static constexpr std::string_view kLabel = "изменить цоколь";
    int32_t tenths = 0;
};
struct SetDiscount {
    static constexpr std::string_view kLabel = "изменить скидку";
    double percent = 0.0;
};
// The top panel's option: Фелдор's inside mounting, or the edge profiles.
struct ToggleOption {
    static constexpr std::string_view kLabel = "переключить опцию системы";
};
// An entry of the roller list as the right panel shows it.
struct ChooseRollers {
    static constexpr std::string_view kLabel = "выбрать ролики";
    std::string entry;
};
struct SetHeightOffset {
    static constexpr std::string_view kLabel = "изменить отступ высоты";
    int32_t millimetres = 0; // Борвик without pivot: -40 or -33
};
struct ChooseBarLength {
    static constexpr std::string_view kLabel = "выбрать длину профиля ручки";
    int choice = 1; // the handle profile's first (1) or second (2) bar length
};
struct ToggleRunningProfile {
    static constexpr std::string_view kLabel = "сменить ходовой профиль";
};
struct ToggleGuideProfile {
    static constexpr std::string_view kLabel = "сменить направляющий профиль";
};

// --- The order card.
struct SetOrderCard {
    static constexpr std::string_view kLabel = "изменить карточку заказа";
    OrderCard card;
};
// Just before the order is saved from its card: its number is taken from the counter, so that two programs
// never save the same one; another program that took the offered number meanwhile makes the card renumbered.
struct ClaimOrderNumber {
    static constexpr std::string_view kLabel = "присвоить номер заказа";
};

// --- The history.
struct Undo {
    static constexpr std::string_view kLabel = "отменить";
};
struct Redo {
    static constexpr std::string_view kLabel = "повторить";
};

} // namespace edit

using EditOp =
    std::variant<edit::Split, edit::RemoveDivider, edit::MoveDivider, edit::MoveJoint, edit::InsertSize,
                 edit::PasteDoor, edit::AlignDividers, edit::Fill, edit::ClearMaterial, edit::DoorWidths,
                 edit::ClearSketch, edit::SelectSystem, edit::SetHandleProfile, edit::SetProfileColor,
                 edit::SetDividerProfile, edit::SetWidth, edit::SetHeight, edit::SetDoorCount,
                 edit::SetChipboardWidth, edit::SetPlinthHeight, edit::SetDiscount, edit::ToggleOption,
                 edit::ChooseRollers, edit::SetHeightOffset, edit::ChooseBarLength,
                 edit::ToggleRunningProfile, edit::ToggleGuideProfile, edit::SetOrderCard,
                 edit::ClaimOrderNumber, edit::Undo, edit::Redo>;

// What the history calls the step an operation makes.
std::string_view label(const EditOp& op);

} // namespace dalvex
