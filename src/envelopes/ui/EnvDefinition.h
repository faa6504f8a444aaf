#pragma once

#include <QDialog>
#include <QString>

#include <memory>

class QDoubleSpinBox;
class QFont;

namespace Ui {
class EnvelopeDefinitionForm;
}

namespace rost {

class tEnvDef;
struct TEnvFont;

// "Face, 12pt Bold Italic Underline": the style words only for the bits that are set, each with
// its trailing blank except the last word; strikeout is not shown.
QString envFontDescription(const TEnvFont &font);

// "Envelope Preferences": edits the run's envelope layout in memory, at once; "&Save" writes it.
class TEnvelopeDefinitionForm : public QDialog
{
    Q_OBJECT

public:
    // def defaults to the run's envelope layout.
    explicit TEnvelopeDefinitionForm(QWidget *parent = nullptr, tEnvDef *def = nullptr);
    ~TEnvelopeDefinitionForm() override;

    // The font dialog lists the printer's fonts once the delivery font has been chosen here.
    bool listsPrinterFonts() const { return m_printerFonts; }

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
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
    void chooseFont(TEnvFont &font, bool printerFonts);
    void showPositions();

    std::unique_ptr<Ui::EnvelopeDefinitionForm> m_ui;
    tEnvDef &m_layout;
    bool m_printerFonts = false;
};

} // namespace rost
