#pragma once
// Shared by the desktop program's tests: the sample catalogue, a Project whose order counter lives in a
// temporary folder with its editor and document, a hub that records the windows' notifications, and message
// boxes and file dialogs that answer without a user.
#include "art/artwork.h"
#include "catalogue/catalogue.h"
#include "io/utf8_path.h"
#include "document/notifications.h"
#include "document/order_document.h"
#include "project/project.h"
#include "project/project_editor.h"
#include "window/prompts.h"
#include "document/ui_context.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <memory>
#include <vector>

namespace dalvex::ui::test {

inline std::filesystem::path uniqueTempFolder(const char* tag) {
    static std::atomic<int> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    auto path =
        std::filesystem::temp_directory_path() /
        (std::string("dalvex_ui_") + tag + "_" + std::to_string(stamp) + "_" + std::to_string(counter++));
    std::filesystem::create_directories(path);
    return path;
}

// A path as Qt writes it: UTF-8, "/" between names on every platform.
inline QString qtPath(const std::filesystem::path& path) {
    return QDir::fromNativeSeparators(QString::fromStdString(pathToUtf8(path)));
}

inline Catalogue& sampleCatalogue() {
    static Catalogue catalogue{std::filesystem::path(DALVEX_BINARY_DIR)};
    return catalogue;
}

inline const DSSystem* systemNamed(const char* name) {
    return sampleCatalogue().findSystem(name);
}

// The name of a notification in a log of what was heard.
inline QString nameOf(Notification n) {
    switch (n) {
    case Notification::LockPanels:
        return QStringLiteral("lock");
    case Notification::UnlockPanels:
        return QStringLiteral("unlock");
    }
    return {};
}

class RecordingHub : public NotificationHub {
public:
    void notify(Notification n) override {
        seen.push_back(n);
        if (log) *log << nameOf(n);
    }
    QStringList* log = nullptr; // also by name, beside the document's signals
    int count(Notification n) const {
        int c = 0;
        for (Notification s : seen)
            c += s == n ? 1 : 0;
        return c;
    }
    std::vector<Notification> seen;
};

// Message boxes and file dialogs that record and answer as the test says. The settings they lead to (last
// folder, recent files) go to Qt's test folders, never the user's; on Windows, where settings are in the
// registry, under a name of the tests' own (without one Windows keeps none).
struct ScriptedPrompts {
    QStringList errors;
    QStringList captions;
    QString nextPath;
    QString lastInitialName;
    QString lastFilter;
    int saveDialogs = 0;
    SaveAnswer saveAnswer = SaveAnswer::Discard; // the tests that do not ask about it go on
    int saveQuestions = 0;
    QStringList saveQuestionTexts;
    bool chooseFirst = true;
    QStringList choices; // each question: its text and its two answers, one line
    Prompts saved;

    ScriptedPrompts() : saved(prompts()) {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setOrganizationName(QStringLiteral("dalvex-tests"));
        prompts().error = [this](QWidget*, const QString& text, const QString& caption) {
            errors << text;
            captions << caption;
        };
        prompts().openPath = [this](QWidget*, const QString& filter, const QString&) {
            lastFilter = filter;
            return nextPath;
        };
        prompts().savePath = [this](QWidget*, const QString& filter, const QString&, const QString& initial) {
            ++saveDialogs;
            lastFilter = filter;
            lastInitialName = initial;
            return nextPath;
        };
        prompts().saveChanges = [this](QWidget*, const QString& text, const QString&) {
            ++saveQuestions;
            saveQuestionTexts << text;
            return saveAnswer;
        };
        prompts().choose = [this](QWidget*, const QString& text, const QString&, const QString& first,
                                  const QString& second) {
            choices << text + QStringLiteral(" / ") + first + QStringLiteral(" / ") + second;
            return chooseFirst;
        };
    }
    ~ScriptedPrompts() { prompts() = saved; }
};

// The document's signals as they come, by name: what the panels hear of a change of the order.
class Announced {
public:
    // `log`, when given, hears them too, beside the hub's notifications.
    explicit Announced(OrderDocument& document, QStringList* log = nullptr) : log_(log) {
        const std::pair<void (OrderDocument::*)(), const char*> kinds[] = {
            {&OrderDocument::choicesChanged, "choices"},
            {&OrderDocument::dimensionsChanged, "dimensions"},
            {&OrderDocument::recalculated, "recalculated"},
            {&OrderDocument::totalsChanged, "totals"},
            {&OrderDocument::discountChanged, "discount"},
            {&OrderDocument::cardChanged, "card"},
            {&OrderDocument::opened, "opened"},
            {&OrderDocument::viewChanged, "view"}};
        for (const auto& [signal, name] : kinds)
            QObject::connect(&document, signal, &context_, [this, name = name] {
                seen << QString::fromLatin1(name);
                if (log_) *log_ << QString::fromLatin1(name);
            });
    }
    int count(const char* name) const { return static_cast<int>(seen.count(QString::fromLatin1(name))); }
    QStringList seen;

private:
    QStringList* log_;
    QObject context_;
};

// A Project on the sample catalogue with its own order counter folder, its editor and the document whose
// signals the panels connect to.
struct ProjectFixture {
    std::filesystem::path folder = uniqueTempFolder("project");
    Project project{sampleCatalogue(), folder};
    ProjectEditor editor{project};
    Artwork artwork{sampleCatalogue()};
    OrderDocument document{editor};
    SketchScreen screen;
    ~ProjectFixture() {
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }
    UiContext context(NotificationHub& hub) {
        return UiContext{project, editor, artwork, hub, applicationFont(), &document, &screen};
    }
};

} // namespace dalvex::ui::test
