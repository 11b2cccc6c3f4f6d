// SPDX-License-Identifier: MIT
// Platform layer: topmost mode, message boxes, swatches, clipboard and the program folder.
#include "kelvara/ui/platform.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMessageBox>
#include <QPalette>
#include <QWidget>

namespace kelvara::ui {

namespace {

MessageInterceptor& Interceptor()
{
    static MessageInterceptor interceptor;
    return interceptor;
}

// Caption 19 px and the 3 px fixed frame above and below; a one-line menu bar 19 px.
constexpr int kCaptionAndBorders = 25;
constexpr int kMenuBar = 19;

}  // namespace

void PlaceTwips(QWidget* widget, int left, int top, int width, int height)
{
    widget->setGeometry(Twips(left), Twips(top), Twips(width), Twips(height));
}

int StandardFrameHeight(bool withMenuBar)
{
    return kCaptionAndBorders + (withMenuBar ? kMenuBar : 0);
}

int MenuBarHeight(const QWidget* window)
{
    const auto* main = qobject_cast<const QMainWindow*>(window);
    const QWidget* bar = main != nullptr ? main->menuWidget() : nullptr;
    if (bar == nullptr) return 0;
    const int height = bar->heightForWidth(window->width());
    return height > 0 ? height : bar->sizeHint().height();
}

int OuterHeight(const QWidget* window)
{
    const int menuBar = MenuBarHeight(window);
    return window->height() - menuBar + StandardFrameHeight(menuBar > 0);
}

int SetTopmost(QWidget* window, int mode)
{
    if (window == nullptr || (mode != 0 && mode != 1)) {
        return 0;
    }
    // Changing a window flag hides the window and may forget its place; like the Windows
    // call this mirrors, the window ends up shown where it was.
    const bool wasVisible = window->isVisible();
    const QPoint position = window->pos();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, mode == 1);
    if (wasVisible) {
        window->move(position);
    }
    window->show();
    return 1;
}

void ShowMessage(QWidget* parent, const QString& text)
{
    if (Interceptor()) {
        Interceptor()(text);
        return;
    }
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Kelvara"), text, QMessageBox::Ok, parent);
    box.exec();
}

QString FileErrorText(const QString& headline, const std::filesystem::path& file,
                      const std::error_code& reason)
{
    return QStringLiteral("%1\n%2: %3")
        .arg(headline, QString::fromStdU16String(file.u16string()),
             QString::fromLocal8Bit(reason.message()));
}

void ShowFileError(QWidget* parent, const QString& headline, const std::filesystem::path& file,
                   const std::error_code& reason)
{
    ShowMessage(parent, FileErrorText(headline, file, reason));
}

void SetMessageInterceptor(MessageInterceptor interceptor)
{
    Interceptor() = std::move(interceptor);
}

void SetSwatchColor(QWidget* swatch, const QColor& color)
{
    QPalette palette = swatch->palette();
    palette.setColor(QPalette::Window, color);
    swatch->setPalette(palette);
    swatch->setAutoFillBackground(true);
}

QColor SwatchColor(const QWidget* swatch) { return swatch->palette().color(QPalette::Window); }

QColor FromColorValue(quint32 value)
{
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

QFont ApplicationFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("IPAPGothic"), QStringLiteral("MS PGothic"),
                      QStringLiteral("Noto Sans CJK JP"), QStringLiteral("sans-serif")});
    font.setPointSize(9);
    return font;
}

QFont GothicFont(qreal pointSize, bool bold)
{
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic")});
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

void SetClipboardText(const QString& text)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(text);
}

}  // namespace kelvara::ui
