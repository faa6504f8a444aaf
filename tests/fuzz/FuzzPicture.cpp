#include "platform/render/PictureDecoder.h"

#include <QGuiApplication>

#include <cstddef>
#include <cstdint>

// Every picture format goes through the one decoder a family picture reaches.
extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    QString error;
    const QImage image = rost::decodePicture(bytes, &error);
    if (image.isNull() == error.isEmpty())
        __builtin_trap(); // a picture that fails says why, and only then
    return 0;
}
