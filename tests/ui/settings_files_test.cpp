// SPDX-License-Identifier: MIT
// Where the window finds Lum.ini and temp.html for a portable and an installed copy, and what
// it tells the user when one of them cannot be read or written.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <filesystem>

#include "kelvara/ui/file_places.h"
#include "main_window_fixture.h"
#include "ui_test_main.h"

using namespace kelvara::ui;
using namespace kelvara::ui::test;

namespace {

namespace fs = std::filesystem;

// An installed copy: a program folder the user cannot write, the user's configuration and
// cache folders, and the packaged first-start settings beside bin/.
struct InstalledCopy {
    InstalledCopy()
    {
        QDir(root.path()).mkpath(QStringLiteral("bin"));
        QDir(root.path()).mkpath(QStringLiteral("share/kelvara"));
    }
    ~InstalledCopy()
    {
        std::error_code ignored;
        fs::permissions(Fs(Bin()), fs::perms::owner_all, fs::perm_options::add, ignored);
    }
    static fs::path Fs(const QString& path) { return {ToU16(path)}; }
    QString Bin() const { return root.filePath(QStringLiteral("bin")); }
    QString Config() const { return root.filePath(QStringLiteral("config/Kelvara")); }
    QString Cache() const { return root.filePath(QStringLiteral("cache/Kelvara")); }
    QString Packaged() const { return root.filePath(QStringLiteral("share/kelvara/Lum.ini")); }
    void MakeBinReadOnly() const
    {
        fs::permissions(Fs(Bin()), fs::perms::owner_read | fs::perms::owner_exec |
                                       fs::perms::group_read | fs::perms::group_exec |
                                       fs::perms::others_read | fs::perms::others_exec);
    }
    void Place(AppState& state) const { PlaceFiles(state, Bin(), Config(), Cache(), Packaged()); }

