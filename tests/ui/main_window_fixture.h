// SPDX-License-Identifier: MIT
// A main window of its own for each test: a temporary program folder with an optional
// Lum.ini, the shared state, the window registry, and helpers to reach controls and files;
// and the same for test classes that start the program in init() and end it in cleanup().
#pragma once

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLineEdit>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <memory>

#include "kelvara/engine/shift_jis.h"
#include "kelvara/ui/app_state.h"
#include "kelvara/ui/forms.h"
#include "kelvara/ui/main_window.h"
#include "kelvara/ui/platform.h"
#include "window_test_support.h"

namespace kelvara::ui::test {

struct IniEntry {
    QString section;
    QString key;
    QString value;
};

// Lum.ini as most tests start from it (two colours red to blue on white, size 3,
// "MS Pゴシック"), with entries replaced or added by section and key.
inline QString StandardIni(const QList<IniEntry>& changes = {})
{
    QList<IniEntry> entries = {
        {"Set", "n", "2"},
        {"Font", "h_NFontSize", "3"},
        {"Font", "h_FontFace", QStringLiteral("MS Pゴシック")},
        {"Color", "For", "FF0000"},
        {"Color", "Last", "0000FF"},
        {"Color", "Mid", "00FF00"},
        {"Color", "Back", "FFFFFF"},
    };
    for (const IniEntry& change : changes) {
        auto same = [&](const IniEntry& e) {
            return e.section == change.section && e.key == change.key;
        };
        auto it = std::find_if(entries.begin(), entries.end(), same);
        if (it != entries.end()) {
            it->value = change.value;
        } else {
            auto last = std::find_if(entries.rbegin(), entries.rend(), [&](const IniEntry& e) {
                return e.section == change.section;
            });
            entries.insert(last == entries.rend() ? entries.end() : last.base(), change);
        }
    }
    QString ini;
    QString section;
    for (const IniEntry& e : entries) {
        if (e.section != section) ini += QStringLiteral("[%1]\r\n").arg(section = e.section);
        ini += QStringLiteral("%1=%2\r\n").arg(e.key, e.value);
    }
    return ini;
}

inline QByteArray ShiftJis(const QString& text)
{
    return QByteArray::fromStdString(
        engine::EncodeShiftJis(ToU16(text), engine::Unmappable::DefaultChar));
}

// A first start: no Lum.ini in the program folder.
struct NoSettingsFile {};

class MainWindowFixture {
public:
    explicit MainWindowFixture(const QString& ini = StandardIni())
    {
        WriteFile(QStringLiteral("Lum.ini"), ShiftJis(ini));
        state.ProgramFolder = dir.path();
        Start();
    }
    explicit MainWindowFixture(NoSettingsFile)
    {
        state.ProgramFolder = dir.path();
        Start();
    }
    // Windows still loaded go without their unload steps.
    ~MainWindowFixture()
    {
        forms.reset();
        testing::FlushDeletes();
    }

    // Loads the main window as the program start does.
    void Start()
    {
        forms = std::make_unique<Forms>(state);
        window = forms->Show<MainWindow>();
        QVERIFY(QTest::qWaitForWindowExposed(window));
    }

    // Closes the main window and starts again on the same program folder.
    void Restart()
    {
        window->close();
        forms.reset();
        state.TagOptions = {};
        state.ResultTags.clear();
        state.SavedColors = {};
        state.Output = {};
        state.SettingsFile.clear();
        state.FallbackSettingsFile.clear();
        state.ProgramFolder = dir.path();
        Start();
    }

    template <typename T = QWidget>
    T* Find(const QString& name) const
    {
        T* found = window->findChild<T*>(name);
        if (found == nullptr) qWarning("no control %s", qPrintable(name));
        return found;
    }
    QAbstractButton* Button(const QString& name) const { return Find<QAbstractButton>(name); }
    QLineEdit* Field(const QString& name) const { return Find<QLineEdit>(name); }
    QAction* Action(const QString& name) const { return Find<QAction>(name); }

    QString Path(const QString& file) const { return dir.filePath(file); }
    QByteArray ReadFile(const QString& file) const
    {
        QFile f(Path(file));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void WriteFile(const QString& file, const QByteArray& bytes) const
    {
        QFile f(Path(file));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray Page() const { return ReadFile(QStringLiteral("temp.html")); }

    // Moves the focus into a field, types over its text and leaves it for txtFor.
    void TypeAndLeave(const QString& name, const QString& text)
    {
        QLineEdit* field = Field(name);
        field->setFocus(Qt::MouseFocusReason);
        field->selectAll();
        if (text.isEmpty()) {
            QTest::keyClick(field, Qt::Key_Delete);
        } else {
            QTest::keyClicks(field, text);
        }
        Field(QStringLiteral("txtFor"))->setFocus(Qt::MouseFocusReason);
    }

    QTemporaryDir dir;
    AppState state;
    std::unique_ptr<Forms> forms;
    MainWindow* window = nullptr;
};

// Any message box fails the running test instead of showing.
struct FailOnMessage {};

// Captures every message box text instead of showing it.
class MessageCapture {
public:
    MessageCapture()
    {
        SetMessageInterceptor([this](const QString& text) { messages << text; });
    }
    explicit MessageCapture(FailOnMessage)
    {
        SetMessageInterceptor([](const QString& text) { QFAIL(qPrintable(text)); });
    }
    ~MessageCapture() { SetMessageInterceptor({}); }
    MessageCapture(const MessageCapture&) = delete;
    MessageCapture& operator=(const MessageCapture&) = delete;
    QStringList messages;
};

// The program for one test function of a class that starts it in init() and ends it in
// cleanup(): message boxes are captured (or fail the test) from before the start until after
// the end, and the end unloads every window as the program's end command does, so that each
// unload step runs. Without a Lum.ini unless one is given.
class ProgramFixture : public MessageCapture, public MainWindowFixture {
public:
    ProgramFixture() : MainWindowFixture(NoSettingsFile{}) {}
    explicit ProgramFixture(FailOnMessage fail)
        : MessageCapture(fail), MainWindowFixture(NoSettingsFile{})
    {
    }
    explicit ProgramFixture(const QString& ini) : MainWindowFixture(ini) {}
    ~ProgramFixture()
    {
        forms->UnloadAll();
        testing::FlushDeletes();
    }
    ProgramFixture(const ProgramFixture&) = delete;
    ProgramFixture& operator=(const ProgramFixture&) = delete;
};

}  // namespace kelvara::ui::test
