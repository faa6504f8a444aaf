#include "HostileCorpus.h"

#include "ArchiveBuilder.h"
#include "TestFolder.h"
#include "directory/Tables.h"
#include "import/MemberName.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

#include <array>
#include <stdexcept>

namespace rost::test {

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read a corpus file");
    return f.readAll();
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write a corpus file");
}

quint32 crc32Of(const QByteArray &data)
{
    static const std::array<quint32, 256> table = [] {
        std::array<quint32, 256> t{};
        for (quint32 i = 0; i < 256; ++i) {
            quint32 c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    quint32 crc = 0xFFFFFFFFu;
    for (const char ch : data)
        crc = table[(crc ^ static_cast<quint8>(ch)) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

// Stored (uncompressed) members written byte by byte, for what libzip will not write: names
// with a NUL, checks and sizes that lie, zip64 records, tens of thousands of members.
struct RawMember
{
    QByteArray name;
    QByteArray data;
    quint32 crcXor = 0;       // a non-zero value spoils the recorded CRC
    qint64 declaredSize = -1; // the size both headers claim; -1 the true one
};

class RawZip
{
public:
    explicit RawZip(bool zip64 = false) : m_zip64(zip64) {}
    RawZip &add(RawMember m)
    {
        m_members.push_back(std::move(m));
        return *this;
    }
    QByteArray bytes() const
    {
        QByteArray out;
        QByteArray central;
        for (const RawMember &m : m_members) {
            const quint32 crc = crc32Of(m.data) ^ m.crcXor;
            const quint64 size =
                m.declaredSize < 0 ? quint64(m.data.size()) : quint64(m.declaredSize);
            const quint64 offset = quint64(out.size());
            QByteArray localExtra;
            QByteArray centralExtra;
            if (m_zip64) {
                put16(localExtra, 1);
                put16(localExtra, 16);
                put64(localExtra, size);
                put64(localExtra, size);
                put16(centralExtra, 1);
                put16(centralExtra, 24);
                put64(centralExtra, size);
                put64(centralExtra, size);
                put64(centralExtra, offset);
            }
            const quint32 size32 = m_zip64 ? 0xFFFFFFFFu : quint32(size);
            const quint16 version = m_zip64 ? 45 : 20;
            put32(out, 0x04034b50);
            put16(out, version);
            put16(out, 0);
            put16(out, 0);
            put32(out, 0x21000000); // 1996-08-01 00:00
            put32(out, crc);
            put32(out, size32);
            put32(out, size32);
            put16(out, quint16(m.name.size()));
            put16(out, quint16(localExtra.size()));
            out += m.name + localExtra + m.data;

            put32(central, 0x02014b50);
            put16(central, 0x0300 | version);
            put16(central, version);
            put16(central, 0);
            put16(central, 0);
            put32(central, 0x21000000);
            put32(central, crc);
            put32(central, size32);
            put32(central, size32);
            put16(central, quint16(m.name.size()));
            put16(central, quint16(centralExtra.size()));
            put16(central, 0);
            put16(central, 0);
            put16(central, 0);
            put32(central, 0100644u << 16);
            put32(central, m_zip64 ? 0xFFFFFFFFu : quint32(offset));
            central += m.name + centralExtra;
        }
        const quint64 centralAt = quint64(out.size());
        out += central;
        const quint64 count = m_members.size();
        if (m_zip64) {
            const quint64 recordAt = quint64(out.size());
            put32(out, 0x06064b50);
            put64(out, 44);
            put16(out, 45);
            put16(out, 45);
            put32(out, 0);
            put32(out, 0);
            put64(out, count);
            put64(out, count);
            put64(out, quint64(central.size()));
            put64(out, centralAt);
            put32(out, 0x07064b50);
            put32(out, 0);
            put64(out, recordAt);
            put32(out, 1);
        }
        put32(out, 0x06054b50);
        put16(out, 0);
        put16(out, 0);
        put16(out, m_zip64 ? 0xFFFF : quint16(count));
        put16(out, m_zip64 ? 0xFFFF : quint16(count));
        put32(out, m_zip64 ? 0xFFFFFFFFu : quint32(central.size()));
        put32(out, m_zip64 ? 0xFFFFFFFFu : quint32(centralAt));
        put16(out, 0);
        return out;
    }

private:
    static void put16(QByteArray &b, quint16 v)
    {
        b += QByteArray(2, 0), qToLittleEndian(v, b.data() + b.size() - 2);
    }
    static void put32(QByteArray &b, quint32 v)
    {
        b += QByteArray(4, 0), qToLittleEndian(v, b.data() + b.size() - 4);
    }
    static void put64(QByteArray &b, quint64 v)
    {
        b += QByteArray(8, 0), qToLittleEndian(v, b.data() + b.size() - 8);
    }

    bool m_zip64;
    std::vector<RawMember> m_members;
};

class Corpus
{
public:
    Corpus(const QString &folder, const QString &outside, const QMap<QString, QByteArray> &tables)
        : m_folder(folder), m_outside(outside), m_tables(tables)
    {
        if (!QDir().mkpath(m_folder + QStringLiteral("/scratch")))
            throw std::runtime_error("cannot make the corpus folder");
    }

    std::vector<HostileArchive> cases;

    QString path(const QString &name) const
    {
        QString file = name;
        for (QChar &c : file)
            if (!c.isLetterOrNumber())
                c = QLatin1Char('-');
        return m_folder + QLatin1Char('/') + QString::number(cases.size()) + QLatin1Char('-') +
               file + QStringLiteral(".zip");
    }

    // The sound directory plus `extra`, stored raw.
    RawZip soundWith(const std::vector<RawMember> &extra, bool zip64 = false) const
    {
        RawZip zip(zip64);
        for (auto it = m_tables.cbegin(); it != m_tables.cend(); ++it)
            zip.add({it.key().toUtf8(), it.value()});
        for (const RawMember &m : extra)
            zip.add(m);
        return zip;
    }

    // The sound directory with the table `file` replaced by `bytes` (or added under `file`).
    RawZip with(const QString &file, const QByteArray &bytes) const
    {
        RawZip zip;
        for (auto it = m_tables.cbegin(); it != m_tables.cend(); ++it)
            if (it.key().compare(file, Qt::CaseInsensitive) != 0)
                zip.add({it.key().toUtf8(), it.value()});
        zip.add({file.toUtf8(), bytes});
        return zip;
    }

    // A sound table file altered by SQL.
    QByteArray altered(const QString &file, const QString &sql)
    {
        const QString scratch =
            m_folder + QStringLiteral("/scratch/%1-%2").arg(++m_scratch).arg(file);
        writeAll(scratch, m_tables.value(file));
        runSqlOn(scratch, sql);
        return readAll(scratch);
    }

    void refused(const QString &name, const QByteArray &bytes, std::vector<int> exits,
                 const QString &said)
    {
        const QString p = path(name);
        writeAll(p, bytes);
        cases.push_back({name, p, Afterwards::Old, {}, std::move(exits), said});
    }

    void tableRefused(const QString &name, const QString &file, const QByteArray &bytes)
    {
        refused(name, with(file, bytes).bytes(), {1}, file);
    }

    // The sound directory goes in; `extra` members decide the exit code and message.
    void accepted(const QString &name, const QByteArray &bytes, int exit, const QString &said)
    {
        const QString p = path(name);
        writeAll(p, bytes);
        cases.push_back({name, p, Afterwards::New, m_tables, {exit}, said});
    }

    // One more member beside the sound directory, under a name that may try to leave the data
    // folder; the member name rules decide whether it is written (under its bare name) or
    // refused, and either way the tables go in.
    void namedMember(const QString &name, const QByteArray &stored)
    {
        const MemberName member(QString::fromUtf8(stored));
        // Folder entries with a bad name are refused as files are; a NUL is refused by the import.
        const bool refusedName = !member.refusal().isEmpty() || stored.contains('\0');
        accepted(name, soundWith({{stored, "hostile"}}).bytes(), refusedName ? 1 : 0,
                 refusedName ? QString::fromUtf8(stored).left(1) : QString());
    }

    // A libzip archive of the sound tables deflated, plus what `extend` adds; `patch` then edits
    // the written file.
    template <typename Extend, typename Patch = void (*)(const QString &)>
    QByteArray built(
        Extend extend, Patch patch = [](const QString &) {})
    {
        const QString p = m_folder + QStringLiteral("/scratch/%1.zip").arg(++m_scratch);
        ArchiveBuilder builder(p);
        for (auto it = m_tables.cbegin(); it != m_tables.cend(); ++it)
            builder.add(it.key(), it.value());
        extend(builder);
        builder.write();
        patch(p);
        return readAll(p);
    }

    const QString &outside() const { return m_outside; }
    const QMap<QString, QByteArray> &tables() const { return m_tables; }

private:
    QString m_folder;
    QString m_outside;
    QMap<QString, QByteArray> m_tables;
    int m_scratch = 0;
};

void names(Corpus &c)
{
    const QByteArray outside = QFile::encodeName(c.outside());
    const std::vector<std::pair<const char *, QByteArray>> list{
        {"parent", "../escaped.txt"},
        {"grandparent", "../../escaped.txt"},
        {"climb inside path", "a/b/../../../escaped.txt"},
        {"absolute into outside", outside + "/escaped.txt"},
        {"absolute etc", "/etc/escaped.txt"},
        {"drive letter", "C:escaped.txt"},
        {"drive root", "C:\\escaped.txt"},
        {"backslash parent", "..\\escaped.txt"},
        {"backslash climb", "sub\\..\\..\\escaped.txt"},
        {"unc path", "\\\\server\\share\\escaped.txt"},
        {"dot slash", "./escaped.txt"},
        {"dot", "."},
        {"dot dot", ".."},
        {"empty name", ""},
        {"only slash", "/"},
        {"device name", "NUL"},
        {"device with extension", "con.txt"},
        {"stream colon", "escaped.txt:stream"},
        {"wildcard", "esc*ped.txt"},
        {"trailing dot", "escaped.txt."},
        {"trailing blank", "escaped.txt "},
        {"very long name", QByteArray(300, 'n') + ".txt"},
        {"journal beside a table", "RostFamilies.adt-journal"},
        {"wal beside a table", "rostindividuals.ADT-wal"},
        {"shm beside a table", "RostSetup.adt-shm"},
        {"not utf-8", "escaped\xff\xfe.txt"},
        {"folder entry climbing", "../escaped/"},
    };
    for (const auto &[name, stored] : list)
        c.namedMember(QString::fromLatin1(name), stored);

    // A table stored under a climbing name is still that table: it replaces its file inside.
    const std::vector<std::pair<const char *, QString>> tableNames{
        {"table under parent", QStringLiteral("../RostFamilies.adt")},
        {"table under absolute", c.outside() + QStringLiteral("/RostFamilies.adt")},
        {"table under drive", QStringLiteral("C:\\dir\\RostFamilies.adt")},
        {"table in other case", QStringLiteral("ROSTFAMILIES.ADT")},
    };
    for (const auto &[name, stored] : tableNames) {
        RawZip zip;
        for (auto it = c.tables().cbegin(); it != c.tables().cend(); ++it)
            zip.add({it.key() == tbl::Families ? stored.toUtf8() : it.key().toUtf8(), it.value()});
        c.accepted(QString::fromLatin1(name), zip.bytes(), 0, {});
    }

    // A NUL cuts the name where C reads it; the rest must not be taken for another name.
    c.namedMember(QStringLiteral("nul in name"), QByteArray("notes.txt\0/../../x", 18));
    RawZip nulTable;
    for (auto it = c.tables().cbegin(); it != c.tables().cend(); ++it)
        nulTable.add(
            {it.key() == tbl::Setup ? QByteArray("RostSetup.adt\0.txt", 18) : it.key().toUtf8(),
             it.value()});
    c.refused(QStringLiteral("nul in table name"), nulTable.bytes(), {1},
              QStringLiteral("RostSetup"));
}

void duplicates(Corpus &c)
{
    const QByteArray other = c.tables().value(tbl::Setup);
    c.refused(QStringLiteral("table twice"),
              c.soundWith({{QByteArray(tbl::Families.data()), other}}).bytes(), {1}, tbl::Families);
    c.refused(QStringLiteral("table twice in other case"),
              c.soundWith({{"rostfamilies.ADT", c.tables().value(tbl::Families)}}).bytes(), {1},
              QStringLiteral("rostfamilies.ADT"));
    c.refused(QStringLiteral("table twice by path"),
              c.soundWith({{"sub/RostIndividuals.adt", other}}).bytes(), {1},
              QStringLiteral("sub/RostIndividuals.adt"));
    c.accepted(QStringLiteral("file twice"),
               c.soundWith({{"notes.txt", "first"}, {"notes.txt", "second"}}).bytes(), 1,
               QStringLiteral("notes.txt"));
    c.accepted(QStringLiteral("file twice in other case"),
               c.soundWith({{"Notes.txt", "first"}, {"NOTES.TXT", "second"}}).bytes(), 1,
               QStringLiteral("NOTES.TXT"));
}

void links(Corpus &c)
{
    const QByteArray outside = QFile::encodeName(c.outside());
    c.accepted(QStringLiteral("symlink to outside"),
               c.built([&](ArchiveBuilder &b) { b.symlink(QStringLiteral("outside"), outside); }),
               1, QStringLiteral("outside"));
    c.accepted(QStringLiteral("symlink to parent"),
               c.built([&](ArchiveBuilder &b) { b.symlink(QStringLiteral("up"), ".."); }), 1,
               QStringLiteral("up"));
    c.accepted(QStringLiteral("symlink then write through it"), c.built([&](ArchiveBuilder &b) {
        b.symlink(QStringLiteral("through"), outside);
        b.add(QStringLiteral("through/escaped.txt"), "through the link");
    }),
               1, QStringLiteral("through"));
    // A table member that is a link is no table: the directory keeps its old tables.
    const QString p = c.path(QStringLiteral("table as symlink"));
    ArchiveBuilder b(p);
    for (auto it = c.tables().cbegin(); it != c.tables().cend(); ++it)
        if (it.key() != tbl::Individuals)
            b.add(it.key(), it.value());
    b.symlink(tbl::Individuals, outside + "/victim.adt");
    b.write();
    c.cases.push_back(
        {QStringLiteral("table as symlink"), p, Afterwards::Old, {}, {1}, tbl::Individuals});
}

void sizesAndChecks(Corpus &c)
{
    const QByteArray families = c.tables().value(tbl::Families);
    for (const qint64 lie : {qint64(0), qint64(1), qint64(families.size() - 1),
                             qint64(families.size() + 1), qint64(0xFFFFFFF0)}) {
        RawZip zip;
        for (auto it = c.tables().cbegin(); it != c.tables().cend(); ++it)
            zip.add({it.key().toUtf8(), it.value(), 0, it.key() == tbl::Families ? lie : -1});
        c.refused(QStringLiteral("table declares %1 bytes").arg(lie), zip.bytes(), {1, 2},
                  QString());
    }
    for (const QString &file : c.tables().keys()) {
        RawZip zip;
        for (auto it = c.tables().cbegin(); it != c.tables().cend(); ++it)
            zip.add({it.key().toUtf8(), it.value(), it.key() == file ? 0x5A5Au : 0u});
        c.refused(QStringLiteral("bad crc of %1").arg(file), zip.bytes(), {1}, file);
    }
    c.accepted(QStringLiteral("bad crc of a note"),
               c.soundWith({{"notes.txt", "notes", 1u}}).bytes(), 1, QStringLiteral("notes.txt"));

    // Bombs: far more out than in, whether the sizes are told or hidden.
    const QByteArray zeros(24 << 20, '\0');
    c.accepted(QStringLiteral("bomb note declared"),
               c.built([&](ArchiveBuilder &b) { b.add(QStringLiteral("bomb.bin"), zeros); }), 0,
               {});
    c.refused(QStringLiteral("bomb note declaring 3 GiB"),
              c.built([&](ArchiveBuilder &b) { b.add(QStringLiteral("bomb.bin"), zeros); },
                      [](const QString &p) {
                          ArchiveBuilder::setDeclaredSize(p, "bomb.bin", 0xC0000000u);
                      }),
              {1, 2}, QString());
    c.refused(
        QStringLiteral("bomb table declaring 100 bytes"),
        c.built([&](ArchiveBuilder &b) { b.add(QStringLiteral("rostuser2.ADT"), zeros); },
                [](const QString &p) { ArchiveBuilder::setDeclaredSize(p, "rostuser2.ADT", 100); }),
        {1, 2}, QString());
    c.refused(QStringLiteral("members summing past 1 GiB"),
              c.built(
                  [](ArchiveBuilder &b) {
                      for (int i = 0; i < 3; ++i)
                          b.add(QStringLiteral("part%1.bin").arg(i), "small");
                  },
                  [](const QString &p) {
                      for (int i = 0; i < 3; ++i)
                          ArchiveBuilder::setDeclaredSize(
                              p, QByteArray("part") + QByteArray::number(i) + ".bin", 0x18000000u);
                  }),
              {1, 2}, QString());
    c.refused(QStringLiteral("encrypted table"),
              c.built([](ArchiveBuilder &) {},
                      [](const QString &p) {
                          ArchiveBuilder::setGeneralFlag(p, "RostOffices.adt", 0x0001);
                      }),
              {1}, QStringLiteral("RostOffices.adt"));
    c.accepted(
        QStringLiteral("encrypted note"),
        c.built([](ArchiveBuilder &b) { b.add(QStringLiteral("secret.txt"), "secret"); },
                [](const QString &p) { ArchiveBuilder::setGeneralFlag(p, "secret.txt", 0x0001); }),
        1, QStringLiteral("secret.txt"));
}

void shapes(Corpus &c, int manyMembers)
{
    c.accepted(QStringLiteral("sound"), c.soundWith({}).bytes(), 0, {});
    c.accepted(QStringLiteral("sound zip64"), c.soundWith({}, true).bytes(), 0, {});
    c.accepted(QStringLiteral("sound deflated"), c.built([](ArchiveBuilder &) {}), 0, {});
    c.accepted(QStringLiteral("sound with notes and folders"), c.built([](ArchiveBuilder &b) {
        b.folder(QStringLiteral("pictures/"));
        b.add(QStringLiteral("pictures/readme.txt"), "read me");
    }),
               0, {});
    {
        RawZip partial;
        partial.add({QByteArray(tbl::Families.data()), c.tables().value(tbl::Families)});
        partial.add({QByteArray(tbl::Individuals.data()), c.tables().value(tbl::Individuals)});
        const QString p = c.path(QStringLiteral("families and individuals only"));
        writeAll(p, partial.bytes());
        c.cases.push_back({QStringLiteral("families and individuals only"),
                           p,
                           Afterwards::New,
                           {{tbl::Families, c.tables().value(tbl::Families)},
                            {tbl::Individuals, c.tables().value(tbl::Individuals)}},
                           {0},
                           {}});
    }

    const QString empty = c.path(QStringLiteral("empty archive"));
    ArchiveBuilder::writeEmpty(empty);
    c.cases.push_back({QStringLiteral("empty archive"), empty, Afterwards::Old, {}, {0, 1}, {}});

    RawZip many;
    for (int i = 0; i < manyMembers; ++i)
        many.add({QByteArray("e") + QByteArray::number(i), {}});
    c.refused(QStringLiteral("%1 members").arg(manyMembers), many.bytes(), {1, 2}, QString());
    RawZip overLimit = c.soundWith({});
    for (int i = 0; i < 1001; ++i)
        overLimit.add({QByteArray("f") + QByteArray::number(i), "x"});
    c.refused(QStringLiteral("1001 members beside the tables"), overLimit.bytes(), {1, 2},
              QString());

    c.refused(QStringLiteral("not a zip: text"), "This is not an archive.\n", {2}, QString());
    c.refused(QStringLiteral("not a zip: no bytes"), {}, {2}, QString());
    c.refused(QStringLiteral("not a zip: a table file"), c.tables().value(tbl::Setup), {2},
              QString());
    c.refused(QStringLiteral("not a zip: pdf header"), "%PDF-1.4\n%\xe2\xe3\xcf\xd3\n", {2},
              QString());
    c.refused(QStringLiteral("only an end record"),
              QByteArray("PK\x05\x06", 4) + QByteArray(18, '\0').replace(8, 2, "\xff\xff"), {2},
              QString());

    // Cut short at points through the local headers, the data and the central directory.
    const QByteArray whole = c.soundWith({}).bytes();
    for (const double at : {0.05, 0.25, 0.5, 0.75, 0.95, 0.999})
        c.refused(QStringLiteral("truncated at %1").arg(at),
                  whole.left(qint64(double(whole.size()) * at)), {1, 2}, QString());
    c.refused(QStringLiteral("truncated by one byte"), whole.chopped(1), {1, 2}, QString());
    c.refused(QStringLiteral("truncated by 22 bytes"), whole.chopped(22), {1, 2}, QString());

    // A damaged middle: the middle third zeroed, the rest as it was.
    QByteArray middle = whole;
    middle.replace(middle.size() / 3, middle.size() / 3, QByteArray(middle.size() / 3, '\0'));
    c.refused(QStringLiteral("middle third zeroed"), middle, {1, 2}, QString());
    for (auto it = c.tables().cbegin(); it != c.tables().cend(); ++it) {
        QByteArray table = it.value();
        table.replace(table.size() / 3, table.size() / 3, QByteArray(table.size() / 3, '\0'));
        c.tableRefused(QStringLiteral("middle of %1 zeroed").arg(it.key()), it.key(), table);
    }
}

void tables(Corpus &c)
{
    const QString fam = tbl::Families;
    const QString ind = tbl::Individuals;
    const QString set = tbl::Setup;
    c.tableRefused(QStringLiteral("setup as families"), fam, c.tables().value(set));
    c.tableRefused(QStringLiteral("families as individuals"), ind, c.tables().value(fam));
    c.tableRefused(QStringLiteral("families without city"), fam,
                   c.altered(fam, QStringLiteral("ALTER TABLE RostFamilies DROP COLUMN City;")));
    c.tableRefused(QStringLiteral("table renamed"), fam,
                   c.altered(fam, QStringLiteral("ALTER TABLE RostFamilies RENAME TO Other;")));
    c.tableRefused(QStringLiteral("no table at all"), set,
                   c.altered(set, QStringLiteral("DROP TABLE RostSetup;")));
    c.tableRefused(QStringLiteral("text file as table"), ind, "Indiv ID Num,Last Name\n1,Ames\n");
    c.tableRefused(QStringLiteral("sqlite header only"), ind, QByteArray("SQLite format 3\0", 16));
    for (auto it = c.tables().cbegin(); it != c.tables().cend(); ++it) {
        QByteArray torn = it.value();
        torn.truncate(torn.size() / 2);
        c.tableRefused(QStringLiteral("%1 cut in half").arg(it.key()), it.key(), torn);
        QByteArray flipped = it.value();
        for (qint64 i = 100; i < flipped.size(); i += 997)
            flipped[i] = char(flipped[i] ^ 0x55);
        c.tableRefused(QStringLiteral("%1 with bytes flipped").arg(it.key()), it.key(), flipped);
    }

    for (const TableDef *def : allTables())
        for (const IndexDef &index : def->indexes)
            c.tableRefused(
                QStringLiteral("%1 without %2").arg(def->table, index.name.name()), def->file,
                c.altered(def->file, QStringLiteral("DROP INDEX \"%1\";").arg(index.name.name())));
    c.tableRefused(QStringLiteral("name index on other keys"), fam,
                   c.altered(fam, QStringLiteral("DROP INDEX \"FAMILY NAME ORDER\"; CREATE INDEX "
                                                 "\"FAMILY NAME ORDER\" ON RostFamilies "
                                                 "(\"Vorel Name\");")));
    c.tableRefused(
        QStringLiteral("partial index"), ind,
        c.altered(ind, QStringLiteral("DROP INDEX \"INDIV ID NUM ORDER\"; CREATE "
                                      "INDEX \"INDIV ID NUM ORDER\" ON RostIndividuals "
                                      "(\"Indiv ID Num\") WHERE \"Indiv ID Num\" > 2;")));

    const std::vector<std::tuple<QString, QString, QString>> numbers{
        {fam, QStringLiteral("Family ID Num"), QStringLiteral("65537")},
        {fam, QStringLiteral("Family ID Num"), QStringLiteral("-32769")},
        {fam, QStringLiteral("Family ID Num"), QStringLiteral("'seven'")},
        {ind, QStringLiteral("Indiv ID Num"), QStringLiteral("40000")},
        {ind, QStringLiteral("Family ID Num"), QStringLiteral("65537")},
        {ind, QStringLiteral("Family Rank Order"), QStringLiteral("-40000")},
        {ind, QStringLiteral("Family Rank Order"), QStringLiteral("1.5")},
        {QString(tbl::Offices), QStringLiteral("Indiv ID Num"), QStringLiteral("4294967297")},
        {set, QStringLiteral("Use Offices"), QStringLiteral("7")},
    };
    for (const auto &[file, field, value] : numbers) {
        const TableDef *def = findTableDef(file);
        c.tableRefused(QStringLiteral("%1 %2 of %3").arg(def->table, field, value), file,
                       c.altered(file, QStringLiteral("UPDATE %1 SET \"%2\" = %3 WHERE rowid = "
                                                      "(SELECT max(rowid) FROM %1);")
                                           .arg(def->table, field, value)));
    }
    c.tableRefused(QStringLiteral("families with wider city"), fam,
                   c.altered(fam, QStringLiteral("PRAGMA writable_schema=ON; UPDATE sqlite_schema "
                                                 "SET sql = replace(sql, 'CHAR(20)', 'CHAR(99)') "
                                                 "WHERE name = 'RostFamilies';")));
}

} // namespace

std::vector<HostileArchive> writeHostileCorpus(const QString &folder, const QString &outside,
                                               const QMap<QString, QByteArray> &newTables,
                                               int manyMembers)
{
    Corpus c(folder, outside, newTables);
    names(c);
    duplicates(c);
    links(c);
    sizesAndChecks(c);
    shapes(c, manyMembers);
    tables(c);
    return std::move(c.cases);
}

} // namespace rost::test
