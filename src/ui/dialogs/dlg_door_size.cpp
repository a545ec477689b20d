#include "dialogs/dlg_door_size.h"

#include "document/order_document.h"
#include "project/project.h"
#include "window/prompts.h"
#include "widgets/qt_text.h"
#include "text/format.h"
#include "widgets/picture_button.h"
#include "widgets/text_label.h"

#include <QComboBox>
#include <QLineEdit>

#include <algorithm>

namespace dalvex::ui {
namespace {

TextLabel* makeLabel(const QString& text, QRect at, QWidget* parent) {
    auto* l = new TextLabel(text, parent);
    l->setTextFont(labelFont());
    l->setGeometry(at);
    return l;
}

} // namespace

DlgDoorSize::DlgDoorSize(const UiContext& context, QWidget* parent)
    : ToolDialog(context.hub, parent,
                 Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint),
      ctx_(context), editor_(context.project) {
    setWindowTitle(QStringLiteral("Параметры дверей"));
    makeLabel(QStringLiteral("Ширина"), QRect(105, 5, 60, 20), this);
    makeLabel(QStringLiteral("Положение"), QRect(170, 5, 106, 20), this);
    for (int i = 0; i < kMaxRows; ++i) {
        const auto k = static_cast<size_t>(i);
        labels_[k] = makeLabel(qs(format("Дверь %d", i + 1)), QRect(20, 27 + 25 * i, 70, 20), this);
        auto* edit = new QLineEdit(this);
        edit->setGeometry(100, 25 + 25 * i, 60, 20);
        connect(edit, &QLineEdit::textChanged, this, &DlgDoorSize::widthEdited);
        widths_[k] = edit;
        auto* list = new QComboBox(this);
        list->setGeometry(170, 25 + 25 * i, 106, 20);
        list->addItem(QStringLiteral("первый ряд"));
        list->addItem(QStringLiteral("второй ряд"));
        rows_[k] = list;
    }
    remainderLabel_ = makeLabel(QStringLiteral("Остаток"), QRect(), this);
    remainder_ = new QLineEdit(this);
    remainder_->setReadOnly(true);
    QFont font = ctx_.buttonFont;
    ok_ = new PictureButton(this);
    ok_->setCaptionFont(font);
    ok_->setCaption(QStringLiteral("ОК"), PictureButton::CaptionPlacement::Right);
    ok_->setFramed(true);
    cancel_ = new PictureButton(this);
    cancel_->setCaptionFont(font);
    cancel_->setCaption(QStringLiteral("Отмена"), PictureButton::CaptionPlacement::Right);
    cancel_->setFramed(true);
    connect(ok_, &QAbstractButton::clicked, this, &DlgDoorSize::accept);
    connect(cancel_, &QAbstractButton::clicked, this, &DlgDoorSize::reject);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setBrush(QPalette::Window, QBrush(ctx_.artwork.picture(kPicturePanelBack)));
    setPalette(pal);
    layoutRows(editor_.doorCount());
}

void DlgDoorSize::layoutRows(int n) {
    n = std::clamp(n, 0, kMaxRows);
    for (int i = 0; i < kMaxRows; ++i) {
        const auto k = static_cast<size_t>(i);
        const bool shown = i < n;
        labels_[k]->setVisible(shown);
        widths_[k]->setVisible(shown);
        rows_[k]->setVisible(shown);
    }
    remainderLabel_->setGeometry(20, 25 * n + 32, 70, 20);
    remainder_->setGeometry(100, 25 * n + 30, 60, 20);
    ok_->setGeometry(20, 25 * n + 62, 80, 32);
    cancel_->setGeometry(110, 25 * n + 62, 90, 32);
    setFixedSize(kWidth, 25 * n + 140);
}

void DlgDoorSize::open() {
    lockPanels();
    const DoorWidthsView view = editor_.begin();
    shownDoors_ = static_cast<int>(view.widths.size());
    layoutRows(shownDoors_);
    for (int i = 0; i < shownDoors_; ++i) {
        const auto k = static_cast<size_t>(i);
        QSignalBlocker quiet(widths_[k]);
        widths_[k]->setText(millimetresText(view.widths[k]));
        rows_[k]->setCurrentIndex(view.rows[k] != 0 ? 1 : 0);
        rows_[k]->setEnabled(view.rowsEditable);
    }
    remainder_->setText(millimetresText(view.remainder));
    if (QWidget* main = parentWidget() ? parentWidget()->window() : nullptr) {
        const QRect frame = main->geometry();
        move(frame.left() + frame.width() / 2 - kWidth / 2, frame.top() + frame.height() / 2 - height() / 2);
    }
    show();
    raise();
    activateWindow();
}

std::vector<std::string> DlgDoorSize::typedWidths() const {
    std::vector<std::string> texts;
    for (int i = 0; i < shownDoors_; ++i)
        texts.push_back(widths_[static_cast<size_t>(i)]->text().toStdString());
    return texts;
}

void DlgDoorSize::widthEdited() {
    remainder_->setText(millimetresText(editor_.remainderFor(typedWidths())));
}

void DlgDoorSize::accept() {
    std::vector<int32_t> rows;
    for (int i = 0; i < shownDoors_; ++i)
        rows.push_back(rows_[static_cast<size_t>(i)]->currentIndex() == 1 ? 1 : 0);
    const std::vector<std::string> typed = typedWidths();
    DoorWidthsEditor::Result result = editor_.check(typed, rows, false);
    if (result.outcome == DoorWidthsEditor::Outcome::AskPositiveRemainder) {
        if (!prompts().question(this, qs(DoorWidthsEditor::message(result)), QStringLiteral("Ошибка")))
            return;
        result = editor_.check(typed, rows, true);
    }
    if (result.outcome != DoorWidthsEditor::Outcome::Applied) {
        prompts().error(this, qs(DoorWidthsEditor::message(result)), QStringLiteral("Ошибка"));
        return;
    }
    // The gap, if any, was accepted above.
    ctx_.editor.apply(edit::DoorWidths{typed, rows});
    finish(true);
}

void DlgDoorSize::reject() {
    finish(false);
}

void DlgDoorSize::finish(bool applied) {
    unlockPanels();
    if (applied)
        QDialog::accept();
    else
        QDialog::reject();
}

} // namespace dalvex::ui
