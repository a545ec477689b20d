#pragma once
// Message boxes and file dialogs go through these replaceable functions, so that the windows can be driven
// without a user (the tests put their own answers in).
#include <QString>

#include <filesystem>
#include <functional>

class QWidget;

namespace dalvex::ui {

// The answers to "Сохранить изменения?".
enum class SaveAnswer { Save, Discard, Cancel };

struct Prompts {
    // An error message with the error icon.
    std::function<void(QWidget* parent, const QString& text, const QString& caption)> error;
    // A file to open; empty when the user cancelled.
    std::function<QString(QWidget* parent, const QString& filter, const QString& suffix)> openPath;
    // A file to save to (the user confirmed overwriting an existing one); empty when cancelled.
    std::function<QString(QWidget* parent, const QString& filter, const QString& suffix,
                          const QString& initialName)>
        savePath;
    // A question with OK and Cancel and the question icon; true for OK.
    std::function<bool(QWidget* parent, const QString& text, const QString& caption)> question;
    // A question answered by one of two named buttons, the first the default; true for the first.
    std::function<bool(QWidget* parent, const QString& text, const QString& caption, const QString& first,
                       const QString& second)>
        choose;
    // A question with Сохранить, Не сохранять and Отмена before unsaved changes would be lost.
    std::function<SaveAnswer(QWidget* parent, const QString& text, const QString& caption)> saveChanges;
};

// The prompts in force; Qt's dialogs until replaced.
Prompts& prompts();

// A file name typed or chosen in a dialog as a file system path.
std::filesystem::path toPath(const QString& text);

inline QString sketchFilter() {
    return QStringLiteral("Эскизы дверей (*.dlx)");
}

} // namespace dalvex::ui
