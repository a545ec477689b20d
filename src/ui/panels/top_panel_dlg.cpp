#include "panels/top_panel_dlg.h"

#include "document/order_document.h"

#include "calc/ds_system.h"
#include "catalogue/catalogue.h"
#include "widgets/dialog_units.h"
#include "dialogs/dlg_print.h"
#include "panels/pickers.h"
#include "project/length_fields.h"
#include "project/order_queries.h"
#include "project/project.h"
#include "window/prompts.h"
#include "widgets/qt_text.h"
#include "window/recent_files.h"
#include "window/sketch_files.h"
#include "text/format.h"
#include "text/millimetres.h"
#include "text/numbers.h"
#include "widgets/picture_button.h"
#include "widgets/text_label.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>

#include <limits>
#include <optional>

namespace dalvex::ui {
namespace {

// The journal's button under the program's mark, left of the pickers.
const QRect kJournalButton(10, 88, 140, 26);

QString number(int32_t v) {
    return qs(format("%d", v));
}

// No validator: a refused entry stays in the edit, framed, with its range said, rather than vanishing.
QLineEdit* lengthEdit(QRect at, QWidget* parent) {
    auto* e = new QLineEdit(parent);
    e->setGeometry(at);
    e->setAlignment(Qt::AlignRight);
    return e;
}

TextLabel* label(const QString& text, QPoint at, QWidget* parent) {
    auto* l = new TextLabel(text, parent);
    QFont f("Arial");
    f.setPixelSize(11);
    f.setBold(true);
    l->setTextFont(f);
    l->adjustToText();
    l->move(at);
    return l;
}

// Millimetres typed into an edit, as tenths; nothing for what is not a number.
std::optional<int32_t> typedTenths(const QString& text) {
    return readMillimetres(text.toStdString());
}

// Фелдор's mounting option, when the system offers it.
std::optional<bool> mountsInside(const Project& project) {
    const DSSystem* calc = project.calculator;
    if (!calc || calc->ownOptions() != OwnOptions::Mounting) return std::nullopt;
    return calc->own(project.options).mountInside != 0;
}

} // namespace

TopPanelDlg::TopPanelDlg(const UiContext& context, QWidget* parent) : Panel(context, parent) {
    resize(970, kHeight);
    const Project& project = ctx_.project;
    systems_ = new DlgSystems(ctx_, this);
    hands_ = new DlgHands(ctx_, this);
    colors_ = new DlgColors(ctx_, this);
    // The report windows belong to the main window: a window under this panel would be disabled with it
    // while the panels are locked.
    QWidget* owner = parent ? parent->window() : this;
    print_ = new DlgPrint(ctx_, DlgPrint::Mode::Print, owner);
    export_ = new DlgPrint(ctx_, DlgPrint::Mode::Xml, owner);

    height_ = lengthEdit(QRect(dluX(382), dluY(15), dluX(43), dluY(14)), this);
    width_ = lengthEdit(QRect(dluX(382), dluY(34), dluX(43), dluY(14)), this);
    doors_ = new QComboBox(this);
    doors_->setGeometry(dluX(381), dluY(53), dluX(44), dluY(14));
    plinth_ = lengthEdit(QRect(dluX(431), dluY(15), dluX(32), dluY(14)), this);
    chipboard_ = lengthEdit(QRect(dluX(431), dluY(34), dluX(32), dluY(14)), this);
    // The names tell the typings in the edits apart in the history.
    height_->setObjectName(QStringLiteral("height"));
    width_->setObjectName(QStringLiteral("width"));
    plinth_->setObjectName(QStringLiteral("plinth"));
    chipboard_->setObjectName(QStringLiteral("chipboard"));
    writeDimensions(true);
    for (int i = 1; i <= 10; ++i)
        doors_->addItem(number(i));
    doors_->setCurrentIndex(std::clamp(project.doorCount - 1, 0, 9));

    label(QStringLiteral("Выбрать:"), {285, 1}, this);
    label(QStringLiteral("систему:"), {187, 13}, this);
    label(QStringLiteral("ручку:"), {294, 13}, this);
    label(QStringLiteral("цвет:"), {395, 13}, this);
    label(QStringLiteral("Параметры:"), {610, 1}, this);
    label(QStringLiteral("Высота"), {515, 20}, this);
    dimensionWord_ = label(QStringLiteral("проема"), {515, 32}, this);
    label(QStringLiteral("Ширина"), {510, 58}, this);
    label(QStringLiteral("Количество"), {500, 82}, this);
    label(QStringLiteral("дверей"), {513, 95}, this);
    label(QStringLiteral("Цоколь"), {705, 28}, this);
    label(QStringLiteral("Ширина ЛДСП"), {705, 58}, this);
    label(QStringLiteral("Проект:"), {860, 1}, this);

    for (int i = 0; i < 3; ++i) {
        auto* b = new PictureButton(this);
        b->setGeometry(160 + 101 * i, 27, 101, 93);
        b->setCaptionFont(ctx_.buttonFont);
        connect(b, &QAbstractButton::clicked, this, [this, i] { togglePicker(i); });
        pickerButtons_[i] = b;
    }
    struct ProjectButton {
        int y;
        const char* text;
        int icon;
        void (TopPanelDlg::*action)();
    };
    const ProjectButton projectButtons[] = {
        {15, "Открыть", kPictureOpen, &TopPanelDlg::openSketch},
        {41, "Сохранить", kPictureSave, &TopPanelDlg::saveSketch},
        {67, "Сохранить в xml", kPictureXml, &TopPanelDlg::showExport},
        {93, "Печать", kPicturePrint, &TopPanelDlg::showPrint},
    };
    QList<QWidget*> projectButtonList;
    for (const ProjectButton& pb : projectButtons) {
        auto* b = new PictureButton(this);
        projectButtonList << b;
        b->setGeometry(810, pb.y, 140, 26);
        b->setPicture(ctx_.artwork.picture(pb.icon));
        b->setCaptionFont(ctx_.buttonFont);
        b->setCaption(QString::fromUtf8(pb.text), PictureButton::CaptionPlacement::Right);
        connect(b, &QAbstractButton::clicked, this, pb.action);
        if (pb.action == &TopPanelDlg::openSketch) {
            // The recent files on the button's context menu: the panel's layout stays as it is.
            b->setContextMenuPolicy(Qt::CustomContextMenu);
            connect(b, &QWidget::customContextMenuRequested, this,
                    [this, b](const QPoint& at) { recentFilesMenu()->popup(b->mapToGlobal(at)); });
        } else if (pb.action == &TopPanelDlg::saveSketch) {
            b->setContextMenuPolicy(Qt::CustomContextMenu);
            connect(b, &QWidget::customContextMenuRequested, this, [this, b](const QPoint& at) {
                auto* menu = new QMenu(this);
                menu->setAttribute(Qt::WA_DeleteOnClose);
                menu->addAction(QStringLiteral("Сохранить как…"),
                                QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), this,
                                &TopPanelDlg::saveSketchAs);
                menu->popup(b->mapToGlobal(at));
            });
        }
    }
    // The order journal, in the free corner under the program's mark, in the style of the project buttons.
    journal_ = new PictureButton(this);
    journal_->setGeometry(kJournalButton);
    journal_->setPicture(ctx_.artwork.picture(kPictureJournal));
    journal_->setCaptionFont(ctx_.buttonFont);
    journal_->setCaption(QStringLiteral("Журнал"), PictureButton::CaptionPlacement::Right);
    option_ = new PictureButton(this);
    option_->setGeometry(642, 83, 120, 25);
    option_->setCaptionFont(ctx_.buttonFont);
    option_->hide();
    connect(option_, &QAbstractButton::clicked, this, &TopPanelDlg::toggleOption);
    // Tab goes left to right as the strip is read.
    const QList<QWidget*> tabOrder = QList<QWidget*>{journal_,
                                                     pickerButtons_[0],
                                                     pickerButtons_[1],
                                                     pickerButtons_[2],
                                                     height_,
                                                     width_,
                                                     doors_,
                                                     plinth_,
                                                     chipboard_,
                                                     option_} +
                                     projectButtonList;
    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);

    for (QLineEdit* e : {width_, height_, plinth_, chipboard_}) {
        connect(e, &QLineEdit::textChanged, this, [this, e] { dimensionEdited(e); });
        // Enter ends the entry: the field is left, and what the Project refused snaps back.
        connect(e, &QLineEdit::returnPressed, this, [this] { window()->setFocus(Qt::OtherFocusReason); });
        e->installEventFilter(this);
    }
    connect(doors_, &QComboBox::currentIndexChanged, this, [this] { doorCountChosen(); });
    updatePlinthFields();

    OrderDocument* document = ctx_.document;
    connect(document, &OrderDocument::choicesChanged, this, &TopPanelDlg::refresh);
    connect(document, &OrderDocument::dimensionsChanged, this, &TopPanelDlg::showDimensions);
    refresh();
}

