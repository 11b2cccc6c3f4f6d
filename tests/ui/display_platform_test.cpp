// SPDX-License-Identifier: MIT
// The windowing platform chosen for each combination of Wayland, X and a platform the user set.
#include <QTest>

#include "kelvara/ui/display_platform.h"

class DisplayPlatformTest : public QObject {
    Q_OBJECT
private slots:
    void choice();
};

void DisplayPlatformTest::choice()
{
    struct Row {
        const char* qpa;  // nullptr: not set
        const char* wayland;
        const char* x11;
        const char* platform;  // "": Qt's own choice
        bool warned;
    };
    const Row rows[] = {
        {nullptr, "wayland-0", ":0", "xcb", false},
        {nullptr, "wayland-0", nullptr, "", true},
        {nullptr, "wayland-0", "", "", true},
        {nullptr, nullptr, ":0", "", false},
        {nullptr, "", ":0", "", false},
        {"wayland", "wayland-0", ":0", "", true},
        {"offscreen", "wayland-0", nullptr, "", false},
        {"", "wayland-0", ":0", "xcb", false},
    };
    for (const Row& row : rows) {
        const auto choice = kelvara::ui::ChoosePlatform([&](const char* name) {
            const char* value = QByteArrayView(name) == "QT_QPA_PLATFORM"   ? row.qpa
                                : QByteArrayView(name) == "WAYLAND_DISPLAY" ? row.wayland
                                : QByteArrayView(name) == "DISPLAY"         ? row.x11
                                                                            : nullptr;
            return value ? std::optional<std::string>(value) : std::nullopt;
        });
        const QByteArray label = QByteArray(row.qpa ? row.qpa : "-") + ' ' +
                                 (row.wayland ? row.wayland : "-") + ' ' +
                                 (row.x11 ? row.x11 : "-");
        QVERIFY2(choice.platform.value_or("") == row.platform, label);
        QVERIFY2(choice.topmostUnavailable == row.warned, label);
    }
}

QTEST_APPLESS_MAIN(DisplayPlatformTest)
#include "display_platform_test.moc"
