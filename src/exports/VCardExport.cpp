#include "exports/VCardExport.h"

#include "directory/Query.h"
#include "exports/ContactPhoto.h"
#include "exports/ExportError.h"
#include "exports/VCard.h"
#include "lists/ListKindTables.h"
#include "names/HouseholdNames.h"

#include <QUuid>

namespace rost {

namespace {

// Cards are handed on in pieces of about this size, so the sink sees few large writes.
constexpr qsizetype FlushBytes = 256 * 1024;
constexpr int ProgressEvery = 256;

void addTel(QByteArray &card, const char *types, const QString &number)
{
    if (!number.isEmpty())
        appendFolded(card, QLatin1String("TEL;TYPE=") + QLatin1String(types) + QLatin1Char(':') +
                               vcardText(number));
}

QString adrLine(const ContactHousehold &h)
{
    const DisplayedAddress &a = h.address;
    if (!a.IntlAddress.isEmpty())
        return QLatin1String("ADR;TYPE=home;LABEL=") + vcardParam(a.IntlAddress) +
               QLatin1String(":;;;;;;");
    if (a.Address1.isEmpty() && a.Address2.isEmpty() && a.City.isEmpty() && a.State.isEmpty() &&
        a.Zip.isEmpty() && a.Country.isEmpty())
        return {};
    QStringList street;
    for (const QString &s : {a.Address1, a.Address2}) {
        if (!s.isEmpty())
            street << vcardText(s);
    }
    return QLatin1String("ADR;TYPE=home:;;") + street.join(QLatin1Char(',')) + QLatin1Char(';') +
           vcardText(a.City) + QLatin1Char(';') + vcardText(a.State) + QLatin1Char(';') +
           vcardText(a.Zip) + QLatin1Char(';') + vcardText(a.Country);
}

} // namespace

QString informalName(const Contact &contact)
{
    // The line keeps the blank of an empty part; a contact's name does not.
    return onePersonLine(NameLine::InformalName, NameParts::cut(contact.title, contact.firstName,
                                                                contact.goesBy, contact.lastName))
        .trimmed();
}

QString contactUid(IndivId indivId)
{
    // Named, not random: a second export of the same person replaces the contact a phone or an
    // address book holds instead of adding another.
    static const QUuid space = QUuid::createUuidV5(QUuid(), QStringLiteral("Rostella individual"));
    return QLatin1String("urn:uuid:") +
           QUuid::createUuidV5(space, QString::number(indivId)).toString(QUuid::WithoutBraces);
}

QByteArray vcardOf(const Contact &c, const ContactLists *lists, const QByteArray &photoJpeg)
{
    QByteArray card;
    card.reserve(512 + photoJpeg.size() * 4 / 3);
    card.append("BEGIN:VCARD\r\nVERSION:4.0\r\n");
    appendFolded(card, QLatin1String("FN:") + vcardText(informalName(c)));
    appendFolded(card, QLatin1String("N:") + vcardText(c.lastName) + QLatin1Char(';') +
                           vcardText(c.firstName) + QLatin1Char(';') + vcardText(c.middleName) +
                           QLatin1Char(';') + vcardText(c.title) + QLatin1Char(';') +
                           vcardText(c.suffix));
    appendFolded(card, QLatin1String("UID:") + contactUid(c.indivId));
    if (!c.goesBy.isEmpty())
        appendFolded(card, QLatin1String("NICKNAME:") + vcardText(c.goesBy));
    if (lists) {
        appendFolded(card, QLatin1String("ORG:") + vcardText(lists->kind) + QLatin1Char(';') +
                               vcardText(lists->item));
        QStringList held;
        for (const QString &item : lists->held)
            held << vcardText(item);
        if (!held.isEmpty())
            appendFolded(card, QLatin1String("CATEGORIES:") + held.join(QLatin1Char(',')));
    }
    if (c.household.found) {
        const QString adr = adrLine(c.household);
        if (!adr.isEmpty())
            appendFolded(card, adr);
    }
    addTel(card, "home,voice", c.household.homePhone);
    addTel(card, "work,voice", c.workPhone);
    addTel(card, "cell", c.cell);
    addTel(card, "fax", c.fax);
    addTel(card, "pager", c.pager);
    if (!c.otherPhone.isEmpty()) {
        // vCard has no type for a phone the member labels; the label rides along as a parameter.
        QString tel = QStringLiteral("TEL;TYPE=voice");
        if (!c.otherPhoneLabel.isEmpty())
            tel += QLatin1String(";X-LABEL=") + vcardParam(c.otherPhoneLabel);
        appendFolded(card, tel + QLatin1Char(':') + vcardText(c.otherPhone));
    }
    if (!c.eMail.isEmpty())
        appendFolded(card, QLatin1String("EMAIL:") + vcardText(c.eMail));
    if (!photoJpeg.isEmpty())
        appendFolded(card, QLatin1String("PHOTO:data:image/jpeg;base64,") +
                               QLatin1String(photoJpeg.toBase64()));
    card.append("END:VCARD\r\n");
    return card;
}

VCardExport::VCardExport(RostConnection &connection, ByteSink sink, bool photos)
    : m_connection(connection), m_reader(connection), m_sink(std::move(sink)), m_photos(photos)
{}

void VCardExport::writeIndividual(IndivId indivId)
{
    Contact contact;
    if (!m_reader.individual(indivId, contact))
        throw ExportError(QStringLiteral("No individual %1 is in the directory.").arg(indivId));
    write(contact, nullptr);
}

void VCardExport::writeAll(const ExportProgress &progress)
{
    const int total = progress ? m_reader.individualCount() : 0;
    m_reader.forEach([&](const Contact &contact) {
        write(contact, nullptr);
        if (progress && m_cards % ProgressEvery == 0)
            progress(m_cards, total);
    });
}

void VCardExport::writeList(Query &people, const DirectorySetup &setup, const QString &kind,
                            const QString &item, const ExportProgress &progress)
{
    QSet<IndivId> written;
    const int total = people.recordCount();
    int done = 0;
    for (people.first(); !people.eof(); people.next()) {
        const auto indivId = IndivId(people.integer(fld::IndivIdNum));
        ++done;
        Contact contact;
        if (written.contains(indivId) || !m_reader.individual(indivId, contact))
            continue;
        written.insert(indivId);
        ContactLists lists{kind, item, {}};
        for (const HeldItem &h : heldItems(m_connection, setup, indivId))
            lists.held << h.item;
        write(contact, &lists);
        if (progress)
            progress(done, total);
    }
    people.first();
}

void VCardExport::write(const Contact &contact, const ContactLists *lists)
{
    m_buffer += vcardOf(contact, lists, m_photos ? photoOf(contact.household) : QByteArray());
    ++m_cards;
    if (m_buffer.size() >= FlushBytes) {
        m_sink(m_buffer);
        m_buffer.clear();
    }
}

void VCardExport::finish()
{
    if (!m_buffer.isEmpty())
        m_sink(m_buffer);
    m_buffer.clear();
}

QByteArray VCardExport::photoOf(const ContactHousehold &household)
{
    if (!household.found || m_failedPhotos.contains(household.familyId))
        return {};
    // The members of a household mostly come one after another: their picture is made once.
    if (m_photoFamily == household.familyId && !m_photo.isEmpty())
        return m_photo;
    const QByteArray picture = m_reader.picture(household);
    m_photoFamily = household.familyId;
    m_photo.clear();
    if (picture.isEmpty())
        return {};
    QString error;
    m_photo = contactPhoto(picture, &error);
    if (m_photo.isEmpty()) {
        m_failedPhotos.insert(household.familyId);
        m_warnings << QStringLiteral("The picture of %1 (family %2) was left out: %3")
                          .arg(household.familyName)
                          .arg(household.familyId)
                          .arg(error);
    }
    return m_photo;
}

} // namespace rost