TopPanelDlg::~TopPanelDlg() = default;

QString TopPanelDlg::dimensionWord() const {
    return dimensionWord_->text();
}

void TopPanelDlg::writeOpening() {
    width_->setText(millimetresText(ctx_.project.width));
    height_->setText(millimetresText(ctx_.project.height));
}

void TopPanelDlg::writeDimensions(bool all) {
    const Project& project = ctx_.project;
    writeOpening();
    if (all || (project.calculator && project.calculator->usesPlinth)) {
        plinth_->setText(millimetresText(project.plinthHeight));
        chipboard_->setText(millimetresText(project.chipboardWidth));
    }
}

void TopPanelDlg::updatePlinthFields() {
    const Project& project = ctx_.project;
    const bool plinth = project.calculator && project.calculator->usesPlinth;
    const bool was = refreshing_;
    refreshing_ = true;
    plinth_->setEnabled(plinth);
    chipboard_->setEnabled(plinth);
    if (plinth) {
        chipboard_->setText(millimetresText(project.chipboardWidth));
        plinth_->setText(millimetresText(project.plinthHeight));
        dimensionWord_->setText(QStringLiteral("шкафа"));
        dimensionWord_->move(517, 32);
    } else {
        plinth_->clear();
        chipboard_->clear();
        dimensionWord_->setText(QStringLiteral("проема"));
        dimensionWord_->move(515, 32);
    }
    dimensionWord_->adjustToText();
    refreshing_ = was;
}

