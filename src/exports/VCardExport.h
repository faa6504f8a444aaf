#pragma once

#include "directory/DirectorySetup.h"
#include "exports/Contact.h"

#include <QByteArray>
#include <QSet>
#include <QStringList>

namespace rost {

class Query;

// The list a card was exported from, and every item its person holds.
struct ContactLists
{
    QString kind; // the list field's caption: the card's organisation
    QString item; // the item exported: the organisation's unit
    QStringList held;
};

// The informal name line of a person, the name a contact goes by: the card's FN.
QString informalName(const Contact &contact);

// The card's UID: the same for the same Indiv ID Num in every export.
QString contactUid(IndivId indivId);

// The text of one card: FN (the informal name line), N, UID, NICKNAME (Goes By), ORG and CATEGORIES
// for a list's card, ADR (the composed fields, or the international address as its label), TEL
// for the home, work, cell, fax, pager and other phones that are set, EMAIL, and PHOTO when a
// JPEG is given.
QByteArray vcardOf(const Contact &contact, const ContactLists *lists, const QByteArray &photoJpeg);

// Writes vCards 4.0 (UTF-8, CRLF, folded at 75 octets) to a sink, one card per individual, a few
// cards at a time. The window and rostella-batch export through here.
class VCardExport
{
public:
    // With photos, each card carries its family's picture, scaled down.
    VCardExport(RostConnection &connection, ByteSink sink, bool photos);

    // Throws ExportError when the table holds no such individual.
    void writeIndividual(IndivId indivId);
    // Everyone, in last name order.
    void writeAll(const ExportProgress &progress = {});
    // The people of a Make Lists people query, each once, in the list's order; their cards name
    // the list and carry every item they hold. people is left on its first row.
    void writeList(Query &people, const DirectorySetup &setup, const QString &kind,
                   const QString &item, const ExportProgress &progress = {});
    // Hands the last bytes to the sink.
    void finish();

    int cards() const { return m_cards; }
    // A picture left out because it does not decode, once per family.
    const QStringList &warnings() const { return m_warnings; }

private:
    void write(const Contact &contact, const ContactLists *lists);
    QByteArray photoOf(const ContactHousehold &household);

    RostConnection &m_connection;
    ContactReader m_reader;
    ByteSink m_sink;
    bool m_photos;
    QByteArray m_buffer;
    int m_cards = 0;
    FamilyId m_photoFamily = 0;
    QByteArray m_photo;
    QSet<FamilyId> m_failedPhotos;
    QStringList m_warnings;
};

} // namespace rost
