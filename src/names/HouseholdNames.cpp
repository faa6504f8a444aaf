#include "names/HouseholdNames.h"

#include "directory/Tables.h"

namespace rost {

namespace {

const QString Blank = QStringLiteral(" ");
const QString And = QStringLiteral(" and ");

} // namespace

NameParts NameParts::cut(const QString &title, const QString &firstName, const QString &goesBy,
                         const QString &lastName)
{
    return {title.left(TitleWidth), firstName.left(NameWidth), goesBy.left(NameWidth),
            lastName.left(NameWidth)};
}

QString soughtSpouseStatus(const QString &familyStatus)
{
    if (familyStatus == status::Husband)
        return status::Wife;
    if (familyStatus == status::Wife)
        return status::Husband;
    if (familyStatus == status::Partner)
        return status::Partner;
    return {};
}

QString onePersonLine(NameLine line, const NameParts &own)
{
    switch (line) {
    case NameLine::FormalName:
        return own.FirstName + Blank + own.LastName;
    case NameLine::FormalTitle:
        if (own.Title.isEmpty())
            return onePersonLine(NameLine::FormalName, own);
        return own.Title + Blank + own.FirstName + Blank + own.LastName;
    case NameLine::InformalName:
        return own.GoesBy + Blank + own.LastName;
    case NameLine::InformalTitle:
        if (own.Title.isEmpty())
            return onePersonLine(NameLine::InformalName, own);
        return own.Title + Blank + own.GoesBy + Blank + own.LastName;
    case NameLine::FormalNameAndSpouse:
    case NameLine::FormalNameAndSpouseTitle:
    case NameLine::InformalNameAndSpouse:
    case NameLine::InformalNameAndSpouseTitle:
        break;
    }
    return {};
}

std::array<QString, NameLineCount> coupleLines(const NameParts &own, const QString &familyStatus,
                                               const SpouseParts &spouse)
{
    std::array<QString, NameLineCount> lines;
    const QString formal = own.FirstName + And + spouse.FirstName + Blank + own.LastName;
    const QString informal = own.GoesBy + And + spouse.GoesBy + Blank + own.LastName;
    lines[lineIndex(NameLine::FormalNameAndSpouse)] = formal;
    lines[lineIndex(NameLine::InformalNameAndSpouse)] = informal;
    lines[lineIndex(NameLine::FormalNameAndSpouseTitle)] = formal;
    lines[lineIndex(NameLine::InformalNameAndSpouseTitle)] = informal;

    const bool husband = familyStatus == status::Husband;
    const bool wife = familyStatus == status::Wife;
    if ((husband || wife) && !own.Title.isEmpty() && !spouse.Title.isEmpty()) {
        // The husband's title and name lead whichever of the two the lines are composed for;
        // the last name stays the individual's own.
        const QString &husbandTitle = husband ? own.Title : spouse.Title;
        const QString &wifeTitle = husband ? spouse.Title : own.Title;
        const QString &husbandFirst = husband ? own.FirstName : spouse.FirstName;
        const QString &husbandGoesBy = husband ? own.GoesBy : spouse.GoesBy;
        const QString titles = husbandTitle + And + wifeTitle + Blank;
        lines[lineIndex(NameLine::FormalNameAndSpouseTitle)] =
            titles + husbandFirst + Blank + own.LastName;
        lines[lineIndex(NameLine::InformalNameAndSpouseTitle)] =
            titles + husbandGoesBy + Blank + own.LastName;
    }
    return lines;
}

void composeLines(HouseholdNames &names, const QString &familyStatus)
{
    std::array<QString, NameLineCount> lines;
    if (names.SpouseFound)
        lines = coupleLines(names.Names, familyStatus, names.Spouse);
    for (NameLine line : allNameLines()) {
        if (!isCoupleLine(line))
            lines[lineIndex(line)] = onePersonLine(line, names.Names);
    }
    names.Lines = lines;
}

} // namespace rost