void TopPanelDlg::refresh() {
    const Project& project = ctx_.project;
    const DSSystem* calc = project.calculator;
    const Artwork& art = ctx_.artwork;
    if (calc) {
        pickerButtons_[0]->setPicture(art.picture(calc->imageId));
        pickerButtons_[0]->setCaption(qs(calc->code));
    }
    if (project.handleProfile) {
        pickerButtons_[1]->setPicture(art.picture(project.handleProfile->imageId));
        pickerButtons_[1]->setCaption(qs(project.handleProfile->code));
    } else {
        pickerButtons_[1]->setPicture(art.picture(kPictureNone));
        pickerButtons_[1]->setCaption(QStringLiteral("Нет"));
    }
    if (project.profileColor) {
        pickerButtons_[2]->setPicture(art.picture(project.profileColor->imageId));
        pickerButtons_[2]->setCaption(qs(project.profileColor->code));
    } else {
        pickerButtons_[2]->setPicture(art.picture(kPictureNone));
        pickerButtons_[2]->setCaption(QStringLiteral("Нет"));
    }
    updatePlinthFields(); // the plinth and chipboard fields with it
    refreshing_ = true;
    writeOpening();

    showOption();

    doors_->clear();
    if (calc) {
        for (int count : calc->offeredDoorCounts(project.options))
            doors_->addItem(number(count));
    } else {
        for (int i = 1; i <= kMaxDoors; ++i)
            doors_->addItem(number(i));
    }
    refreshing_ = false;
    showDoorCount();

    hands_->selectionChanged();
    colors_->selectionChanged();
}