    QTemporaryDir root;
};

void Write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray Read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray PackagedSettings()
{
    QFile file(QStringLiteral(KELVARA_PACKAGED_SETTINGS));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The main window on a given state, closed and deleted at the end of the test.
struct Window {
    explicit Window(AppState& state) : forms(std::make_unique<Forms>(state))
    {
        window = forms->Show<MainWindow>();
        QVERIFY(QTest::qWaitForWindowExposed(window));
    }
    ~Window()
    {
        if (window) window->close();
        forms.reset();
    }
    QLineEdit* Field(const char* name) const
    {
        return window->findChild<QLineEdit*>(QLatin1String(name));
    }
    std::unique_ptr<Forms> forms;
    QPointer<MainWindow> window;
};

}  // namespace

class SettingsFilesTest : public QObject {
    Q_OBJECT
private slots:
    void portableCopyKeepsBothFilesBesideTheProgram();
    void installedCopyUsesTheUsersFolders();
    void installedCopyRunByRootStaysOutOfTheProgramFolder();
    void installedFirstStartShowsTheExample();
    void installedCopyReadsTheProgramFoldersFileUntilItHasItsOwn();
    void symlinkedSettingsStayALink();
    void readOnlySettingsAreReportedAtExitAndKept();
    void unreadableSettingsAreReportedAtStartUpAndKept();
    void settingsFolderInPlaceOfTheFileIsReportedAtStartUp();
    void pageErrorGivesOneHeadlineThenFileAndReason();
};

void SettingsFilesTest::portableCopyKeepsBothFilesBesideTheProgram()
{
    InstalledCopy copy;  // a portable copy has no packaged settings beside it
    QDir().mkpath(copy.Config());
    Write(copy.Config() + QStringLiteral("/Lum.ini"), "[text]\r\nlast=someone else's\r\n");
    AppState state;
    copy.Place(state);
    QCOMPARE(state.ProgramFolder, copy.Bin());
    QCOMPARE(state.SettingsFile, copy.Bin() + QStringLiteral("/Lum.ini"));
    QVERIFY(state.FallbackSettingsFile.isEmpty());

    // Without a Lum.ini a portable copy starts empty, whatever else lies around.
    Window w(state);
    QCOMPARE(w.Field("txtFor")->text(), QString());
    QCOMPARE(w.Field("txtCfor")->text(), QString());
}

void SettingsFilesTest::installedCopyUsesTheUsersFolders()
{
    InstalledCopy copy;
    copy.MakeBinReadOnly();
    AppState state;
    copy.Place(state);
    QCOMPARE(state.SettingsFile, copy.Config() + QStringLiteral("/Lum.ini"));
    QCOMPARE(state.ProgramFolder, copy.Cache());
    QVERIFY(QFileInfo(copy.Config()).isDir());
    QVERIFY(QFileInfo(copy.Cache()).isDir());
    QVERIFY(state.FallbackSettingsFile.isEmpty());  // nothing packaged, nothing beside it

    // temp.html is a cache: it goes to the cache folder, Lum.ini to the configuration.
    Window w(state);
    w.window->findChild<QAbstractButton*>(QStringLiteral("cmdClear"))->click();
    QVERIFY(QFile::exists(copy.Cache() + QStringLiteral("/temp.html")));
    QVERIFY(!QFile::exists(copy.Bin() + QStringLiteral("/temp.html")));
    w.window->close();
    QVERIFY(QFile::exists(copy.Config() + QStringLiteral("/Lum.ini")));
    QVERIFY(!QFile::exists(copy.Bin() + QStringLiteral("/Lum.ini")));
}

void SettingsFilesTest::installedCopyRunByRootStaysOutOfTheProgramFolder()
{
    // Root can write /usr/bin; the packaged settings still mark the copy as installed.
    InstalledCopy copy;
    Write(copy.Packaged(), PackagedSettings());
    AppState state;
    copy.Place(state);
    QCOMPARE(state.SettingsFile, copy.Config() + QStringLiteral("/Lum.ini"));
    QCOMPARE(state.ProgramFolder, copy.Cache());
    QCOMPARE(state.FallbackSettingsFile, copy.Packaged());
}

void SettingsFilesTest::installedFirstStartShowsTheExample()
{
    InstalledCopy copy;
    const QByteArray packaged = PackagedSettings();
    QVERIFY(!packaged.isEmpty());
    Write(copy.Packaged(), packaged);
    copy.MakeBinReadOnly();
    AppState state;
    copy.Place(state);
    QCOMPARE(state.FallbackSettingsFile, copy.Packaged());

    {
        Window w(state);
        QCOMPARE(w.Field("txtFor")->text(), QStringLiteral("グラデーション"));
        QCOMPARE(w.Field("txtCfor")->text(), QStringLiteral("FF0000"));
        QCOMPARE(w.Field("txtClat")->text(), QStringLiteral("0000FF"));
        QCOMPARE(w.Field("txtBack")->text(), QStringLiteral("FFFFFF"));
        QCOMPARE(SwatchColor(w.window->findChild<QWidget*>(QStringLiteral("Picture1"))),
                 QColor(Qt::red));
        QVERIFY(!w.Field("txtCmid")->isEnabled());  // two colours
        QCOMPARE(state.TagOptions.h_NFontSize, 3);
        w.Field("txtFor")->setText(QStringLiteral("mine"));
    }
    // The user's own file now holds the settings; the packaged file is as installed.
    QCOMPARE(Read(copy.Packaged()), packaged);
    QVERIFY(Read(copy.Config() + QStringLiteral("/Lum.ini")).contains("last=mine\r\n"));
    AppState again;
    copy.Place(again);
    Window w(again);
    QCOMPARE(w.Field("txtFor")->text(), QStringLiteral("mine"));
}

void SettingsFilesTest::installedCopyReadsTheProgramFoldersFileUntilItHasItsOwn()
{
    InstalledCopy copy;
    Write(copy.Packaged(), PackagedSettings());
    Write(copy.Bin() + QStringLiteral("/Lum.ini"),
          ShiftJis(StandardIni({{"text", "last", "old"}})));
    copy.MakeBinReadOnly();
    AppState state;
    copy.Place(state);
    QCOMPARE(state.FallbackSettingsFile, copy.Bin() + QStringLiteral("/Lum.ini"));
    {
        Window w(state);
        QCOMPARE(w.Field("txtFor")->text(), QStringLiteral("old"));
        QCOMPARE(w.Field("txtBack")->text(), QStringLiteral("FFFFFF"));
        w.Field("txtFor")->setText(QStringLiteral("new"));
    }
    AppState again;
    copy.Place(again);
    Window w(again);
    QCOMPARE(w.Field("txtFor")->text(), QStringLiteral("new"));
    QVERIFY(Read(copy.Bin() + QStringLiteral("/Lum.ini")).contains("last=old\r\n"));
}

void SettingsFilesTest::symlinkedSettingsStayALink()
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("dotfiles"));
    const QString real = dir.filePath(QStringLiteral("dotfiles/Lum.ini"));
    Write(real, ShiftJis(StandardIni()));
    QVERIFY(
        QFile::link(QStringLiteral("dotfiles/Lum.ini"), dir.filePath(QStringLiteral("Lum.ini"))));
    AppState state;
    state.ProgramFolder = dir.path();
    {
        Window w(state);
        QCOMPARE(w.Field("txtCfor")->text(), QStringLiteral("FF0000"));
        w.Field("txtFor")->setText(QStringLiteral("through the link"));
    }
    QVERIFY(fs::is_symlink(fs::path(ToU16(dir.filePath(QStringLiteral("Lum.ini"))))));
    QVERIFY(Read(real).contains("last=through the link\r\n"));
}

