#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

namespace rost {

// One font of the envelope layout.
struct EnvelopeFont
{
    enum StyleBit : quint8 { Bold = 0x01, Italic = 0x02, Underline = 0x04, StrikeOut = 0x08 };
    static constexpr qsizetype NameCapacity = 40;
    static constexpr qsizetype RecordSize = 52;

    QString Name;
    qint32 Size = 0; // points
    quint8 Style = 0;

    bool operator==(const EnvelopeFont &) const = default;
};

// The envelope layout. Positions are inches from the top-left corner of the sheet.
class EnvelopeLayout
{
public:
    static constexpr qsizetype RecordSize = 464;
    static constexpr qsizetype Reserved1Capacity = 255;
    static constexpr char FileName[] = "EnvelopeDefinition.QMR";
    static constexpr double PageLimit = 17;
    static constexpr qint32 MaxFontSize = 144;

    enum Feed : quint8 { FeedLeft = 0, FeedCenter = 1, FeedRight = 2 };
    enum Orient : quint8 { Portrait = 0, Landscape = 1 };

    explicit EnvelopeLayout(const QString &dataFolder = QString());

    void setFolder(const QString &dataFolder) { m_folder = dataFolder; }
    QString folder() const { return m_folder; }
    QString filePath() const;

    // As Preferences::Load, resetting with SetDefaults. A position that is not a finite number
    // from 0 to PageLimit inches, or a font size outside 1 to MaxFontSize points, would print an
    // envelope without its text: it takes its default, in memory only, and a warning naming the
    // field says so.
    [[nodiscard]] QStringList Load();
    void Save();
    // Every field to its default (the Center preset, Times New Roman 12), then saves.
    void SetDefaults();

    QByteArray toRecord() const;
    bool fromRecord(QByteArrayView bytes);

    // Reserved fields are kept only to be written back as they were read.
    QString Reserved1;
    quint8 FeedPosition = 0; // may hold any byte value when the file came from elsewhere
    quint8 Orientation = 0;
    bool PrintRetAdd = false;
    qint32 Reserved2 = 0;
    quint8 Reserved3 = 0;
    double RetTop = 0;
    double RetLeft = 0;
    EnvelopeFont RetNameFont;
    EnvelopeFont RetAddFont;
    double DelTop = 0;
    double DelLeft = 0;
    EnvelopeFont DelFont;

private:
    QString m_folder;
};

} // namespace rost
