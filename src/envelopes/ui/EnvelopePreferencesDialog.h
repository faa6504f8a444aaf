#pragma once

#include <QDialog>
#include <QString>

#include <memory>

class QDoubleSpinBox;
class QFont;

namespace Ui {
class EnvelopePreferencesDialog;
}

namespace rost {

class DialogLauncher;
class ProgramContext;
class EnvelopeLayout;
struct EnvelopeFont;

// "Face, 12pt Bold Italic Underline": the style words only for the bits that are set, each with
// its trailing blank except the last word; strikeout is not shown.
QString envFontDescription(const EnvelopeFont &font);

// "Envelope Preferences": edits the context's envelope layout in memory, at once; "&Save" writes
// it. The test envelope prints through the launcher.
class EnvelopePreferencesDialog : public QDialog
{
    Q_OBJECT

public:
    EnvelopePreferencesDialog(ProgramContext &context, DialogLauncher &launcher,
                              QWidget *parent = nullptr);
    ~EnvelopePreferencesDialog() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    int focusedTopic() const;
    void FormActivate();
    void ShowEnvDefs();
    void ShowFonts();
    void FeedPositionComboChange(int item);
    void OrientationComboChange(int item);
    void cbPrintRetAddClick(bool checked);
    void EnvOKButtonClick();
    void ReturnToDefaultsButtonClick();
    void PrintTestButtonClick();
    void SelectPrinterButtonClick();
    void chooseFont(EnvelopeFont &font, bool printerFonts);
    void showPositions();

    std::unique_ptr<Ui::EnvelopePreferencesDialog> m_ui;
    EnvelopeLayout &m_layout;
    DialogLauncher &m_launcher;
    // The font dialog lists the printer's fonts once the delivery font has been chosen here.
    bool m_printerFonts = false;
};

} // namespace rost
