#pragma once

#include <QString>

namespace rost {

// The error classes a failed member is reported with; the numbers are the ones users and the
// membership office have always seen in the warning.
enum class FailureClass : int {
    ZipReader = 0,    // code: libzip's own error code (ZIP_ER_*)
    InputOutput = 1,  // code: the system's error number (errno)
    Stream = 2,       // code 0: the member's data are not what its header declares
    CannotCreate = 3, // code 0: the file cannot be created or put in place under that name
    CannotOpen = 4,   // code 0: a table file that the engine refuses to open
    Other = 6,        // code 0
};

// One archive member that was not written. The file of its name in the data folder, if any, is
// left exactly as it was.
struct MemberFailure
{
    QString storedName; // the member's name as stored in the archive, folders included
    FailureClass errorClass = FailureClass::Other;
    int errorCode = 0;
    QString readerText; // ZipReader only: libzip's own text, shown in a second message box
    QString reason;     // what went wrong, in plain words, for logs and the batch tool
    // A table file the engine refused: why, in a few words ("the file is damaged"), and what
    // the directory holds instead ("The directory keeps its previous RostFamilies table.").
    QString refusal;
    QString kept;
};

// The warning shown for a failed member: "Can't open " + stored name + CR + "Error Code : " +
// code in decimal. Lines are broken by a lone carriage return.
QString memberWarningText(const QString &storedName, int errorCode);
// The same, followed for a refused table file by "Reason: " + the refusal and the line saying
// which table the directory keeps; every other failure shows the warning alone.
QString memberWarningText(const MemberFailure &failure);

} // namespace rost
