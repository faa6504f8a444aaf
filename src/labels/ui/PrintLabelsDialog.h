#pragma once

#include "labels/LabelJob.h"
#include "lists/ListMaker.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace rost {

class DialogLauncher;
class ProgramContext;
class RostConnection;
class SheetPreview;
struct DirectorySetup;

// "Print Labels": address labels by the sheet for everyone in the directory or for the people
// of a Make Lists list, or a sheet of return address labels; the first label to use chosen so a
// half-used sheet is not wasted. The choices, the custom sheet included, are remembered in the
// program's settings.
class PrintLabelsDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr int HelpTopic = 31;

    // With a kind and an item, the dialog opens on that list (Make Lists' "Labels for entire
    // list...").
    PrintLabelsDialog(RostConnection &connection, const DirectorySetup &setup,
                      ProgramContext &context, DialogLauncher &launcher, const QString &kind = {},
                      const QString &item = {}, QWidget *parent = nullptr);
    ~PrintLabelsDialog() override;

    // The job the widgets describe, without its people; throws LabelSheetError for a custom
    // sheet that cannot be printed on.
    LabelJob chosenJob() const;
    void PrintButtonClick();

private:
    void buildWidgets();
    void loadChoices(const QString &kind, const QString &item);
    void saveChoices() const;
    void kindChanged(const QString &kind);
    void sourceChanged();
    void sheetChanged();
    void showSheet(const LabelSheet &sheet);
    LabelSheet chosenSheet() const;
    // The custom sheet the fields describe; throws LabelSheetError.
    LabelSheet customFields() const;
    void setCustomFields(const LabelSheet &sheet);
    // The people of the source; false (the error shown) when they cannot be read.
    bool readPeople(LabelJob &job);

    RostConnection &m_connection;
    ProgramContext &m_context;
    DialogLauncher &m_launcher;
    ListMaker m_lists;

    QRadioButton *m_allRadio = nullptr;
    QRadioButton *m_listRadio = nullptr;
    QRadioButton *m_returnRadio = nullptr;
    QComboBox *m_kindCombo = nullptr;
    QComboBox *m_itemCombo = nullptr;
    QCheckBox *m_perHousehold = nullptr;
    QComboBox *m_nameCombo = nullptr;
    QLineEdit *m_userDefined = nullptr;
    QComboBox *m_sheetCombo = nullptr;
    QGroupBox *m_customBox = nullptr;
    std::array<QDoubleSpinBox *, 10> m_custom{};
    QSpinBox *m_startRow = nullptr;
    QSpinBox *m_startColumn = nullptr;
    SheetPreview *m_preview = nullptr;
    QPushButton *m_printButton = nullptr;
};

} // namespace rost
