#include "platform/ui/FontChooserDialog.h"

#include "platform/ui/HelpViewer.h"

#include "ui_FontChooserDialog.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QIntValidator>
#include <QPushButton>
#include <QSignalBlocker>

#include <limits>

namespace rost {

FontChooserDialog::FontChooserDialog(const QFont &initial, QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::FontChooserDialog>()), m_initial(initial),
      m_face(initial.family())
{
    m_ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    m_ui->FaceList->addItems(QFontDatabase::families());
    m_ui->FaceEdit->setText(m_face);
    const QList<QListWidgetItem *> shown =
        m_ui->FaceList->findItems(listedFace(), Qt::MatchFixedString);
    if (!shown.isEmpty()) {
        m_ui->FaceList->setCurrentItem(shown.front());
        m_ui->FaceList->scrollToItem(shown.front(), QAbstractItemView::PositionAtTop);
    }
    fillStyles(initial.bold(), initial.italic());

    // Sizes have no limits; the list only offers the usual ones.
    for (int size : QFontDatabase::standardSizes())
        m_ui->SizeCombo->addItem(QString::number(size));
    m_ui->SizeCombo->setValidator(
        new QIntValidator(1, std::numeric_limits<int>::max(), m_ui->SizeCombo));
    m_ui->SizeCombo->setEditText(
        QString::number(initial.pointSize() > 0 ? initial.pointSize() : QFont().pointSize()));
    showSample();

    connect(m_ui->FaceList, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { pickFace(item->text()); });
    connect(m_ui->FaceList, &QListWidget::currentTextChanged, this, [this](const QString &face) {
        // Moving through the list with the keys picks as a click does.
        if (m_ui->FaceList->hasFocus() && !face.isEmpty())
            pickFace(face);
    });
    connect(m_ui->FaceEdit, &QLineEdit::textEdited, this, &FontChooserDialog::faceTyped);
    connect(m_ui->StyleList, &QListWidget::currentRowChanged, this, &FontChooserDialog::showSample);
    connect(m_ui->SizeCombo, &QComboBox::currentTextChanged, this, [this] {
        m_ui->Buttons->button(QDialogButtonBox::Ok)
            ->setEnabled(m_ui->SizeCombo->lineEdit()->hasAcceptableInput());
        showSample();
    });
    connect(m_ui->Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_ui->Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    installHelp(this, HelpTopic, m_ui->Buttons->button(QDialogButtonBox::Help));
}

FontChooserDialog::~FontChooserDialog() = default;

QString FontChooserDialog::listedFace() const
{
    if (QFontDatabase::hasFamily(m_face))
        return m_face;
    return QFontInfo(QFont(m_face)).family();
}

void FontChooserDialog::pickFace(const QString &face)
{
    if (face == m_face)
        return;
    m_ui->FaceEdit->setText(face);
    setFace(face);
}

void FontChooserDialog::faceTyped(const QString &text)
{
    const QList<QListWidgetItem *> found = m_ui->FaceList->findItems(text, Qt::MatchStartsWith);
    if (text.isEmpty() || found.isEmpty())
        return;
    m_ui->FaceList->setCurrentItem(found.front());
    m_ui->FaceList->scrollToItem(found.front(), QAbstractItemView::PositionAtTop);
    setFace(found.front()->text());
}

void FontChooserDialog::setFace(const QString &face)
{
    // The new face is offered in the style shown so far, where it has one.
    const QFont before = chosenFont();
    m_face = face;
    fillStyles(before.bold(), before.italic());
    showSample();
}

void FontChooserDialog::fillStyles(bool bold, bool italic)
{
    const QString face = listedFace();
    const QSignalBlocker block(m_ui->StyleList);
    m_ui->StyleList->clear();
    m_ui->StyleList->addItems(QFontDatabase::styles(face));
    int row = 0;
    for (int i = m_ui->StyleList->count() - 1; i >= 0; --i) {
        const QString style = m_ui->StyleList->item(i)->text();
        if (QFontDatabase::bold(face, style) == bold &&
            QFontDatabase::italic(face, style) == italic)
            row = i;
    }
    m_ui->StyleList->setCurrentRow(row);
}

QFont FontChooserDialog::chosenFont() const
{
    QFont font(m_face);
    const int size = m_ui->SizeCombo->currentText().toInt();
    if (size > 0)
        font.setPointSize(size);
    if (const QListWidgetItem *style = m_ui->StyleList->currentItem()) {
        font.setBold(QFontDatabase::bold(listedFace(), style->text()));
        font.setItalic(QFontDatabase::italic(listedFace(), style->text()));
    } else {
        font.setBold(m_initial.bold());
        font.setItalic(m_initial.italic());
    }
    font.setUnderline(m_initial.underline());
    font.setStrikeOut(m_initial.strikeOut());
    return font;
}

void FontChooserDialog::showSample()
{
    m_ui->SampleText->setFont(chosenFont());
}

} // namespace rost
