#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace rost {

struct CsvRecord
{
    int line = 0; // the line of the file on which the record starts, from 1
    QStringList fields;
};

struct CsvParse
{
    std::vector<CsvRecord> records;
    // Empty when the whole text was read; otherwise why reading stopped, at errorLine.
    QString error;
    int errorLine = 0;
};

// Reads comma-separated values as RFC 4180 has them: fields in double quotes may hold commas,
// line breaks and doubled quotes; records end with CR LF or LF. The bytes must be UTF-8 (a byte
// order mark is skipped). Lines holding nothing at all are skipped.
CsvParse parseCsv(const QByteArray &bytes);

} // namespace rost
