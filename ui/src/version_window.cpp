// SPDX-License-Identifier: MIT
// VersionWindow: fixed labels, the contributor list built at load, and OK.
#include "kelvara/ui/version_window.h"

#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <algorithm>

#include "kelvara/ui/accessibility.h"
#include "kelvara/ui/platform.h"

namespace kelvara::ui {
namespace {

QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& text, int left, int top,
                  int width, int height)
{
    auto* label = Place(new QLabel(text, parent), name, left, top, width, height);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

// A one-line label whose text is wider than its designed box (fonts differ between systems)
// grows to the right up to the window's edge, then moves left, rather than losing its end.
void FitToText(QLabel* label, int clientWidth)
{
    const int wanted = std::min(label->sizeHint().width(), clientWidth);
    if (wanted <= label->width()) return;
    const int left = std::min(label->x(), clientWidth - wanted);
    label->setGeometry(left, label->y(), wanted, label->height());
}

void SetTextColor(QLabel* label, const QColor& color)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
}

QString CreditsText()
{
    return QStringList{
        QStringLiteral("協力者："),
        QString(),
        QStringLiteral("協力者A：ﾋﾞｭｰｳｲﾝﾄﾞｳのｱｲﾃﾞｱ"),
        QStringLiteral("協力者B：ﾌﾟﾛｸﾞﾗﾑ名"),
        QStringLiteral("協力者C：ﾃｽﾄ"),
        QStringLiteral("協力者D：ﾃｽﾄ"),
        QStringLiteral("協力者E：ﾃｽﾄ"),
        QStringLiteral("協力者F：ﾃｽﾄ"),
        QStringLiteral("協力者G：ﾃｽﾄ"),
        QString(),
        QStringLiteral("他にもご協力いただいた方は、ﾒｰﾙでご連絡ください。"),
    }
        .join(QLatin1Char('\n'));
}

}  // namespace

VersionWindow::VersionWindow(Forms& forms)
    : SecondaryWindow(forms, Modality::DisablesMain, QStringLiteral("Form5"),
                      QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"), 3030, 4545)
{
    CreateControls();
    ConnectControls();
    Form_Load();
    DescribeControls(this);
}

void VersionWindow::CreateControls()
{
    const int clientWidth = width();

    cmdOK = Place(new QPushButton(QStringLiteral("OK"), this), QStringLiteral("cmdOK"), 1830, 4050,
                  1140, 480);
    Label6 = MakeLabel(this, QStringLiteral("Label6"), QString(), 30, 1575, 2970, 2415);
    Label6->setWordWrap(true);
    Label6->setFont(GothicFont(9));

    auto* title =
        MakeLabel(this, QStringLiteral("Label1"), QStringLiteral("Kelvara"), 90, 90, 2430, 555);
    title->setFont(GothicFont(27.75));
    SetTextColor(title, QColor(0, 0, 255));

    auto* mail = MakeLabel(this, QStringLiteral("Label5"),
                           QStringLiteral("ﾒｰﾙ：kelvara@example.com"), 135, 1350, 1950, 180);
    auto* web =
        MakeLabel(this, QStringLiteral("Label4"),
                  QStringLiteral("ﾎｰﾑﾍﾟｰｼﾞ：https://kelvara.example/"), 120, 1125, 2805, 180);
    auto* author = MakeLabel(this, QStringLiteral("Label3"),
                             QStringLiteral("作者：Kelvara開発チーム 2026"), 135, 900, 1410, 180);
    for (QLabel* line : {mail, web, author}) {
        line->setFont(GothicFont(9));
        FitToText(line, clientWidth);
    }

    auto* version =
        MakeLabel(this, QStringLiteral("Label2"),
                  QStringLiteral("Ver ") + QStringLiteral(KELVARA_VERSION), 1890, 630, 1020, 285);
    version->setFont(GothicFont(14.25, true));
    SetTextColor(version, QColor(255, 224, 192));
    FitToText(version, clientWidth);
}

void VersionWindow::ConnectControls()
{
    connect(cmdOK, &QPushButton::clicked, this, &VersionWindow::cmdOK_Click);
}

void VersionWindow::Form_Load()
{
    LoadAsSecondary();
    Label6->setText(CreditsText());
}

void VersionWindow::cmdOK_Click() { close(); }

}  // namespace kelvara::ui