void SettingsFilesTest::readOnlySettingsAreReportedAtExitAndKept()
{
    MainWindowFixture f;
    const QString ini = f.Path(QStringLiteral("Lum.ini"));
    const QByteArray before = f.ReadFile(QStringLiteral("Lum.ini"));
    fs::permissions(fs::path(ToU16(ini)), fs::perms::owner_read | fs::perms::group_read);
    MessageCapture capture;
    f.Field("txtFor")->setText(QStringLiteral("lost"));
    f.window->close();
    QCOMPARE(capture.messages,
             QStringList{
                 QStringLiteral("設定を保存できませんでした。\n%1: Permission denied").arg(ini)});
    QCOMPARE(f.ReadFile(QStringLiteral("Lum.ini")), before);
}

void SettingsFilesTest::unreadableSettingsAreReportedAtStartUpAndKept()
{
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("Lum.ini"));
    Write(ini, ShiftJis(StandardIni({{"text", "last", "precious"}})));
    const QByteArray before = Read(ini);
    fs::permissions(fs::path(ToU16(ini)), fs::perms::owner_write);  // no read permission
    AppState state;
    state.ProgramFolder = dir.path();
    MessageCapture capture;
    {
        Window w(state);
        QTRY_COMPARE(capture.messages.size(), 1);
        QCOMPARE(capture.messages[0],
                 QStringLiteral("設定を読み込めませんでした。\n%1: Permission denied").arg(ini));
        QCOMPARE(w.Field("txtFor")->text(), QString());
        w.Field("txtFor")->setText(QStringLiteral("would overwrite"));
    }
    // Nothing more at exit, and the file is as it was.
    QCOMPARE(capture.messages.size(), 1);
    fs::permissions(fs::path(ToU16(ini)), fs::perms::owner_read | fs::perms::owner_write);
    QCOMPARE(Read(ini), before);
}

void SettingsFilesTest::settingsFolderInPlaceOfTheFileIsReportedAtStartUp()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Lum.ini")));
    AppState state;
    state.ProgramFolder = dir.path();
    MessageCapture capture;
    {
        Window w(state);
        QTRY_COMPARE(capture.messages.size(), 1);
    }
    QCOMPARE(capture.messages,
             QStringList{QStringLiteral("設定を読み込めませんでした。\n%1: Is a directory")
                             .arg(dir.filePath(QStringLiteral("Lum.ini")))});
    QVERIFY(QFileInfo(dir.filePath(QStringLiteral("Lum.ini"))).isDir());
}

void SettingsFilesTest::pageErrorGivesOneHeadlineThenFileAndReason()
{
    MainWindowFixture f;
    QVERIFY(QDir(f.dir.path()).mkdir(QStringLiteral("temp.html")));
    MessageCapture capture;
    f.Button(QStringLiteral("cmdClear"))->click();
    QCOMPARE(capture.messages,
             QStringList{QStringLiteral("ﾌﾟﾚﾋﾞｭｰを書き込めませんでした。\n%1: Is a directory")
                             .arg(f.Path(QStringLiteral("temp.html")))});
}

KELVARA_UI_TEST_MAIN(SettingsFilesTest)
#include "settings_files_test.moc"
