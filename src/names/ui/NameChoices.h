#pragma once

#include "names/NameLine.h"

#include <QString>

#include <array>

class QGroupBox;
class QRadioButton;

namespace rost {

// A composed line as a button caption: "&" shown as itself, never taken for an access key.
QString captionOf(const QString &line);

// Shows a composed line on its choice. A choice without a caption (a couple line without a
// spouse) still tells a screen reader what it stands for, through its description.
void showNameChoice(QRadioButton *choice, const QString &line);

// A group's caption in bold, its controls in the dialog's plain font.
void makeCaptionBold(QGroupBox *box);

// The eight name choices of a dialog's form, in the order every dialog offers them.
template <typename Form> std::array<QRadioButton *, NameLineCount> nameChoiceButtons(Form &ui)
{
    return {ui.rbFormalName,
            ui.rbFormalTitle,
            ui.rbFormalNameAndSpouse,
            ui.rbFormalNameAndSpouseTitle,
            ui.rbInformalName,
            ui.rbInformalTitle,
            ui.rbInformalNameAndSpouse,
            ui.rbInformalNameAndSpouseTitle};
}

} // namespace rost
