#include "names/ui/ClipboardDialog.h"

#include "platform/ui/HelpViewer.h"
#include "platform/ui/Prompts.h"

#include "ui_ClipboardDialog.h"

#include <QClipboard>
#include <QGuiApplication>

namespace rost {

ClipboardDialog::ClipboardDialog(RostConnection &connection, QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::ClipboardDialog>()), m_composer(connection)
{
    m_ui->setupUi(this);
    makeCaptionBold(m_ui->GroupBox1);
    makeCaptionBold(m_ui->GroupBox2);
    m_nameChoices = nameChoiceButtons(*m_ui);
    for (QRadioButton *choice : m_nameChoices)
        choice->setAccessibleDescription(choice->accessibleName());

    connect(m_ui->SendDataButton, &QPushButton::clicked, this,
            &ClipboardDialog::SendDataButtonClick);
    connect(m_ui->CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    installHelp(this, HelpTopic, m_ui->HelpButton);
}

ClipboardDialog::~ClipboardDialog() = default;

void ClipboardDialog::GetNames(IndivId indivIdNum)
{
    m_names = m_composer.GetNames(indivIdNum, true);
    for (NameLine line : allNameLines())
        setCaption(line);
}

void ClipboardDialog::setCaption(NameLine line)
{
    showNameChoice(nameChoice(line), m_names.line(line));
}

void ClipboardDialog::FormActivate()
{
    for (NameLine line : allNameLines()) {
        if (!isCoupleLine(line))
            setCaption(line);
    }
}

void ClipboardDialog::showEvent(QShowEvent *event)
{
    FormActivate();
    QDialog::showEvent(event);
}

QRadioButton *ClipboardDialog::nameChoice(NameLine line) const
{
    return m_nameChoices[lineIndex(line)];
}

QRadioButton *ClipboardDialog::dataChoice(ClipboardData which) const
{
    switch (which) {
    case ClipboardData::NameAndAddress:
        return m_ui->rbNameAndAddress;
    case ClipboardData::NameAddressPhone:
        return m_ui->rbNameAddressPhone;
    case ClipboardData::NamePhone:
        return m_ui->rbNamePhone;
    case ClipboardData::EMail:
        return m_ui->rbEMail;
    }
    return m_ui->rbNameAndAddress;
}

ClipboardData ClipboardDialog::chosenData() const
{
    for (ClipboardData choice :
         {ClipboardData::NameAddressPhone, ClipboardData::NamePhone, ClipboardData::EMail}) {
        if (dataChoice(choice)->isChecked())
            return choice;
    }
    return ClipboardData::NameAndAddress;
}

NameLine ClipboardDialog::chosenNameLine() const
{
    for (NameLine line : allNameLines()) {
        if (nameChoice(line)->isChecked())
            return line;
    }
    return NameLine::FormalName;
}

QString ClipboardDialog::composedText()
{
    const ClipboardData which = chosenData();
    // The e-mail address needs no family; the other texts need the individual's own family and
    // get no other family's address when it is missing.
    const FamilyAddress family = which == ClipboardData::EMail
                                     ? FamilyAddress()
                                     : m_composer.familyAddress(m_names.FamilyIdNum);
    return clipboardText(which, chosenLine(), family, m_names.EMailAddress);
}

void ClipboardDialog::SendDataButtonClick()
{
    QString text;
    if (!guarded(this, [this, &text] { text = composedText(); }))
        return;
    if (QClipboard *clipboard = QGuiApplication::clipboard())
        clipboard->setText(text);
    else
        showError(this, QStringLiteral("Cannot open clipboard"));
    accept();
}

} // namespace rost
