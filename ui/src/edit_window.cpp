// SPDX-License-Identifier: MIT
// EditWindow: the result box, "転送" and "閉じる". The run control fills txtKekka after showing
// the window, so loading never touches the text.
#include "kelvara/ui/edit_window.h"

#include <QFont>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>

#include "kelvara/ui/accessibility.h"
#include "kelvara/ui/app_state.h"
#include "kelvara/ui/forms.h"
#include "kelvara/ui/platform.h"

namespace kelvara::ui {
namespace {

// The box's text exactly as typed. toPlainText() would also turn no-break spaces into blanks;
// only the document's own paragraph and line separators become line feeds here.
QString TypedText(const QPlainTextEdit* box)
{
    QString text = box->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return text;
}

}  // namespace

EditWindow::EditWindow(Forms& forms)
    : SecondaryWindow(forms, Modality::Modeless, QStringLiteral("Form3"),
                      QStringLiteral("編集ｳｲﾝﾄﾞｳ"), 4440, 3750)
{
    CreateControls();
    ConnectControls();
    Form_Load();
    DescribeControls(this);
}

void EditWindow::CreateControls()
{
    cmdClose = Place(new QPushButton(QStringLiteral("閉じる"), this), QStringLiteral("cmdClose"),
                     3690, 3195, 645, 510);
    cmdSend = Place(new QPushButton(QStringLiteral("転送"), this), QStringLiteral("cmdSend"), 2970,
                    3195, 690, 510);
    // Multi-line with a vertical scroll bar only, so long lines wrap at the box's width.
    txtKekka = Place(new QPlainTextEdit(this), QStringLiteral("txtKekka"), 540, 135, 3810, 3000);
    txtKekka->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtKekka->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    txtKekka->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    txtKekka->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);

    auto* hint = Place(
        new QLabel(QStringLiteral("転送を押すことで、ここで編集した結果を反映する事ができます。"),
                   this),
        QStringLiteral("Label1"), 45, 3285, 2850, 375);
    hint->setWordWrap(true);
    hint->setFont(GothicFont(8.25));
    Place(new QLabel(QStringLiteral("結果："), this), QStringLiteral("Label2"), 45, 180, 450, 180);
}

void EditWindow::ConnectControls()
{
    connect(cmdSend, &QPushButton::clicked, this, &EditWindow::cmdSend_Click);
    connect(cmdClose, &QPushButton::clicked, this, &EditWindow::cmdClose_Click);
}

void EditWindow::Form_Load() { LoadAsSecondary(); }

void EditWindow::ShowResult(const QString& tags) { txtKekka->setPlainText(tags); }

void EditWindow::cmdSend_Click()
{
    const QString tags = TypedText(txtKekka);
    SetClipboardText(tags);
    // The main window shows the sent-back result in its view; once it is gone the text still
    // reaches the clipboard.
    FormsOf().State().ReplaceResult(tags);
}

void EditWindow::cmdClose_Click() { close(); }

}  // namespace kelvara::ui
