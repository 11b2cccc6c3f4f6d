// SPDX-License-Identifier: MIT
// The picture module's entry points for programs without Qt: it starts a QGuiApplication on
// the offscreen platform when the program has none, so no display is needed, and keeps Qt's
// messages to itself.
#include <QGuiApplication>
#include <QtGlobal>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

#include "kelvara/picture/picture_abi.h"
#include "kelvara/picture/picture_renderer.h"

namespace {

void Silent(QtMsgType /*type*/, const QMessageLogContext& /*context*/, const QString& /*text*/) {}

void EnsureApplication()
{
    if (QCoreApplication::instance() != nullptr) return;
    // Messages about fonts or the platform mean nothing to the user of a command-line tool.
    qInstallMessageHandler(Silent);
    static int argc = 3;
    static char name[] = "kelvara-gen";
    static char platformOption[] = "-platform";
    static char platform[] = "offscreen";
    static char* argv[] = {name, platformOption, platform, nullptr};
    static QGuiApplication* const application = new QGuiApplication(argc, argv);
    (void)application;
}

void Fail(KelvaraPictureResult* result, const char* reason)
{
    std::strncpy(result->error, reason, sizeof result->error - 1);
    result->error[sizeof result->error - 1] = '\0';
}

}  // namespace

extern "C" Q_DECL_EXPORT int KelvaraRenderPicture(const KelvaraPictureRequest* request,
                                                  KelvaraPictureResult* result)
{
    *result = KelvaraPictureResult{};
    if (request->abi != kKelvaraPictureAbi) {
        Fail(result, "the picture module does not match this program");
        return 1;
    }
    EnsureApplication();
    const kelvara::picture::RenderedPicture picture = kelvara::picture::RenderPicture(*request);
    result->width = picture.size.width;
    result->height = picture.size.height;
    if (picture.TooLarge()) {
        result->tooLarge = 1;
        Fail(result, "the picture is larger than the limits");
        return 1;
    }
    const QByteArray& bytes = picture.bytes;
    if (bytes.isEmpty()) {
        Fail(result, "the picture could not be drawn");
        return 1;
    }
    result->data = static_cast<unsigned char*>(std::malloc(static_cast<std::size_t>(bytes.size())));
    if (result->data == nullptr) {
        Fail(result, "out of memory");
        return 1;
    }
    std::memcpy(result->data, bytes.constData(), static_cast<std::size_t>(bytes.size()));
    result->size = static_cast<std::size_t>(bytes.size());
    return 0;
}

extern "C" Q_DECL_EXPORT void KelvaraFreePicture(KelvaraPictureResult* result)
{
    std::free(result->data);
    result->data = nullptr;
    result->size = 0;
}
