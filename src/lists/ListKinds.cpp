#include "lists/ListKinds.h"

#include "directory/Statement.h"
#include "directory/Tables.h"

namespace rost {

namespace {

// The item column as the statements write it: plain when it is one word, quoted otherwise.
QString sqlColumn(ListKind kind)
{
    switch (kind) {
    case ListKind::Offices:
    case ListKind::Talents:
    case ListKind::Activities:
        return kindItemField(kind);
    case ListKind::User1:
    case ListKind::User2:
        return QLatin1Char('"') + kindItemField(kind) + QLatin1Char('"');
    }
    return {};
}

QString sqlTable(ListKind kind)
{
    QString file = kindTableFile(kind);
    file.chop(4); // ".adt"
    return file;
}

// User list names are held to 20 characters wherever they title a column.
constexpr qsizetype UserListNameWidth = 20;

} // namespace

const std::array<ListKind, ListKindCount> &allListKinds()
{
    static const std::array<ListKind, ListKindCount> all{ListKind::Offices, ListKind::Talents,
                                                         ListKind::Activities, ListKind::User1,
                                                         ListKind::User2};
    return all;
}

bool kindInUse(ListKind kind, const DirectorySetup &setup)
{
    switch (kind) {
    case ListKind::Offices:
        return setup.UseOffices;
    case ListKind::Talents:
        return setup.UseTalents;
    case ListKind::Activities:
        return setup.UseActivities;
    case ListKind::User1:
        return setup.UseUser1;
    case ListKind::User2:
        return setup.UseUser2;
    }
    return false;
}

QString kindCaption(ListKind kind, const DirectorySetup &setup)
{
    switch (kind) {
    case ListKind::Offices:
        return QStringLiteral("Church Offices");
    case ListKind::Talents:
        return QStringLiteral("Talents");
    case ListKind::Activities:
        return QStringLiteral("Activities");
    case ListKind::User1:
        return setup.User1Name.left(20);
    case ListKind::User2:
        return setup.User2Name.left(20);
    }
    return {};
}

QString kindTableFile(ListKind kind)
{
    switch (kind) {
    case ListKind::Offices:
        return tbl::Offices;
    case ListKind::Talents:
        return tbl::Talents;
    case ListKind::Activities:
        return tbl::Activities;
    case ListKind::User1:
        return tbl::User1;
    case ListKind::User2:
        return tbl::User2;
    }
    return {};
}

QString kindItemField(ListKind kind)
{
    switch (kind) {
    case ListKind::Offices:
        return fld::Office;
    case ListKind::Talents:
        return fld::Talent;
    case ListKind::Activities:
        return fld::Activity;
    case ListKind::User1:
        return fld::User1Item;
    case ListKind::User2:
        return fld::User2Item;
    }
    return {};
}

QString itemStatement(ListKind kind)
{
    const QString column = sqlColumn(kind);
    return QStringLiteral("Select Distinct %1 from %2 Order by %1").arg(column, sqlTable(kind));
}

QString peoplePrefix(ListKind kind)
{
    const QString column = sqlColumn(kind);
    const QString table = sqlTable(kind);
    return QStringLiteral("Select \"Last Name\", \"First Name\", RostIndividuals.\"Indiv ID Num\", "
                          "\"EMail Address\", RostFamilies.\"Family ID NUm\", \"Home Phone\", "
                          "RostFamilies.\"Family ID Num\", %1 from RostIndividuals, RostFamilies, "
                          "%2 where (RostIndividuals.\"Indiv ID Num\" = %2.\"Indiv ID Num\") and "
                          "(RostIndividuals.\"Family ID Num\" = RostFamilies.\"Family ID Num\") "
                          "and (%2.%1 = ")
        .arg(column, table);
}

QString peopleStatement(ListKind kind, const QString &item)
{
    return peoplePrefix(kind) + quoteLiteral(item) +
           QLatin1String(") Order by \"Last Name\", \"First Name\"");
}

QString kindColumnTitle(ListKind kind, const DirectorySetup &setup)
{
    switch (kind) {
    case ListKind::Offices:
        return QStringLiteral("Offices");
    case ListKind::Talents:
        return QStringLiteral("Talents");
    case ListKind::Activities:
        return QStringLiteral("Activities");
    case ListKind::User1:
    case ListKind::User2:
        return kindCaption(kind, setup).left(UserListNameWidth);
    }
    return {};
}

std::vector<OfferedKind> offeredKinds(const DirectorySetup &setup)
{
    std::vector<OfferedKind> offered;
    for (ListKind kind : allListKinds())
        if (kindInUse(kind, setup))
            offered.push_back({kind, kindCaption(kind, setup)});
    return offered;
}

QStringList offeredCaptions(const std::vector<OfferedKind> &offered)
{
    QStringList captions;
    for (const OfferedKind &k : offered)
        captions << k.caption;
    return captions;
}

std::vector<ListKind> kindsMatching(const std::vector<OfferedKind> &offered, const QString &text)
{
    std::vector<ListKind> matches;
    for (const OfferedKind &k : offered)
        if (k.caption == text)
            matches.push_back(k.kind);
    return matches;
}

} // namespace rost
