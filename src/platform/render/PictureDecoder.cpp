#include "platform/render/PictureDecoder.h"

#include "platform/render/PcxReader.h"

#include <QBuffer>
#include <QImageReader>
#include <QMessageLogContext>

namespace rost {

namespace {

bool acceptedFormat(const QByteArray &format)
{
    static const QByteArrayList accepted{"jpeg", "jpg", "bmp", "gif", "png", "tiff", "tif"};
    return accepted.contains(format.toLower());
}

QImage fail(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return {};
}

// Qt's readers tell of damage they decode around (a JPEG cut short comes out with its missing
// part grey) only as log messages. While one picture is read, those messages are taken here
// instead of going to the terminal: the decoder names the damage itself. Reads happen on one
// thread at a time (the windows' or rostella-batch's), as the handler is the process's.
class ReaderMessages
{
public:
    ReaderMessages() : m_previous(qInstallMessageHandler(&ReaderMessages::handle))
    {
        s_current = this;
    }
    ~ReaderMessages()
    {
        s_current = nullptr;
        qInstallMessageHandler(m_previous);
    }
    ReaderMessages(const ReaderMessages &) = delete;
    ReaderMessages &operator=(const ReaderMessages &) = delete;

    // The first damage a reader reported, or empty.
    const QString &damage() const { return m_damage; }

private:
    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &text)
    {
        ReaderMessages *self = s_current;
        const bool fromReader =
            context.category && QByteArray(context.category).startsWith("qt.gui.imageio");
        if (!self || !fromReader) {
            if (self && self->m_previous)
                self->m_previous(type, context, text);
            return;
        }
        if (type >= QtWarningMsg && self->m_damage.isEmpty())
            self->m_damage = text;
    }

    static inline ReaderMessages *s_current = nullptr;
    QtMessageHandler m_previous;
    QString m_damage;
};

} // namespace

QImage decodePicture(const QByteArray &bytes, QString *error)
{
    if (bytes.isEmpty())
        return fail(error, QStringLiteral("The picture is empty."));
    if (PcxReader::canRead(bytes))
        return PcxReader::read(bytes, error);

    QBuffer buffer;
    buffer.setData(bytes);
    if (!buffer.open(QIODevice::ReadOnly))
        return fail(error, QStringLiteral("The picture cannot be read."));
    const QByteArray format = QImageReader::imageFormat(&buffer);
    if (format.isEmpty() || !acceptedFormat(format))
        return fail(error, QStringLiteral("The picture is not in a known format."));
    buffer.seek(0);

    QImageReader::setAllocationLimit(PictureAllocationLimitMb);
    QImageReader reader(&buffer, format);
    reader.setDecideFormatFromContent(false);
    QImage image;
    const ReaderMessages messages;
    if (!reader.read(&image) || image.isNull())
        return fail(error,
                    QStringLiteral("The picture cannot be decoded: %1").arg(reader.errorString()));
    // A picture read around damage is not the picture that was stored.
    if (!messages.damage().isEmpty())
        return fail(error, QStringLiteral("The picture is damaged: %1").arg(messages.damage()));
    return image;
}

} // namespace rost
