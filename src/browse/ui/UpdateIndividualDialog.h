#pragma once

#include "browse/ui/RecordDialog.h"

namespace rost {

// "Update individual": a record form over the main window's own member cursor, so a move here is
// a move of the main window's current member. Leaving with changes pending asks whether to save
// them.
class UpdateIndividualDialog : public RecordDialog
{
    Q_OBJECT

public:
    static constexpr int HelpTopic = 21;

    explicit UpdateIndividualDialog(Cursor &tbInd, QWidget *owner = nullptr);

    // Cancel, Escape and the close box: with changes pending, asks "save?" (Yes saves and
    // closes, No discards and closes, Cancel stays); otherwise discards any edit and closes.
    void reject() override;
};

} // namespace rost
