#include "BenchData.h"

#include "directory/DataFolder.h"
#include "directory/TableWriter.h"
#include "directory/Tables.h"

#include <QDir>
#include <QFileInfo>

#include <array>

namespace rost::bench {

namespace {

struct Rng
{
    quint64 state;
    quint64 next()
    {
        quint64 z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int below(int n) { return int(next() % quint64(n)); }
};

const std::array<const char *, 24> lastNames{
    "Smith",  "Johnson",  "Williams", "Brown",  "Jones", "Garcia", "Miller",  "Davis",
    "Wilson", "Anderson", "Taylor",   "Thomas", "Moore", "Martin", "Jackson", "White",
    "Harris", "Clark",    "Lewis",    "Walker", "Young", "Allen",  "King",    "Wright"};
const std::array<const char *, 16> firstNames{
    "James", "Mary",  "John", "Patricia", "Robert", "Linda", "Michael", "Barbara",
    "David", "Susan", "Paul", "Karen",    "Mark",   "Nancy", "Steven",  "Lisa"};

} // namespace

QString benchDirectory(int individuals)
{
    const QString folder =
        QDir::temp().filePath(QStringLiteral("rostella-bench-v1-%1").arg(individuals));
    if (QFileInfo::exists(DataFolder::join(folder, tbl::Families)))
        return folder;
    QDir().mkpath(folder);
    Rng rng{quint64(individuals)};
    TableWriter fam(DataFolder::join(folder, tbl::Families), familiesTable());
    TableWriter ind(DataFolder::join(folder, tbl::Individuals), individualsTable());
    TableWriter off(DataFolder::join(folder, tbl::Offices), officesTable());
    int indiv = 0;
    int familyId = 0;
    while (indiv < individuals && familyId < 32767) {
        ++familyId;
        const QString last =
            QString::fromLatin1(lastNames[size_t(rng.below(24))]) + QString::number(rng.below(400));
        fam.insert({{fld::FamilyIdNum, familyId},
                    {fld::FamilyName, last},
                    {fld::VorelName, last + QLatin1String(" Family")},
                    {fld::Address1, QStringLiteral("%1 Main St").arg(familyId)},
                    {fld::City, QStringLiteral("Springfield")},
                    {fld::State, QStringLiteral("IL")},
                    {fld::Zip, QStringLiteral("62701")},
                    {fld::HomePhone, QStringLiteral("555-%1").arg(familyId)}});
        const int members = 1 + rng.below(5);
        for (int rank = 1; rank <= members && indiv < individuals; ++rank) {
            ++indiv;
            const QString first = QString::fromLatin1(firstNames[size_t(rng.below(16))]);
            ind.insert(
                {{fld::IndivIdNum, indiv},
                 {fld::FamilyIdNum, familyId},
                 {fld::FamilyRankOrder, rank},
                 {fld::FirstName, first},
                 {fld::GoesBy, first},
                 {fld::LastName, last},
                 {fld::FamilyStatus, rank == 1 ? QStringLiteral("Husband")
                                               : (rank == 2 ? QStringLiteral("Wife")
                                                            : QStringLiteral("Minor Child"))}});
            if (rng.below(4) == 0)
                off.insert({{fld::IndivIdNum, indiv},
                            {fld::Office, QStringLiteral("Office %1").arg(rng.below(20))}});
        }
    }
    fam.commit();
    ind.commit();
    off.commit();
    TableWriter setup(DataFolder::join(folder, tbl::Setup), setupTable());
    setup.insert({{fld::UseOffices, true}});
    setup.commit();
    return folder;
}

} // namespace rost::bench
