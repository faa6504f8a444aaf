#include "names/ClipboardText.h"
#include "directory/RostConnection.h"
#include "directory/Tables.h"
#include "names/HouseholdNameComposer.h"

#include "Fixture.h"
#include "TestFolder.h"

#include <QtTest>

Q_DECLARE_METATYPE(rost::FamilyAddress)
Q_DECLARE_METATYPE(rost::ClipboardData)

using namespace rost;
using namespace rost::test;

namespace {

FamilyAddress address(const QString &a1, const QString &a2, const QString &city,
                      const QString &state, const QString &zip, const QString &phone)
{
    FamilyAddress a;
    a.found = true;
    a.Address1 = a1;
    a.Address2 = a2;
    a.City = city;
    a.State = state;
    a.Zip = zip;
    a.HomePhone = phone;
    return a;
}

const FamilyAddress Elm =
    address(QStringLiteral("12 Elm St"), {}, QStringLiteral("Salem"), QStringLiteral("OR"),
            QStringLiteral("97301"), QStringLiteral("555-0100"));

FamilyAddress with(FamilyAddress a, QString FamilyAddress::*field, const QString &value)
{
    a.*field = value;
    return a;
}

} // namespace

class ClipboardTextTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void dataNames()
    {
        for (auto data : {ClipboardData::NameAndAddress, ClipboardData::NameAddressPhone,
                          ClipboardData::NamePhone, ClipboardData::EMail})
            QCOMPARE(clipboardDataFromName(clipboardDataName(data)), data);
        QVERIFY(!clipboardDataFromName(QStringLiteral("Name-Address")));
    }

    void text_data()
    {
        QTest::addColumn<ClipboardData>("data");
        QTest::addColumn<QString>("nameLine");
        QTest::addColumn<FamilyAddress>("family");
        QTest::addColumn<QString>("email");
        QTest::addColumn<QByteArray>("expected");

        const QString name = QStringLiteral("Mr and Mrs William Smith");
        const QString mail = QStringLiteral("bill@example.org");
        const auto A = ClipboardData::NameAndAddress;
        const auto AP = ClipboardData::NameAddressPhone;
        const auto P = ClipboardData::NamePhone;
        const auto E = ClipboardData::EMail;

        QTest::newRow("address, empty Address2")
            << A << name << Elm << mail
            << QByteArray("Mr and Mrs William Smith\r12 Elm St\rSalem, OR 97301");
        QTest::newRow("address with Address2")
            << A << name << with(Elm, &FamilyAddress::Address2, QStringLiteral("Apt 4")) << mail
            << QByteArray("Mr and Mrs William Smith\r12 Elm St\rApt 4\rSalem, OR 97301");
        QTest::newRow("address and phone, five lines")
            << AP << name << with(Elm, &FamilyAddress::Address2, QStringLiteral("Apt 4")) << mail
            << QByteArray("Mr and Mrs William Smith\r12 Elm St\rApt 4\rSalem, OR 97301\r555-0100");
        QTest::newRow("address and phone, four lines")
            << AP << name << Elm << mail
            << QByteArray("Mr and Mrs William Smith\r12 Elm St\rSalem, OR 97301\r555-0100");
        QTest::newRow("empty Address1 leaves an empty line")
            << A << name << with(Elm, &FamilyAddress::Address1, {}) << mail
            << QByteArray("Mr and Mrs William Smith\r\rSalem, OR 97301");
        QTest::newRow("empty State")
            << A << name << with(Elm, &FamilyAddress::State, {}) << mail
            << QByteArray("Mr and Mrs William Smith\r12 Elm St\rSalem,  97301");
        QTest::newRow("empty City")
            << A << name << with(Elm, &FamilyAddress::City, {}) << mail
            << QByteArray("Mr and Mrs William Smith\r12 Elm St\r, OR 97301");
        QTest::newRow("name and phone")
            << P << name << Elm << mail << QByteArray("Mr and Mrs William Smith  555-0100");
        QTest::newRow("name and empty phone")
            << P << name << with(Elm, &FamilyAddress::HomePhone, {}) << mail
            << QByteArray("Mr and Mrs William Smith  ");
        QTest::newRow("address and empty phone ends with CR")
            << AP << name << with(Elm, &FamilyAddress::HomePhone, {}) << mail
            << QByteArray("Mr and Mrs William Smith\r12 Elm St\rSalem, OR 97301\r");
        QTest::newRow("e-mail alone") << E << name << Elm << mail << QByteArray("bill@example.org");
        QTest::newRow("empty e-mail") << E << name << Elm << QString() << QByteArray();
        QTest::newRow("couple choice without spouse begins with CR")
            << A << QString() << Elm << mail << QByteArray("\r12 Elm St\rSalem, OR 97301");
        QTest::newRow("family not found: no stray punctuation, no other family's data")
            << AP << name << FamilyAddress() << mail
            << QByteArray("Mr and Mrs William Smith\r\r\r");
        QTest::newRow("non-ASCII goes out as UTF-8")
            << P << QStringLiteral("Zoë Brontë") << Elm << mail
            << QByteArray("Zo\xc3\xab Bront\xc3\xab  555-0100");
    }

    void text()
    {
        QFETCH(ClipboardData, data);
        QFETCH(QString, nameLine);
        QFETCH(FamilyAddress, family);
        QFETCH(QString, email);
        QFETCH(QByteArray, expected);
        QCOMPARE(clipboardText(data, nameLine, family, email).toUtf8(), expected);
    }

    void composedFromTheTables()
    {
        TestFolder folder;
        Row smith = family(1, QStringLiteral("Smith"));
        smith.insert(fld::Address1, QStringLiteral("12 Elm St"));
        smith.insert(fld::Address2, QStringLiteral("     "));
        smith.insert(fld::City, QStringLiteral("Salem"));
        smith.insert(fld::State, QStringLiteral("OR"));
        smith.insert(fld::Zip, QStringLiteral("97301"));
        smith.insert(fld::HomePhone, QStringLiteral("555-0100"));
        smith.insert(fld::Country, QStringLiteral("USA"));
        writeTable(folder.path(), familiesTable(), {family(2, QStringLiteral("Other")), smith});
        writeTable(
            folder.path(), individualsTable(),
            {person(11, 1, 1, QStringLiteral("William"), QStringLiteral("Smith"),
                    QStringLiteral("Husband"), QStringLiteral("Bill"), QStringLiteral("Mr")),
             person(12, 1, 2, QStringLiteral("Matilda"), QStringLiteral("Smith"),
                    QStringLiteral("Wife"), QStringLiteral("Mattie"), QStringLiteral("Mrs"))});
        RostConnection conn;
        conn.setPath(folder.path());
        conn.connect();
        HouseholdNameComposer composer(conn);
        const HouseholdNames names = composer.GetNames(12, true);
        const QString text = clipboardText(
            ClipboardData::NameAddressPhone, names.line(NameLine::FormalNameAndSpouseTitle),
            composer.familyAddress(names.FamilyIdNum), names.EMailAddress);
        QCOMPARE(text.toUtf8(),
                 QByteArray("Mr and Mrs William Smith\r12 Elm St\rSalem, OR 97301\r555-0100"));
    }
};

QTEST_GUILESS_MAIN(ClipboardTextTest)
#include "ClipboardTextTest.moc"
