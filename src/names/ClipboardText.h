#pragma once

#include "names/FamilyAddress.h"

#include <QString>

#include <optional>

namespace rost {

// What the Send data to clipboard dialog sends besides the name line.
enum class ClipboardData {
    NameAndAddress,   // "Name && address"
    NameAddressPhone, // "Name, address, && phone"
    NamePhone,        // "Name && phone"
    EMail,            // "E-mail address only"
};

// The batch tool's word for a choice: "name-address", "name-address-phone", "name-phone",
// "email"; and back (nullopt for any other text).
QString clipboardDataName(ClipboardData data);
std::optional<ClipboardData> clipboardDataFromName(const QString &name);

// The text the dialog puts on the clipboard. Lines are joined by a carriage return alone, with
// none after the last; values are used as read, and only Address2 is tested for emptiness, so an
// empty field keeps its separators. The e-mail address is sent alone, without the name line.
QString clipboardText(ClipboardData data, const QString &nameLine, const FamilyAddress &family,
                      const QString &eMailAddress);

} // namespace rost
