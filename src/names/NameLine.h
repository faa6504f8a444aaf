#pragma once

#include <QString>

#include <array>
#include <cstddef>
#include <optional>

namespace rost {

// The eight name lines of a person or couple, in the order every dialog offers them: the first
// four built on the First Name, the last four on the Goes By name.
enum class NameLine {
    FormalName,
    FormalTitle,
    FormalNameAndSpouse,
    FormalNameAndSpouseTitle,
    InformalName,
    InformalTitle,
    InformalNameAndSpouse,
    InformalNameAndSpouseTitle,
};

inline constexpr int NameLineCount = 8;

inline constexpr std::size_t lineIndex(NameLine line)
{
    return static_cast<std::size_t>(line);
}

const std::array<NameLine, NameLineCount> &allNameLines();

// The line's identifier as text ("FormalName"), as the batch tool and the dialogs name it.
QString nameLineName(NameLine line);
// Exact, case-sensitive match of an identifier; nullopt for any other text.
std::optional<NameLine> nameLineFromName(const QString &name);

// The four lines that name a spouse as well.
bool isCoupleLine(NameLine line);
// The one-person line a couple line falls back to in the list envelopes when there is no spouse
// (FormalNameAndSpouse to FormalName, FormalNameAndSpouseTitle to FormalTitle, and so on); a
// one-person line is its own fallback.
NameLine onePersonFallback(NameLine line);
// The couple line built on the same name as line (FormalName to FormalNameAndSpouse, FormalTitle
// to FormalNameAndSpouseTitle, and so on): what one label for a couple carries. A couple line is
// its own.
NameLine coupleOf(NameLine line);

} // namespace rost
