#include "names/ClipboardText.h"

namespace rost {

namespace {

constexpr QChar CR(u'\r');

QString nameAndAddress(const QString &nameLine, const FamilyAddress &family)
{
    QString text = nameLine + CR + family.Address1 + CR;
    if (!family.Address2.isEmpty())
        text += family.Address2 + CR;
    return text + family.cityLine();
}

} // namespace

QString clipboardDataName(ClipboardData data)
{
    switch (data) {
    case ClipboardData::NameAndAddress:
        return QStringLiteral("name-address");
    case ClipboardData::NameAddressPhone:
        return QStringLiteral("name-address-phone");
    case ClipboardData::NamePhone:
        return QStringLiteral("name-phone");
    case ClipboardData::EMail:
        return QStringLiteral("email");
    }
    return {};
}

std::optional<ClipboardData> clipboardDataFromName(const QString &name)
{
    for (ClipboardData data : {ClipboardData::NameAndAddress, ClipboardData::NameAddressPhone,
                               ClipboardData::NamePhone, ClipboardData::EMail}) {
        if (name == clipboardDataName(data))
            return data;
    }
    return std::nullopt;
}

QString clipboardText(ClipboardData data, const QString &nameLine, const FamilyAddress &family,
                      const QString &eMailAddress)
{
    switch (data) {
    case ClipboardData::NameAndAddress:
        return nameAndAddress(nameLine, family);
    case ClipboardData::NameAddressPhone:
        return nameAndAddress(nameLine, family) + CR + family.HomePhone;
    case ClipboardData::NamePhone:
        return nameLine + QLatin1String("  ") + family.HomePhone;
    case ClipboardData::EMail:
        return eMailAddress;
    }
    return {};
}

} // namespace rost
