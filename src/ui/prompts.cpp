#include "prompts.h"

#include "io/utf8_path.h"

#include <QFileDialog>
#include <QMessageBox>

namespace dalvex::ui {
namespace {

void showError(QWidget* parent, const QString& text, const QString& caption) {
    QMessageBox::critical(parent, caption, text);
}

QString askOpen(QWidget* parent, const QString& filter, const QString& suffix) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(filter);
    dialog.setDefaultSuffix(suffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

QString askSave(QWidget* parent, const QString& filter, const QString& suffix, const QString& initialName) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(filter);
    dialog.setDefaultSuffix(suffix); // a name typed without extension gets it
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    dialog.selectFile(initialName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

bool askOkCancel(QWidget* parent, const QString& text, const QString& caption) {
    return QMessageBox::question(parent, caption, text, QMessageBox::Ok | QMessageBox::Cancel,
                                 QMessageBox::Cancel) == QMessageBox::Ok;
}

} // namespace

Prompts& prompts() {
    static Prompts p{showError, askOpen, askSave, askOkCancel};
    return p;
}

std::filesystem::path toPath(const QString& text) {
    // Through UTF-8, not the local 8-bit encoding, which on Windows cannot hold every name.
    return pathFromUtf8(text.toStdString());
}

} // namespace dalvex::ui
