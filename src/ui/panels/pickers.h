#pragma once
// The three pickers that drop down under the top panel: systems, handle profiles of the current system, and
// colours of the current handle profile (stock colours, then the made-to-order ones under "Под заказ").
#include "document/ui_context.h"

#include <QWidget>

#include <vector>

namespace dalvex::ui {

class PictureButton;
class TextLabel;

struct PickerEntry {
    int id = 0;        // 501 + position in the picker's list
    int itemIndex = 0; // index of the catalogue record
    QString text;
    int imageId = 0;
    PictureButton* button = nullptr;
};

// Picker: a popup of picture buttons (system, handle profile, colour).
class Picker : public QWidget {
    Q_OBJECT
public:
    Picker(const UiContext& context, QWidget* parent);

    const std::vector<PickerEntry>& entries() const { return entries_; }
    PictureButton* closeButton() const { return close_; }
    // Presses the item button with this id (500 closes; an id of no entry just hides the picker).
    void click(int id);
    // Places the picker with its top left corner at a point of the screen and shows it.
    void showAt(QPoint globalTopLeft);

protected:
    virtual void choose(const PickerEntry& entry) = 0;
    void clearEntries();
    PictureButton* addButton(PickerEntry entry, QRect at);
    void paintEvent(QPaintEvent* event) override;
    // While shown, Escape anywhere or a press outside it closes it without a choice; the press goes no
    // further, so that it cannot choose or change anything under the pointer either.
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    UiContext ctx_;
    std::vector<PickerEntry> entries_;
    PictureButton* close_;
};

class DlgSystems : public Picker {
    Q_OBJECT
public:
    DlgSystems(const UiContext& context, QWidget* parent);

protected:
    void choose(const PickerEntry& entry) override;
};

class DlgHands : public Picker {
    Q_OBJECT
public:
    DlgHands(const UiContext& context, QWidget* parent);
    // Rebuilds the buttons when they were made for another system (Фелдор always: its list follows an
    // option).
    void selectionChanged();
    int builtForSystem() const { return builtForSystem_; }

protected:
    void choose(const PickerEntry& entry) override;

private:
    void build();
    int builtForSystem_ = -1;
};

class DlgColors : public Picker {
    Q_OBJECT
public:
    DlgColors(const UiContext& context, QWidget* parent);
    void selectionChanged();
    int stockCount() const { return stockCount_; }
    int orderCount() const { return orderCount_; }
    bool separatorShown() const;
    QRect separatorRect() const;
    QRect orderLabelRect() const;

protected:
    void choose(const PickerEntry& entry) override;

private:
    void build();
    int builtForHandle_ = -1;
    int stockCount_ = 0;
    int orderCount_ = 0;
    QWidget* separator_;
    QRect separatorRect_;
    TextLabel* orderLabel_;
};

} // namespace dalvex::ui
