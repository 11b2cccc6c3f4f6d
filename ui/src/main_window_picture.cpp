// SPDX-License-Identifier: MIT
// MainWindow's pictures of the last finished run: "画像として保存..." writes a PNG or SVG file,
// "画像をｺﾋﾟｰ" puts the PNG on the clipboard. Drawn by the same renderer as kelvara-gen --image;
// a picture larger than the limits is refused with a message, and nothing is written.
#include <QAction>
#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>

#include "kelvara/engine/atomic_file.h"
#include "kelvara/engine/characters.h"
#include "kelvara/engine/run_plan.h"
#include "kelvara/picture/picture_renderer.h"
#include "kelvara/settings/output_settings.h"
#include "kelvara/ui/app_state.h"
#include "kelvara/ui/main_window.h"
#include "kelvara/ui/platform.h"

namespace kelvara::ui {

// The finished run's text, options and colours, as the run read them.
struct PictureSource {
    std::u16string text;
    engine::TagOptions options;
    engine::OutputOptions output;
    std::u16string first;
    std::u16string middle;
    std::u16string last;
    std::u16string background;
};

namespace {

constexpr std::size_t kNameCharacters = 16;

// The first characters of the text, without those a file name cannot hold.
QString DefaultName(const std::u16string& text)
{
    const engine::CharacterText characters(text);
    QString name = ToQString(characters.Span(0, std::min(characters.size(), kNameCharacters)));
    for (QChar& c : name) {
        if (c == u'/' || c == u'\\' || c == u':' || c == u'*' || c == u'?' || c == u'"' ||
            c == u'<' || c == u'>' || c == u'|' || c.unicode() < 0x20) {
            c = u'_';
        }
    }
    name = name.trimmed();
    return (name.isEmpty() || name.startsWith(u'.') ? QStringLiteral("kelvara") : name) +
           QStringLiteral(".png");
}

std::optional<engine::Rgb> ColorOrNone(const std::u16string& text)
{
    if (text.empty()) return std::nullopt;
    return engine::ReadColorText(text);
}

picture::RenderedPicture Draw(const PictureSource& p, const settings::ImageSettings& image,
                              picture::PictureKind kind)
{
    const engine::FixedColors colors(p.first, p.middle, p.last);
    const engine::RunPlan plan = engine::PlanRun(p.options, p.output, p.text, colors);
    if (plan.refused) return {};
    picture::PictureOptions look;
    look.px = image.ImagePx;
    if (engine::IsSet(image.ImageBack)) look.back = engine::ReadColorText(p.background);
    look.outline = ColorOrNone(image.Outline);
    look.shadow = ColorOrNone(image.Shadow);
    if (image.ImageWrap) look.wrap = *image.ImageWrap;
    const picture::PictureJob job(plan, p.options, p.text, look, kind);
    return picture::RenderPicture(job.Request());
}

// Why nothing was drawn: the size it would have had, the limit, and what makes it smaller.
QString RefusalMessage(const picture::RenderedPicture& drawn, bool wrapping)
{
    if (!drawn.TooLarge()) return QStringLiteral("画像を作れませんでした。");
    const QString limit =
        picture::OverLimit(drawn.size) == picture::SizeLimit::Area
            ? QStringLiteral("画像の面積は%1ピクセルまでです").arg(picture::kMaxArea)
            : QStringLiteral("画像の一辺は%1ピクセルまでです").arg(picture::kMaxSide);
    return QStringLiteral(
               "画像が大きすぎます：%1×%2ピクセルになります。\n"
               "%3（ブラウザや画像ビューア、投稿サイトが開ける大きさ）。\n"
               "%4、ｻｲｽﾞ3の大きさを小さくするか、文字列を短くしてね")
        .arg(QString::number(drawn.size.width), QString::number(drawn.size.height), limit,
             wrapping ? QStringLiteral("折り返し幅を変えるか")
                      : QStringLiteral("折り返し幅を使うか"));
}

}  // namespace

void MainWindow::CreatePictureMenus()
{
    m_fileMenu->addSeparator()->setObjectName(QStringLiteral("mnusepImage"));
    mnuSaveImage = m_fileMenu->addAction(QStringLiteral("画像として保存..."));
    mnuSaveImage->setObjectName(QStringLiteral("mnuSaveImage"));
    m_editMenu->addSeparator()->setObjectName(QStringLiteral("mnusepImage2"));
    mnuCopyImage = m_editMenu->addAction(QStringLiteral("画像をｺﾋﾟｰ"));
    mnuCopyImage->setObjectName(QStringLiteral("mnuCopyImage"));
    EnablePictureCommands(false);
    connect(mnuSaveImage, &QAction::triggered, this, &MainWindow::mnuSaveImage_Click);
    connect(mnuCopyImage, &QAction::triggered, this, &MainWindow::mnuCopyImage_Click);
}

void MainWindow::EnablePictureCommands(bool enabled)
{
    mnuSaveImage->setEnabled(enabled);
    mnuCopyImage->setEnabled(enabled);
}

void MainWindow::RememberPictureRun()
{
    m_picture = std::make_shared<const PictureSource>(
        PictureSource{ToU16(txtFor->text()), Options(), OutputSettings(), ToU16(txtCfor->text()),
                      ToU16(txtCmid->text()), ToU16(txtClat->text()), ToU16(txtBack->text())});
    EnablePictureCommands(true);
}

QByteArray MainWindow::PictureBytes(picture::PictureKind kind) const
{
    if (!m_picture) return {};
    return Draw(*m_picture, State().Output.Image, kind).bytes;
}

void MainWindow::mnuSaveImage_Click()
{
    if (!m_picture) return;
    QString filter = QStringLiteral("PNG (*.png)");
    QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("画像として保存"), DefaultName(m_picture->text),
        QStringLiteral("PNG (*.png);;SVG (*.svg)"), &filter);
    if (path.isEmpty()) return;
    auto kind = picture::KindOfFile(path.toStdString());
    if (!kind) {
        const bool svg = filter.startsWith(QLatin1String("SVG"));
        path += svg ? QStringLiteral(".svg") : QStringLiteral(".png");
        kind = svg ? picture::PictureKind::Svg : picture::PictureKind::Png;
    }
    const settings::ImageSettings& image = State().Output.Image;
    const picture::RenderedPicture drawn = Draw(*m_picture, image, *kind);
    if (drawn.bytes.isEmpty()) {
        ui::ShowMessage(this, RefusalMessage(drawn, image.ImageWrap.has_value()));
        return;
    }
    const QByteArray& bytes = drawn.bytes;
    const std::filesystem::path file(path.toStdU16String());
    const std::error_code reason = engine::WriteFileAtomically(
        file, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (reason) ShowFileError(this, QStringLiteral("画像を保存できませんでした。"), file, reason);
}

void MainWindow::mnuCopyImage_Click()
{
    if (!m_picture) return;
    const settings::ImageSettings& image = State().Output.Image;
    const picture::RenderedPicture drawn = Draw(*m_picture, image, picture::PictureKind::Png);
    if (drawn.bytes.isEmpty()) {
        ui::ShowMessage(this, RefusalMessage(drawn, image.ImageWrap.has_value()));
        return;
    }
    const QByteArray& png = drawn.bytes;
    auto* data = new QMimeData;
    data->setData(QStringLiteral("image/png"), png);
    data->setImageData(QImage::fromData(png, "PNG"));
    QGuiApplication::clipboard()->setMimeData(data);
}

}  // namespace kelvara::ui
