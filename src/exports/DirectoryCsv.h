#pragma once

#include "exports/Contact.h"

namespace rost {

// The two shapes of the directory as CSV: one row per individual with the household's fields, or
// one row per household.
enum class CsvRows { People, Households };

struct DirectoryCsvOptions
{
    CsvRows rows = CsvRows::People;
    // A byte-order mark first, for the spreadsheets that take UTF-8 only with one.
    bool byteOrderMark = false;
};

// The whole directory as CSV (RFC 4180: a header row of field names, CRLF, every cell through
// csvField, so that no cell runs as a formula; UTF-8), a few rows at a time to the sink. People
// come in LAST NAME AND GOES BY ORDER, households in FAMILY NAME ORDER without the family
// numbered 0. Returns the number of rows after the header.
int writeDirectoryCsv(RostConnection &connection, const DirectoryCsvOptions &options,
                      const ByteSink &sink, const ExportProgress &progress = {});

} // namespace rost
