#pragma once

#include <QtGlobal>

#include <functional>

class QDialog;
class QWidget;

namespace rost {

// The envelope dialogs the list dialogs open, installed by whoever builds the program, each run
// modally with the given parent. A hook left empty leaves its command without effect.
struct ListDialogHooks
{
    // The single-envelope dialog for one individual (its GetNames given the number).
    std::function<void(QWidget *parent, qint16 indivIdNum)> printSingleEnvelope;
    // "Envelope Preferences" on the run's envelope layout.
    std::function<void(QWidget *parent)> envelopePreferences;
    // The return address dialog.
    std::function<void(QWidget *parent)> returnAddress;
};

// Shows a dialog modally and returns its result; tests answer the dialog instead.
using ModalRunner = std::function<int(QDialog &dialog)>;

} // namespace rost
