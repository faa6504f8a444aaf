#include "names/NameLine.h"

namespace rost {

namespace {

constexpr const char *LineNames[NameLineCount] = {
    "FormalName",   "FormalTitle",   "FormalNameAndSpouse",   "FormalNameAndSpouseTitle",
    "InformalName", "InformalTitle", "InformalNameAndSpouse", "InformalNameAndSpouseTitle",
};

} // namespace

const std::array<NameLine, NameLineCount> &allNameLines()
{
    static constexpr std::array<NameLine, NameLineCount> all{
        NameLine::FormalName,
        NameLine::FormalTitle,
        NameLine::FormalNameAndSpouse,
        NameLine::FormalNameAndSpouseTitle,
        NameLine::InformalName,
        NameLine::InformalTitle,
        NameLine::InformalNameAndSpouse,
        NameLine::InformalNameAndSpouseTitle,
    };
    return all;
}

QString nameLineName(NameLine line)
{
    return QLatin1String(LineNames[lineIndex(line)]);
}

std::optional<NameLine> nameLineFromName(const QString &name)
{
    for (NameLine line : allNameLines()) {
        if (name == QLatin1String(LineNames[lineIndex(line)]))
            return line;
    }
    return std::nullopt;
}

bool isCoupleLine(NameLine line)
{
    switch (line) {
    case NameLine::FormalNameAndSpouse:
    case NameLine::FormalNameAndSpouseTitle:
    case NameLine::InformalNameAndSpouse:
    case NameLine::InformalNameAndSpouseTitle:
        return true;
    case NameLine::FormalName:
    case NameLine::FormalTitle:
    case NameLine::InformalName:
    case NameLine::InformalTitle:
        break;
    }
    return false;
}

NameLine onePersonFallback(NameLine line)
{
    switch (line) {
    case NameLine::FormalNameAndSpouse:
        return NameLine::FormalName;
    case NameLine::FormalNameAndSpouseTitle:
        return NameLine::FormalTitle;
    case NameLine::InformalNameAndSpouse:
        return NameLine::InformalName;
    case NameLine::InformalNameAndSpouseTitle:
        return NameLine::InformalTitle;
    case NameLine::FormalName:
    case NameLine::FormalTitle:
    case NameLine::InformalName:
    case NameLine::InformalTitle:
        break;
    }
    return line;
}

NameLine coupleOf(NameLine line)
{
    switch (line) {
    case NameLine::FormalName:
        return NameLine::FormalNameAndSpouse;
    case NameLine::FormalTitle:
        return NameLine::FormalNameAndSpouseTitle;
    case NameLine::InformalName:
        return NameLine::InformalNameAndSpouse;
    case NameLine::InformalTitle:
        return NameLine::InformalNameAndSpouseTitle;
    case NameLine::FormalNameAndSpouse:
    case NameLine::FormalNameAndSpouseTitle:
    case NameLine::InformalNameAndSpouse:
    case NameLine::InformalNameAndSpouseTitle:
        break;
    }
    return line;
}

} // namespace rost
