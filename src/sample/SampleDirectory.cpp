#include "sample/SampleDirectory.h"

#include "directory/EngineError.h"
#include "directory/TableCheck.h"
#include "directory/TableWriter.h"
#include "directory/Tables.h"
#include "sample/SampleError.h"
#include "sample/SampleHouseholds.h"
#include "sample/SamplePictures.h"
#include "sample/ZipWriter.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

namespace rost {

namespace {

void writeFamilies(const QString &path, const SampleData &data)
{
    TableWriter w(path, familiesTable());
    for (const SampleFamily &f : data.families) {
        QHash<QString, QVariant> row{
            {fld::FamilyIdNum, f.id},      {fld::FamilyName, f.familyName},
            {fld::VorelName, f.vorelName}, {fld::Address1, f.address1},
            {fld::Address2, f.address2},   {fld::City, f.city},
            {fld::State, f.state},         {fld::Zip, f.zip},
            {fld::Country, f.country},     {fld::IntlAddress, f.intlAddress},
            {fld::HomePhone, f.homePhone}};
        if (f.picture != SamplePicture::None)
            row.insert(
                fld::FamilyPicture,
                encodeSamplePicture(drawSamplePicture(f.id, int(f.members.size())), f.picture));
        w.insert(row);
    }
    w.commit();
}

void writeIndividuals(const QString &path, const SampleData &data)
{
    TableWriter w(path, individualsTable());
    for (const SampleFamily &f : data.families) {
        for (const int m : f.fileOrder) {
            const SamplePerson &p = f.members[size_t(m)];
            w.insert({{fld::IndivIdNum, p.indivId},
                      {fld::FamilyIdNum, f.id},
                      {fld::FamilyRankOrder, p.rank},
                      {fld::Title, p.title},
                      {fld::GoesBy, p.goesBy},
                      {fld::FirstName, p.first},
                      {fld::MiddleName, p.middle},
                      {fld::LastName, p.last},
                      {fld::Suffix, p.suffix},
                      {fld::EMailAddress, p.email},
                      {fld::FamilyStatus, p.status},
                      {fld::WorkPhone, p.workPhone},
                      {fld::Fax, p.fax},
                      {fld::Cell, p.cell},
                      {fld::Pager, p.pager},
                      {fld::OtherPhoneLabel, p.otherPhoneLabel},
                      {fld::OtherPhone, p.otherPhone}});
        }
    }
    w.commit();
}

void writeSetup(const QString &path)
{
    TableWriter w(path, setupTable());
    w.insert({{fld::UseOffices, true},
              {fld::UseTalents, true},
              {fld::UseActivities, true},
              {fld::UseUser1, true},
              {fld::UseUser2, true},
              {fld::User1Name, QStringLiteral("Choir")},
              {fld::User2Name, QStringLiteral("Committees")}});
    w.commit();
}

void writeList(const QString &path, const TableDef &def, const std::vector<SampleListEntry> &rows)
{
    // The item is the third field of every list table.
    const QString itemField = def.fields.at(2).name;
    TableWriter w(path, def);
    for (const SampleListEntry &e : rows)
        w.insert({{fld::IndivIdNum, e.indivId}, {itemField, e.item}});
    w.commit();
}

// Writes the eight table files into folder and returns their paths.
QStringList writeTables(const QString &folder, const SampleData &data)
{
    const auto path = [&folder](const TableDef &def) { return QDir(folder).filePath(def.file); };
    writeFamilies(path(familiesTable()), data);
    writeIndividuals(path(individualsTable()), data);
    writeSetup(path(setupTable()));
    const TableDef *lists[ListCount] = {&officesTable(), &talentsTable(), &activitiesTable(),
                                        &user1Table(), &user2Table()};
    for (int i = 0; i < ListCount; ++i)
        writeList(path(*lists[i]), *lists[i], data.lists[size_t(i)]);
    QStringList files;
    for (const TableDef *def : allTables())
        files << path(*def);
    return files;
}

} // namespace

void writeSampleDirectory(const QString &dir, const SampleOptions &options)
{
    const SampleData data = makeSampleData(options); // refuses bad sizes before any file exists
    if (!QDir().mkpath(dir))
        throw SampleError(QStringLiteral("Cannot create the folder %1.").arg(dir));
    // The tables are built beside their final place, so that moving them in is a rename.
    QTemporaryDir staging(QDir(dir).filePath(QStringLiteral(".rost-sample-XXXXXX")));
    if (!staging.isValid())
        throw SampleError(
            QStringLiteral("Cannot write in the folder %1: %2").arg(dir, staging.errorString()));
    QStringList files;
    try {
        files = writeTables(staging.path(), data);
    } catch (const EngineError &e) {
        throw SampleError(e.text());
    }
    if (options.zip) {
        // A fixed time keeps archives of the same sample identical.
        writeZip(QDir(dir).filePath(QStringLiteral("RostData.zip")), files,
                 QDateTime(QDate(2006, 3, 1), QTime(12, 0), Qt::UTC));
        return;
    }
    QStringList names;
    for (const QString &file : files) {
        // Checked whole as any table entering a data folder is; the note spares the next open.
        if (const TableCheck check = checkTableFile(file); !check.sound())
            throw SampleError(check.message);
        names << QFileInfo(file).fileName();
    }
    for (const QString &file : files)
        replaceFile(file, QDir(dir).filePath(QFileInfo(file).fileName()));
    recordCheckedTables(dir, names);
}

} // namespace rost