void TopPanelDlg::showOption() {
    const std::optional<OptionToggle> option = optionToggle(ctx_.project);
    if (!option) {
        option_->hide();
        return;
    }
    option_->setCaption(qs(option->label), PictureButton::CaptionPlacement::Right);
    option_->setPicture(ctx_.artwork.picture(option->on ? kPictureBoxOn : kPictureBoxOff));
    option_->show();
}

void TopPanelDlg::showDimensions() {
    // What the user is typing stays as typed: the order follows the edit, not the other way round.
    if (typing_.applying()) return;
    refreshing_ = true;
    writeDimensions(false);
    refreshing_ = false;
    showDoorCount();
}

void TopPanelDlg::showDoorCount() {
    const bool was = refreshing_;
    refreshing_ = true;
    const int at = doors_->findText(number(ctx_.project.doorCount));
    doors_->setCurrentIndex(at >= 0 ? at : std::min(ctx_.project.doorCount, doors_->count()) - 1);
    refreshing_ = was;
}

int32_t TopPanelDlg::projectValue(QLineEdit* edit) const {
    const Project& project = ctx_.project;
    if (edit == width_) return project.width;
    if (edit == height_) return project.height;
    if (edit == plinth_) return project.plinthHeight;
    return project.chipboardWidth;
}

LengthField TopPanelDlg::fieldOf(const QLineEdit* edit) const {
    if (edit == width_) return LengthField::Width;
    if (edit == height_) return LengthField::Height;
    if (edit == plinth_) return LengthField::Plinth;
    return LengthField::Chipboard;
}

void TopPanelDlg::dimensionEdited(QLineEdit* edit) {
    if (refreshing_) return;
    const LengthField field = fieldOf(edit);
    const std::optional<int32_t> typed = typedTenths(edit->text());
    // Kept as typed and framed until it is mended, or Esc or leaving the edit brings back the order's value.
    markRefused(edit, !typed || !acceptedRange(ctx_.project, field).holds(*typed));
    // Applied even when refused: the typing's step then goes back to the order as the typing found it.
    const int32_t tenths = typed.value_or(0);
    EditOp op = edit::SetWidth{tenths};
    if (field == LengthField::Height)
        op = edit::SetHeight{tenths};
    else if (field == LengthField::Plinth)
        op = edit::SetPlinthHeight{tenths};
    else if (field == LengthField::Chipboard)
        op = edit::SetChipboardWidth{tenths};
    // The keystrokes of one typing in one edit are one step of the history, each applied to the order as it
    // was when the typing began, so that typing a value gives what setting it once gives.
    typing_.apply(ctx_.editor, op, edit);
}

void TopPanelDlg::markRefused(QLineEdit* edit, bool refused) {
    const QString frame =
        refused ? QStringLiteral("QLineEdit { border: 2px solid rgb(250, 41, 41); }") : QString();
    if (edit->styleSheet() != frame) edit->setStyleSheet(frame);
    if (ctx_.document) ctx_.document->tell(refused ? qs(rangeText(ctx_.project, fieldOf(edit))) : QString());
}

void TopPanelDlg::snapBack(QLineEdit* edit) {
    if (!edit->isEnabled()) return;
    markRefused(edit, false);
    // Shown as the order holds it: "2780.5" typed comes back as "2780,5".
    const QString stored = millimetresText(projectValue(edit));
    if (edit->text() == stored) return;
    const bool was = refreshing_;
    refreshing_ = true;
    edit->setText(stored);
    refreshing_ = was;
}

bool TopPanelDlg::eventFilter(QObject* watched, QEvent* event) {
    for (QLineEdit* e : {width_, height_, plinth_, chipboard_}) {
        if (watched != e) continue;
        if (event->type() == QEvent::FocusOut) {
            typing_.end(); // the typing ends with the edit: the next one is a step of its own
            snapBack(e);
        } else if (event->type() == QEvent::KeyPress &&
                   static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            // Esc gives up the entry: the last value the order took comes back, and the edit keeps the focus.
            typing_.end();
            snapBack(e);
            e->selectAll();
            return true;
        }
    }
    return Panel::eventFilter(watched, event);
}

