#pragma once

#include "browse/ui/RecordDialog.h"
#include "directory/Tables.h"

namespace rost {

class RostConnection;

// "Update Family": a record form over a families cursor of its own in family-number order, so
// moving in it never moves the main window. Created for one use; destroying it closes its cursor
// and discards the current row's unsaved changes.
class UpdateFamilyDialog : public RecordDialog
{
    Q_OBJECT

public:
    static constexpr int HelpTopic = 20;

    explicit UpdateFamilyDialog(RostConnection &connection, QWidget *owner = nullptr);

    // Opens the form's cursor on the family with this number, or on the first family when no
    // family has it.
    void openAt(FamilyId familyId);

    // Discards the unsaved changes of the current row and closes.
    void reject() override;
};

} // namespace rost
