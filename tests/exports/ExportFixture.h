#pragma once

#include <QString>

namespace rost::test {

// A directory of the exports' hard cases, written into folder:
//   family 1 Müller (Königstraße 5, Zürich ZH 8001, Switzerland, a 600 x 300 PNG picture):
//     11 Dr Zoë Ångström Müller PhD, Goes By Zo, every phone, e-mail; 12 Élodie Müller
//   family 2 "Doe, Jr.; III" (1 Comma, Lane; Rear, Salem; a picture that does not decode):
//     21 "John, Jr." A\B "Doe; Smith", no Goes By
//   family 3 Intl (an international address of three lines with quotes and a caret): 31 Ann Intl
//   family 4 Empty (no address at all): 41 Noah Empty
//   no family 9: 51 Lost Soul
//   family 1 again: 61 with a hostile name that begins like a formula and holds CR, LF and a
//     control character
// Offices: 11 Usher, 11 Elder, 12 Usher, 61 Usher.  Activities: 11 Choir.
void writeExportDirectory(const QString &folder);

} // namespace rost::test