void TopPanelDlg::doorCountChosen() {
    if (refreshing_ || doors_->currentIndex() < 0) return;
    ctx_.editor.apply(edit::SetDoorCount{readInt(doors_->currentText().toStdString())});
}

void TopPanelDlg::togglePicker(int which) {
    const Project& project = ctx_.project;
    if (which == 1 && !project.handleProfile) return;
    if (which == 2 && !project.profileColor) return;
    Picker* pickers[] = {systems_, hands_, colors_};
    for (int i = 0; i < 3; ++i)
        if (i != which && pickers[i]->isVisible()) pickers[i]->hide();
    Picker* own = pickers[which];
    if (own->isVisible())
        own->hide();
    else
        own->showAt(mapToGlobal(QPoint(0, height() - 1)));
}

void TopPanelDlg::toggleOption() {
    // Фелдор's mounting changes the handle profiles offered: the open list would be out of date.
    const bool mounting = mountsInside(ctx_.project).has_value();
    if (!ctx_.editor.apply(edit::ToggleOption{})) return;
    if (mounting && hands_->isVisible()) hands_->hide();
}

void TopPanelDlg::openSketch() {
    if (!settleUnsavedChanges(ctx_, this)) return;
    const QString path = prompts().openPath(this, sketchFilter(), QStringLiteral("dlx"));
    if (path.isEmpty()) return;
    openSketchFileOrLink(ctx_, this, path);
}

void TopPanelDlg::pasteSketchLink() {
    if (!settleUnsavedChanges(ctx_, this)) return;
    openSketchLink(ctx_, this, QGuiApplication::clipboard()->text().trimmed());
}

QMenu* TopPanelDlg::recentFilesMenu() {
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const QStringList files = recentFiles();
    for (const QString& file : files) {
        QAction* action = menu->addAction(QFileInfo(file).fileName());
        action->setToolTip(file);
        connect(action, &QAction::triggered, this, [this, file] { openRecent(file); });
    }
    menu->setToolTipsVisible(true);
    if (files.isEmpty()) menu->addAction(QStringLiteral("Нет последних файлов"))->setEnabled(false);
    // An order sent from the shop's page as a link, copied from a message or a mail.
    menu->addSeparator();
    menu->addAction(QStringLiteral("Вставить заявку"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V), this,
                    &TopPanelDlg::pasteSketchLink);
    return menu;
}

void TopPanelDlg::openRecent(const QString& path) {
    if (!settleUnsavedChanges(ctx_, this)) return;
    if (!openSketchFile(ctx_, this, path) && !QFileInfo::exists(path)) forgetFile(path);
}

void TopPanelDlg::saveSketch() {
    ui::saveSketch(ctx_, this);
}

void TopPanelDlg::saveSketchAs() {
    ui::saveSketchAs(ctx_, this);
}

void TopPanelDlg::showExport() {
    export_->showCentred();
}
void TopPanelDlg::showPrint() {
    print_->showCentred();
}

void TopPanelDlg::paintEvent(QPaintEvent*) {
    QPainter p(this);
    paintBackground(p);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    // The program's mark in the free corner left of the pickers.
    const QPixmap logo = ctx_.artwork.picture(kPictureLogo);
    const QSize shown = logo.size().scaled(150, kJournalButton.top() - 4, Qt::KeepAspectRatio);
    p.drawPixmap(QRect(QPoint(4, (kJournalButton.top() - shown.height()) / 2), shown), logo);
    // Thin separators between the groups of controls, and a shadow line along the bottom edge.
    p.setPen(QColor(219, 206, 198));
    for (int x : {158, 490, 800})
        p.drawLine(x, 10, x, height() - 10);
    p.drawLine(0, height() - 1, width(), height() - 1);
}

} // namespace dalvex::ui
