#pragma once

#include "directory/RostError.h"

namespace rost {

// An error of the table engine: a code and a text for the user. Codes below 1000 are SQLite's
// result codes; the engine's own start at 7000.
class EngineError : public RostError
{
public:
    enum Code {
        TableNotFound = 7001,
        NotATable = 7002,
        DamagedTable = 7003,
        MissingField = 7004,
        IndexNotFound = 7005,
        NotConnected = 7006,
        Connected = 7007,
        NoCurrentRow = 7008,
        BadValue = 7009,
        BadFilter = 7010,
        NotOpen = 7011,
        NotEditing = 7012,
        RowLimit = 7013,
        TimeLimit = 7014,
    };

    EngineError(int code, const QString &text) : RostError(text), m_code(code) {}
    int code() const { return m_code; }

private:
    int m_code;
};

} // namespace rost
