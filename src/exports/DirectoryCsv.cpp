#include "exports/DirectoryCsv.h"

#include "lists/ListCsv.h"

namespace rost {

namespace {

constexpr qsizetype FlushBytes = 256 * 1024;
constexpr int ProgressEvery = 256;

// Rows are gathered and handed on in pieces.
class CsvOut
{
public:
    explicit CsvOut(const ByteSink &sink) : m_sink(sink) {}

    void row(std::initializer_list<QString> cells)
    {
        bool first = true;
        for (const QString &cell : cells) {
            if (!first)
                m_text += QLatin1Char(',');
            first = false;
            m_text += csvField(cell);
        }
        m_text += QLatin1String("\r\n");
        if (m_text.size() * 3 >= FlushBytes)
            flush();
    }

    void flush()
    {
        if (!m_text.isEmpty())
            m_sink(m_text.toUtf8());
        m_text.clear();
    }

private:
    const ByteSink &m_sink;
    QString m_text;
};

int writePeople(RostConnection &connection, CsvOut &out, const ExportProgress &progress)
{
    out.row(
        {fld::IndivIdNum, fld::FamilyIdNum, fld::Title,     fld::FirstName,    fld::MiddleName,
         fld::LastName,   fld::Suffix,      fld::GoesBy,    fld::FamilyStatus, fld::EMailAddress,
         fld::WorkPhone,  fld::Fax,         fld::Cell,      fld::Pager,        fld::OtherPhoneLabel,
         fld::OtherPhone, fld::FamilyName,  fld::VorelName, fld::Address1,     fld::Address2,
         fld::City,       fld::State,       fld::Zip,       fld::Country,      fld::IntlAddress,
         fld::HomePhone});
    ContactReader reader(connection);
    const int total = progress ? reader.individualCount() : 0;
    int rows = 0;
    reader.forEach([&](const Contact &c) {
        const ContactHousehold &h = c.household;
        const DisplayedAddress &a = h.address;
        out.row({QString::number(c.indivId),
                 QString::number(h.familyId),
                 c.title,
                 c.firstName,
                 c.middleName,
                 c.lastName,
                 c.suffix,
                 c.goesBy,
                 c.familyStatus,
                 c.eMail,
                 c.workPhone,
                 c.fax,
                 c.cell,
                 c.pager,
                 c.otherPhoneLabel,
                 c.otherPhone,
                 h.familyName,
                 h.vorelName,
                 a.Address1,
                 a.Address2,
                 a.City,
                 a.State,
                 a.Zip,
                 a.Country,
                 a.IntlAddress,
                 h.homePhone});
        if (++rows % ProgressEvery == 0 && progress)
            progress(rows, total);
    });
    return rows;
}

int writeHouseholds(RostConnection &connection, CsvOut &out, const ExportProgress &progress)
{
    out.row({fld::FamilyIdNum, fld::FamilyName, fld::VorelName, fld::Address1, fld::Address2,
             fld::City, fld::State, fld::Zip, fld::Country, fld::IntlAddress, fld::HomePhone});
    Cursor tbFam(connection, tbl::Families);
    tbFam.setIndexName(idx::FamilyNameOrder);
    tbFam.open();
    const int total = progress ? tbFam.recordCount() : 0;
    int rows = 0;
    int seen = 0;
    for (tbFam.first(); tbFam.hasRow() && !tbFam.eof(); tbFam.next()) {
        const auto familyId = FamilyId(tbFam.integer(fld::FamilyIdNum));
        if (progress && ++seen % ProgressEvery == 0)
            progress(seen, total);
        if (familyId == 0)
            continue;
        const DisplayedAddress a = FamilyDisplay::displayedAddress(tbFam);
        out.row({QString::number(familyId), tbFam.text(fld::FamilyName), tbFam.text(fld::VorelName),
                 a.Address1, a.Address2, a.City, a.State, a.Zip, a.Country, a.IntlAddress,
                 tbFam.text(fld::HomePhone)});
        ++rows;
    }
    return rows;
}

} // namespace

int writeDirectoryCsv(RostConnection &connection, const DirectoryCsvOptions &options,
                      const ByteSink &sink, const ExportProgress &progress)
{
    if (options.byteOrderMark)
        sink(QByteArrayView("\xEF\xBB\xBF"));
    CsvOut out(sink);
    const int rows = options.rows == CsvRows::People ? writePeople(connection, out, progress)
                                                     : writeHouseholds(connection, out, progress);
    out.flush();
    return rows;
}

} // namespace rost
