#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The program's two settings records, RostPrefs.QMR (return address) and EnvelopeDefinition.QMR
// (envelope layout). Both are fixed-size little-endian records with no header that older
// installations already hold, so the byte layout must not change. Texts are a length byte
// followed by Windows-1252 characters.
namespace rost {

// Windows-1252 text of at most `capacity` characters: one byte per character, characters the
// code page lacks become '?'. Bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D (undefined in the code page)
// map to and from U+0081 etc., as Windows does, so any byte string survives a round trip.
QByteArray toWindows1252(QStringView text, qsizetype capacity);
QString fromWindows1252(QByteArrayView bytes);

// Joins a folder and a bare file name with exactly one separator ("/" + name stays "/name").
QString settingsPath(const QString &folder, const QString &fileName);

// The return address.
class TPreferences
{
public:
    static constexpr qsizetype RecordSize = 164;
    static constexpr qsizetype LineCapacity = 40;
    static constexpr char FileName[] = "RostPrefs.QMR";

    explicit TPreferences(const QString &dataFolder = QString());

    void setFolder(const QString &dataFolder) { m_folder = dataFolder; }
    QString folder() const { return m_folder; }
    QString filePath() const;

    // Reads the record from the file; a missing, unreadable or short file resets the lines and
    // writes the file anew (Clear). Throws IoError only when that write fails.
    void Load();
    // Writes the whole record through a temporary file; throws IoError on failure, leaving the
    // old file as it was and the lines in memory as they are.
    void Save();
    // Empties the four lines, then saves.
    void Clear();

    // The record's bytes; lines are cut to 40 characters.
    QByteArray toRecord() const;
    // Takes the first record of `bytes`; false (and nothing changed) when fewer bytes.
    bool fromRecord(QByteArrayView bytes);

    QString RetAddLine1; // return name line
    QString RetAddLine2;
    QString RetAddLine3;
    QString RetAddLine4;

private:
    QString m_folder;
};

// One font of the envelope layout.
struct TEnvFont
{
    enum StyleBit : quint8 { Bold = 0x01, Italic = 0x02, Underline = 0x04, StrikeOut = 0x08 };
    static constexpr qsizetype NameCapacity = 40;
    static constexpr qsizetype RecordSize = 52;

    QString Name;
    qint32 Size = 0; // points
    quint8 Style = 0;

    bool operator==(const TEnvFont &) const = default;
};

// The envelope layout. Positions are inches from the top-left corner of the sheet.
class tEnvDef
{
public:
    static constexpr qsizetype RecordSize = 464;
    static constexpr qsizetype Reserved1Capacity = 255;
    static constexpr char FileName[] = "EnvelopeDefinition.QMR";

    enum Feed : quint8 { FeedLeft = 0, FeedCenter = 1, FeedRight = 2 };
    enum Orient : quint8 { Portrait = 0, Landscape = 1 };

    explicit tEnvDef(const QString &dataFolder = QString());

    void setFolder(const QString &dataFolder) { m_folder = dataFolder; }
    QString folder() const { return m_folder; }
    QString filePath() const;

    // As TPreferences::Load, resetting with SetDefaults.
    void Load();
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
    TEnvFont RetNameFont;
    TEnvFont RetAddFont;
    double DelTop = 0;
    double DelLeft = 0;
    TEnvFont DelFont;

private:
    QString m_folder;
};

} // namespace rost
