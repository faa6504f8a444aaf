#include "ExportFixture.h"

#include "Fixture.h"

#include <QBuffer>
#include <QImage>

namespace rost::test {

namespace {

QByteArray pngPicture()
{
    QImage image(600, 300, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

Row address(Row r, const char *address1, const char *city, const char *state, const char *zip,
            const char *country, const char *phone)
{
    r.insert(fld::Address1, QString::fromUtf8(address1));
    r.insert(fld::City, QString::fromUtf8(city));
    r.insert(fld::State, QString::fromUtf8(state));
    r.insert(fld::Zip, QString::fromUtf8(zip));
    r.insert(fld::Country, QString::fromUtf8(country));
    r.insert(fld::HomePhone, QString::fromUtf8(phone));
    return r;
}

} // namespace

void writeExportDirectory(const QString &folder)
{
    const auto s = [](const char *text) { return QString::fromUtf8(text); };
    Row muller = address(family(1, s("Müller"), s("The Müllers")), "Königstraße 5", "Zürich", "ZH",
                         "8001", "Switzerland", "044 555 01");
    muller.insert(fld::FamilyPicture, pngPicture());
    Row doe = address(family(2, s("Doe, Jr.; III"), s("The Does")), "1 Comma, Lane; Rear", "Salem",
                      "OR", "97301", "", "555-0202");
    doe.insert(fld::FamilyPicture, QByteArray("this is not a picture"));
    Row intl = address(family(3, s("Intl"), s("The Intls")), "", "", "", "", "UK", "");
    intl.insert(fld::IntlAddress, s("Flat 2\r\n10 \"Quoted\" Rd^\r\nLondon  ÉÉ"));
    writeTable(folder, familiesTable(),
               {muller, doe, intl, family(4, s("Empty"), s("The Empties"))});

    Row zoe = person(11, 1, 1, s("Zoë"), s("Müller"), s("Wife"), s("Zo"), s("Dr"));
    zoe.insert(fld::MiddleName, s("Ångström"));
    zoe.insert(fld::Suffix, s("PhD"));
    zoe.insert(fld::EMailAddress, s("zoe.mueller@example.org"));
    zoe.insert(fld::WorkPhone, s("044 555 02"));
    zoe.insert(fld::Cell, s("079 555 03"));
    zoe.insert(fld::Fax, s("044 555 04"));
    zoe.insert(fld::Pager, s("044 555 05"));
    zoe.insert(fld::OtherPhoneLabel, s("Chalet"));
    zoe.insert(fld::OtherPhone, s("027 555 06"));
    Row john = person(21, 2, 1, s("John, Jr."), s("Doe; Smith"), s("Single Adult"));
    john.insert(fld::MiddleName, s("A\\B"));
    john.insert(fld::GoesBy, QString());
    Row hostile =
        person(61, 1, 3, s("=HYPERLINK(\"x\")"), s("+1\r\n-2\x01@x"), s("Minor Child"), s("@x"));
    hostile.insert(fld::EMailAddress, s("\tx"));
    hostile.insert(fld::OtherPhone, s("\rx"));
    hostile.insert(fld::Pager, s("-2"));
    writeTable(folder, individualsTable(),
               {zoe, person(12, 1, 2, s("Élodie"), s("Müller"), s("Adult Child")), john,
                person(31, 3, 1, s("Ann"), s("Intl"), s("Single Adult")),
                person(41, 4, 1, s("Noah"), s("Empty"), s("Single Adult")),
                person(51, 9, 1, s("Lost"), s("Soul"), s("Single Adult")), hostile});
    const auto entry = [](const TableDef &list, int indiv, const char *item) {
        return Row{{fld::IndivIdNum, indiv},
                   {QLatin1String(list.fields.back().name), QString::fromUtf8(item)}};
    };
    writeTable(folder, officesTable(),
               {entry(officesTable(), 11, "Usher"), entry(officesTable(), 11, "Elder"),
                entry(officesTable(), 12, "Usher"), entry(officesTable(), 61, "Usher")});
    writeTable(folder, activitiesTable(), {entry(activitiesTable(), 11, "Choir")});
    writeSetup(folder, true, false, true, false, false);
}

} // namespace rost::test
