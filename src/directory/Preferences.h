#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace rost {

// The return address.
class Preferences
{
public:
    static constexpr qsizetype RecordSize = 164;
    static constexpr qsizetype LineCapacity = 40;
    static constexpr char FileName[] = "RostPrefs.QMR";

    explicit Preferences(const QString &dataFolder = QString());

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

} // namespace rost
