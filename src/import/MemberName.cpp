#include "import/MemberName.h"

#include <QStringList>

namespace rost {

namespace {

// Longest file name, in bytes of its on-disk encoding, that the common file systems accept.
constexpr qsizetype MaxNameBytes = 255;

bool isSeparator(QChar c)
{
    return c == QLatin1Char('/') || c == QLatin1Char('\\');
}

bool isDeviceName(const QString &bare)
{
    // Windows opens the device, whatever the extension: "NUL.adt" is NUL.
    const QString stem = bare.section(QLatin1Char('.'), 0, 0).trimmed().toUpper();
    static const QStringList fixed{QStringLiteral("CON"),    QStringLiteral("PRN"),
                                   QStringLiteral("AUX"),    QStringLiteral("NUL"),
                                   QStringLiteral("CONIN$"), QStringLiteral("CONOUT$")};
    if (fixed.contains(stem))
        return true;
    return stem.size() == 4 &&
           (stem.startsWith(QLatin1String("COM")) || stem.startsWith(QLatin1String("LPT"))) &&
           stem.at(3) >= QLatin1Char('1') && stem.at(3) <= QLatin1Char('9');
}

} // namespace

MemberName::MemberName(const QString &stored) : m_stored(stored)
{
    qsizetype end = stored.size();
    m_folder = end > 0 && isSeparator(stored.at(end - 1));
    qsizetype start = end;
    while (start > 0 && !isSeparator(stored.at(start - 1)))
        --start;
    m_bare = stored.mid(start, end - start);
}

QString MemberName::refusal() const
{
    if (m_bare.isEmpty())
        return QStringLiteral("the member has no file name");
    if (m_bare == QLatin1String(".") || m_bare == QLatin1String(".."))
        return QStringLiteral("\"%1\" is not a file name").arg(m_bare);
    for (const QChar c : m_bare) {
        if (c.category() == QChar::Other_Control)
            return QStringLiteral("the name holds a control character");
        if (QStringLiteral("<>:\"|?*").contains(c))
            return QStringLiteral("the name holds the character %1, which no file name may hold")
                .arg(c);
    }
    if (m_bare.endsWith(QLatin1Char('.')) || m_bare.endsWith(QLatin1Char(' ')))
        return QStringLiteral("the name ends in a dot or a blank");
    if (isDeviceName(m_bare))
        return QStringLiteral("\"%1\" is the name of a device").arg(m_bare);
    if (m_bare.toUtf8().size() > MaxNameBytes)
        return QStringLiteral("the name is longer than %1 bytes").arg(MaxNameBytes);
    if (m_bare.startsWith(QLatin1String(".rostella"), Qt::CaseInsensitive))
        return QStringLiteral("names beginning with .rostella are kept for Rostella's own files");
    for (const char *suffix : {"-journal", "-wal", "-shm"})
        if (m_bare.endsWith(QLatin1String(suffix), Qt::CaseInsensitive))
            return QStringLiteral("an SQLite journal is never imported: it would be replayed "
                                  "into the table file of its name");
    return {};
}

bool MemberName::isTableFile() const
{
    return m_bare.endsWith(QLatin1String(".adt"), Qt::CaseInsensitive);
}

} // namespace rost
