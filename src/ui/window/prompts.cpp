#include "window/prompts.h"

#include "io/utf8_path.h"
#include "widgets/qt_text.h"
#include "window/recent_files.h"

#include "files/sketch_link.h"

#include <QFile>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace dalvex::ui {
namespace {

void showError(QWidget* parent, const QString& text, const QString& caption) {
    QMessageBox::critical(parent, caption, text);
}

// The open dialog also takes a link from the shop's page pasted into its name field, which names no file.
class SketchOpenDialog : public QFileDialog {
public:
    explicit SketchOpenDialog(QWidget* parent) : QFileDialog(parent) {
        setOption(QFileDialog::DontUseNativeDialog); // the name field must be the dialog's own
        auto* name = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        auto* buttons = findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
        if (!name || !buttons) return;
        // The dialog disables "Открыть" for a name no file has; a link it may open.
        connect(name, &QLineEdit::textChanged, this, [buttons](const QString& text) {
            if (QPushButton* open = buttons->button(QDialogButtonBox::Open); open && isLink(text))
                open->setEnabled(true);
        });
    }
    const QString& link() const { return link_; }
    static bool isLink(const QString& text) { return text.contains(qs(kSketchLinkMark)); }

    void accept() override {
        const auto* name = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (name && isLink(name->text())) {
            link_ = name->text().trimmed();
            done(QDialog::Accepted);
            return;
        }
        QFileDialog::accept();
    }

private:
    QString link_;
};

QString askOpen(QWidget* parent, const QString& filter, const QString& suffix) {
    SketchOpenDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(filter);
    dialog.setDefaultSuffix(suffix);
    dialog.setDirectory(lastFolder());
    if (dialog.exec() != QDialog::Accepted) return {};
    if (!dialog.link().isEmpty()) return dialog.link();
    return dialog.selectedFiles().isEmpty() ? QString() : dialog.selectedFiles().constFirst();
}

QString askSave(QWidget* parent, const QString& filter, const QString& suffix, const QString& initialName) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(filter);
    dialog.setDefaultSuffix(suffix); // a name typed without extension gets it
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    dialog.setDirectory(lastFolder()); // a full path in initialName starts in its own folder instead
    dialog.selectFile(initialName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

bool askOkCancel(QWidget* parent, const QString& text, const QString& caption) {
    return QMessageBox::question(parent, caption, text, QMessageBox::Ok | QMessageBox::Cancel,
                                 QMessageBox::Cancel) == QMessageBox::Ok;
}

bool askChoice(QWidget* parent, const QString& text, const QString& caption, const QString& first,
               const QString& second) {
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::NoButton, parent);
    QPushButton* yes = box.addButton(first, QMessageBox::AcceptRole);
    QAbstractButton* no = box.addButton(second, QMessageBox::RejectRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

SaveAnswer askSaveChanges(QWidget* parent, const QString& text, const QString& caption) {
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::NoButton, parent);
    QAbstractButton* save = box.addButton(QStringLiteral("Сохранить"), QMessageBox::AcceptRole);
    QAbstractButton* discard = box.addButton(QStringLiteral("Не сохранять"), QMessageBox::DestructiveRole);
    QAbstractButton* cancel = box.addButton(QStringLiteral("Отмена"), QMessageBox::RejectRole);
    box.setDefaultButton(qobject_cast<QPushButton*>(save));
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save) return SaveAnswer::Save;
    if (box.clickedButton() == discard) return SaveAnswer::Discard;
    return SaveAnswer::Cancel;
}

} // namespace

Prompts& prompts() {
    static Prompts p{showError, askOpen, askSave, askOkCancel, askChoice, askSaveChanges};
    return p;
}

std::filesystem::path toPath(const QString& text) {
    // Through UTF-8, not the local 8-bit encoding, which on Windows cannot hold every name.
    return pathFromUtf8(text.toStdString());
}

} // namespace dalvex::ui
