#pragma once

#include <QSettings>

#include <memory>

namespace rost {

// The program's own remembered choices (how the member last printed the directory, say): an INI
// file in the user's configuration folder, Rostella/rostella.ini. They belong to the member, not
// to the data folder, and never go into the two settings records, whose bytes other programs
// read.
std::unique_ptr<QSettings> programSettings();

} // namespace rost
