#include "book/ui/PrintDirectoryDialog.h"

#include "book/DirectoryBook.h"
#include "directory/ProgramContext.h"
#include "directory/ProgramSettings.h"
#include "envelopes/ui/PrintWithPrompts.h"
#include "platform/ui/DialogLauncher.h"
#include "platform/ui/HelpViewer.h"
#include "platform/ui/Prompts.h"

#include "ui_PrintDirectoryDialog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <array>

namespace rost {

namespace {

const QString Group = QStringLiteral("Print directory/");

QString key(const char *name)
{
    return Group + QLatin1String(name);
}

} // namespace

PrintDirectoryDialog::PrintDirectoryDialog(RostConnection &connection, const DirectorySetup &setup,
                                           ProgramContext &context, DialogLauncher &launcher,
                                           QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::PrintDirectoryDialog>()), m_connection(connection),
      m_context(context), m_launcher(launcher), m_lists(connection, setup)
{
    m_ui->setupUi(this);
    m_lists.openKindTables();
    m_ui->KindCombo->addItems(m_lists.captions());
    loadChoices();
    householdsChanged();

    connect(m_ui->PrintButton, &QPushButton::clicked, this,
            &PrintDirectoryDialog::PrintButtonClick);
    connect(m_ui->CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_ui->PictureButton, &QPushButton::clicked, this,
            &PrintDirectoryDialog::PictureButtonClick);
    connect(m_ui->NoPictureButton, &QPushButton::clicked, m_ui->PictureEdit, &QLineEdit::clear);
    connect(m_ui->AllRadio, &QRadioButton::toggled, this, &PrintDirectoryDialog::householdsChanged);
    connect(m_ui->KindCombo, &QComboBox::currentTextChanged, this,
            &PrintDirectoryDialog::kindChanged);
    installHelp(this, HelpTopic, m_ui->HelpButton);
}

PrintDirectoryDialog::~PrintDirectoryDialog() = default;

void PrintDirectoryDialog::kindChanged(const QString &kind)
{
    m_ui->ItemCombo->clear();
    guarded(this, [&] {
        if (m_lists.chooseKind(kind))
            m_ui->ItemCombo->addItems(m_lists.items());
    });
}

void PrintDirectoryDialog::householdsChanged()
{
    const bool list = m_ui->ListRadio->isChecked();
    m_ui->KindCombo->setEnabled(list);
    m_ui->ItemCombo->setEnabled(list);
}

void PrintDirectoryDialog::loadChoices()
{
    const auto settings = programSettings();
    const BookOptions defaults;
    m_ui->TitleEdit->setText(settings->value(key("Title"), defaults.title).toString());
    const QStringList lines = settings->contains(key("Line1"))
                                  ? QStringList()
                                  : defaultTitleLines(m_context.preferences());
    const std::array edits{m_ui->Line1Edit, m_ui->Line2Edit, m_ui->Line3Edit, m_ui->Line4Edit};
    for (std::size_t i = 0; i < edits.size(); ++i) {
        const QString fallback = qsizetype(i) < lines.size() ? lines.at(qsizetype(i)) : QString();
        edits[i]->setText(
            settings->value(key("Line%1").arg(i + 1).toLatin1().constData(), fallback).toString());
    }
    m_ui->PrintDateCheck->setChecked(settings->value(key("PrintDate"), true).toBool());
    m_ui->PictureEdit->setText(settings->value(key("Picture")).toString());
    const bool list = settings->value(key("Households")).toString() == QLatin1String("list");
    m_ui->ListRadio->setChecked(list);
    m_ui->AllRadio->setChecked(!list);
    const int kind = m_ui->KindCombo->findText(settings->value(key("Kind")).toString());
    m_ui->KindCombo->setCurrentIndex(std::max(kind, 0));
    kindChanged(m_ui->KindCombo->currentText());
    m_ui->ItemCombo->setCurrentIndex(
        std::max(m_ui->ItemCombo->findText(settings->value(key("Item")).toString()), 0));
    m_ui->LayoutCombo->setCurrentIndex(
        std::clamp(settings->value(key("Layout"), int(defaults.style)).toInt(), 0,
                   m_ui->LayoutCombo->count() - 1));
    m_ui->BookletCheck->setChecked(settings->value(key("Booklet"), false).toBool());
    m_ui->IndexCheck->setChecked(settings->value(key("Index"), true).toBool());
}

void PrintDirectoryDialog::saveChoices() const
{
    const auto settings = programSettings();
    settings->setValue(key("Title"), m_ui->TitleEdit->text());
    settings->setValue(key("Line1"), m_ui->Line1Edit->text());
    settings->setValue(key("Line2"), m_ui->Line2Edit->text());
    settings->setValue(key("Line3"), m_ui->Line3Edit->text());
    settings->setValue(key("Line4"), m_ui->Line4Edit->text());
    settings->setValue(key("PrintDate"), m_ui->PrintDateCheck->isChecked());
    settings->setValue(key("Picture"), m_ui->PictureEdit->text());
    settings->setValue(key("Households"), m_ui->ListRadio->isChecked() ? QStringLiteral("list")
                                                                       : QStringLiteral("all"));
    settings->setValue(key("Kind"), m_ui->KindCombo->currentText());
    settings->setValue(key("Item"), m_ui->ItemCombo->currentText());
    settings->setValue(key("Layout"), m_ui->LayoutCombo->currentIndex());
    settings->setValue(key("Booklet"), m_ui->BookletCheck->isChecked());
    settings->setValue(key("Index"), m_ui->IndexCheck->isChecked());
}

BookOptions PrintDirectoryDialog::chosenOptions() const
{
    BookOptions options;
    options.title = m_ui->TitleEdit->text();
    for (const QLineEdit *edit :
         {m_ui->Line1Edit, m_ui->Line2Edit, m_ui->Line3Edit, m_ui->Line4Edit}) {
        options.titleLines << edit->text();
    }
    // Empty lines at the end would only push the picture down.
    while (!options.titleLines.isEmpty() && options.titleLines.last().isEmpty())
        options.titleLines.removeLast();
    if (m_ui->PrintDateCheck->isChecked())
        options.printedOn = QDate::currentDate();
    options.style = BookStyle(m_ui->LayoutCombo->currentIndex());
    options.booklet = m_ui->BookletCheck->isChecked();
    options.index = m_ui->IndexCheck->isChecked();
    return options;
}

QString PrintDirectoryDialog::picturePath() const
{
    return m_ui->PictureEdit->text();
}

void PrintDirectoryDialog::PictureButtonClick()
{
    const QString path = Prompts::instance().openFile(
        this, QStringLiteral("Title Page Picture"), QFileInfo(picturePath()).absolutePath(),
        QStringLiteral("Pictures (*.jpg *.jpeg *.bmp *.gif *.pcx *.png *.tif *.tiff);;"
                       "All files (*)"));
    if (!path.isEmpty())
        m_ui->PictureEdit->setText(path);
}

bool PrintDirectoryDialog::readTitlePicture(BookOptions &options)
{
    if (picturePath().isEmpty())
        return true;
    QFile file(picturePath());
    if (file.open(QIODevice::ReadOnly)) {
        options.titlePicture = file.readAll();
        return true;
    }
    Prompts::instance().message(
        this, MessageKind::Error, applicationTitle(),
        QStringLiteral("The title page picture %1 cannot be read: %2")
            .arg(QDir::toNativeSeparators(picturePath()), file.errorString()));
    return false;
}

void PrintDirectoryDialog::PrintButtonClick()
{
    saveChoices();
    m_leftOut.clear();
    BookOptions options = chosenOptions();
    if (!readTitlePicture(options))
        return;
    BookContents contents;
    std::optional<FamilyPictures> pictures;
    const bool read = guarded(this, [&] {
        std::optional<QSet<FamilyId>> only;
        if (m_ui->ListRadio->isChecked() &&
            m_lists.chooseItem(m_ui->KindCombo->currentText(), m_ui->ItemCombo->currentText()))
            only = familiesOfPeople(m_lists.tbSQL());
        else if (m_ui->ListRadio->isChecked())
            only = QSet<FamilyId>();
        contents = readBookContents(m_connection, only, options.index);
        pictures.emplace(m_connection);
    });
    if (!read)
        return;
    if (contents.households.empty()) {
        Prompts::instance().message(this, MessageKind::Information, applicationTitle(),
                                    QStringLiteral("No household is on this list, so nothing was "
                                                   "printed."));
        return;
    }
    const bool ran = m_launcher.printReport(
        this,
        [&](PrintSurface &surface, const PageStarted &pageStarted) {
            m_leftOut = printDirectoryBook(surface, contents, options, *pictures, pageStarted);
        },
        printoutName(QStringLiteral("Church Directory"),
                     m_ui->ListRadio->isChecked() ? m_ui->ItemCombo->currentText() : QString()),
        bookOrientation(options));
    if (!m_leftOut.isEmpty())
        Prompts::instance().message(
            this, MessageKind::Warning, applicationTitle(),
            (QStringList(QStringLiteral("These pictures could not be printed; their frames were "
                                        "left empty:")) +
             m_leftOut)
                .join(QLatin1Char('\r')));
    if (ran)
        accept();
}

} // namespace rost
