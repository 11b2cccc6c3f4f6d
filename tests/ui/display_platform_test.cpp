// SPDX-License-Identifier: MIT
// The windowing platform chosen for each combination of Wayland, X and a platform the user set.
#include <QTest>
#include <map>

#include "kelvara/ui/display_platform.h"

using kelvara::ui::ChoosePlatform;

class DisplayPlatformTest : public QObject {
    Q_OBJECT
private slots:
    void choice_data();
    void choice();
};

void DisplayPlatformTest::choice_data()
{
    QTest::addColumn<QString>("qpa");  // "-": not set
    QTest::addColumn<QString>("wayland");
    QTest::addColumn<QString>("x11");
    QTest::addColumn<QString>("platform");  // "": Qt's own choice
    QTest::addColumn<bool>("warned");
    QTest::newRow("Wayland with XWayland") << "-"
                                           << "wayland-0"
                                           << ":0"
                                           << "xcb" << false;
    QTest::newRow("Wayland only") << "-"
                                  << "wayland-0"
                                  << "-"
                                  << "" << true;
    QTest::newRow("Wayland, DISPLAY empty") << "-"
                                            << "wayland-0"
                                            << ""
                                            << "" << true;
    QTest::newRow("X only") << "-"
                            << "-"
                            << ":0"
                            << "" << false;
    QTest::newRow("WAYLAND_DISPLAY empty") << "-"
                                           << ""
                                           << ":0"
                                           << "" << false;
    QTest::newRow("no display") << "-"
                                << "-"
                                << "-"
                                << "" << false;
    QTest::newRow("user's wayland kept") << "wayland"
                                         << "wayland-0"
                                         << ":0"
                                         << "" << true;
    QTest::newRow("user's list kept") << "wayland;xcb"
                                      << "wayland-0"
                                      << ":0"
                                      << "" << true;
    QTest::newRow("user's offscreen kept") << "offscreen"
                                           << "wayland-0"
                                           << "-"
                                           << "" << false;
    QTest::newRow("empty QT_QPA_PLATFORM") << ""
                                           << "wayland-0"
                                           << ":0"
                                           << "xcb" << false;
}

void DisplayPlatformTest::choice()
{
    QFETCH(QString, qpa);
    QFETCH(QString, wayland);
    QFETCH(QString, x11);
    QFETCH(QString, platform);
    QFETCH(bool, warned);
    std::map<std::string, std::string> environment;
    const auto set = [&](const char* name, const QString& value) {
        if (value != QLatin1String("-")) environment[name] = value.toStdString();
    };
    set("QT_QPA_PLATFORM", qpa);
    set("WAYLAND_DISPLAY", wayland);
    set("DISPLAY", x11);
    const kelvara::ui::PlatformChoice choice =
        ChoosePlatform([&](const char* name) -> std::optional<std::string> {
            const auto found = environment.find(name);
            if (found == environment.end()) return std::nullopt;
            return found->second;
        });
    QCOMPARE(QString::fromStdString(choice.platform.value_or("")), platform);
    QCOMPARE(choice.topmostUnavailable, warned);
}

QTEST_APPLESS_MAIN(DisplayPlatformTest)
#include "display_platform_test.moc"
