#include "labels/ui/PrintLabelsDialog.h"

#include "directory/ProgramContext.h"
#include "directory/ProgramSettings.h"
#include "envelopes/ui/PrintWithPrompts.h"
#include "labels/ui/SheetPreview.h"
#include "platform/render/PrintSession.h"
#include "platform/ui/DialogLauncher.h"
#include "platform/ui/HelpViewer.h"
#include "platform/ui/Prompts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPageSize>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSpinBox>
#include <QVBoxLayout>

namespace rost {

namespace {

const QString Group = QStringLiteral("Print labels/");

QString key(const char *name)
{
    return Group + QLatin1String(name);
}

// The name choices as the list envelopes show them, then the member's own text.
const char *const NameCaptions[] = {
    "William Smith",          "Mr William Smith",    "William & Matilda Smith",
    "Mr & Mrs William Smith", "Bill Smith",          "Mr Bill Smith",
    "Bill & Mattie Smith",    "Mr & Mrs Bill Smith", "User defined",
};
constexpr int UserDefinedChoice = NameLineCount;

// The custom sheet's fields, in the order of its text form.
struct CustomField
{
    const char *name;
    const char *caption;
    int decimals;
    double max;
};
constexpr CustomField CustomFields[] = {
    {"PaperWidthSpin", "Paper wi&dth:", 4, 100},
    {"PaperHeightSpin", "Paper hei&ght:", 4, 100},
    {"RowsSpin", "&Rows:", 0, 100},
    {"ColumnsSpin", "&Columns:", 0, 100},
    {"TopSpin", "&Top margin:", 4, 100},
    {"LeftSpin", "&Left margin:", 4, 100},
    {"LabelWidthSpin", "Label w&idth:", 4, 100},
    {"LabelHeightSpin", "L&abel height:", 4, 100},
    {"HPitchSpin", "Hori&zontal pitch:", 4, 100},
    {"VPitchSpin", "&Vertical pitch:", 4, 100},
};

template <typename W> W *named(W *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

} // namespace

PrintLabelsDialog::PrintLabelsDialog(RostConnection &connection, const DirectorySetup &setup,
                                     ProgramContext &context, DialogLauncher &launcher,
                                     const QString &kind, const QString &item, QWidget *parent)
    : QDialog(parent), m_connection(connection), m_context(context), m_launcher(launcher),
      m_lists(connection, setup)
{
    setObjectName(QStringLiteral("PrintLabelsDialog"));
    setWindowTitle(QStringLiteral("Print Labels"));
    buildWidgets();
    m_lists.openKindTables();
    m_kindCombo->addItems(m_lists.captions());
    loadChoices(kind, item);
}

PrintLabelsDialog::~PrintLabelsDialog() = default;

void PrintLabelsDialog::buildWidgets()
{
    auto *sourceBox = named(new QGroupBox(QStringLiteral(" Labels for "), this), "SourceGroup");
    m_allRadio = named(new QRadioButton(QStringLiteral("&Everyone in the directory")), "AllRadio");
    m_listRadio = named(new QRadioButton(QStringLiteral("The people &holding")), "ListRadio");
    m_kindCombo = named(new QComboBox, "KindCombo");
    m_kindCombo->setAccessibleName(QStringLiteral("List field"));
    m_itemCombo = named(new QComboBox, "ItemCombo");
    m_itemCombo->setAccessibleName(QStringLiteral("Item"));
    m_returnRadio =
        named(new QRadioButton(QStringLiteral("A sheet of return address la&bels")), "ReturnRadio");
    m_perHousehold =
        named(new QCheckBox(QStringLiteral("&One label per household")), "PerHouseholdCheck");
    auto *sourceLayout = new QGridLayout(sourceBox);
    sourceLayout->addWidget(m_allRadio, 0, 0, 1, 3);
    sourceLayout->addWidget(m_listRadio, 1, 0);
    sourceLayout->addWidget(m_kindCombo, 1, 1);
    sourceLayout->addWidget(m_itemCombo, 1, 2);
    sourceLayout->addWidget(m_returnRadio, 2, 0, 1, 3);
    sourceLayout->addWidget(m_perHousehold, 3, 0, 1, 3);

    auto *nameBox = named(new QGroupBox(QStringLiteral(" Name options ")), "NameGroup");
    m_nameCombo = named(new QComboBox, "NameCombo");
    m_nameCombo->setAccessibleName(QStringLiteral("Name line"));
    for (const char *caption : NameCaptions)
        m_nameCombo->addItem(QString::fromUtf8(caption));
    m_userDefined = named(new QLineEdit, "UserDefinedEdit");
    m_userDefined->setAccessibleName(QStringLiteral("User defined"));
    m_userDefined->setMaxLength(255);
    auto *nameLayout = new QHBoxLayout(nameBox);
    nameLayout->addWidget(m_nameCombo);
    nameLayout->addWidget(m_userDefined, 1);

    auto *sheetBox = named(new QGroupBox(QStringLiteral(" Sheet ")), "SheetGroup");
    m_sheetCombo = named(new QComboBox, "SheetCombo");
    m_sheetCombo->setAccessibleName(QStringLiteral("Sheet"));
    for (const LabelSheet &sheet : builtInSheets())
        m_sheetCombo->addItem(
            sheet.name + QStringLiteral(" (") + sheet.description + QLatin1Char(')'), sheet.name);
    m_sheetCombo->addItem(QStringLiteral("Custom sheet"), QStringLiteral("custom"));
    m_customBox = named(new QGroupBox(QStringLiteral(" Custom sheet, in inches ")), "CustomGroup");
    // Two fields a row, so that the dialog fits a small screen at a large scale.
    auto *customLayout = new QGridLayout(m_customBox);
    for (std::size_t i = 0; i < m_custom.size(); ++i) {
        const CustomField &f = CustomFields[i];
        auto *spin = named(new QDoubleSpinBox, f.name);
        spin->setAccessibleName(QString::fromUtf8(f.caption).remove(QLatin1Char('&')).chopped(1));
        spin->setDecimals(f.decimals);
        spin->setRange(0, f.max);
        spin->setSingleStep(f.decimals == 0 ? 1 : 0.0625);
        auto *label = new QLabel(QString::fromUtf8(f.caption));
        label->setBuddy(spin);
        const int row = int(i / 2);
        const int column = int(i % 2) * 2;
        customLayout->addWidget(label, row, column);
        customLayout->addWidget(spin, row, column + 1);
        m_custom[i] = spin;
        connect(spin, &QDoubleSpinBox::valueChanged, this, &PrintLabelsDialog::sheetChanged);
    }
    m_startRow = named(new QSpinBox, "StartRowSpin");
    m_startRow->setAccessibleName(QStringLiteral("First label, row"));
    m_startColumn = named(new QSpinBox, "StartColumnSpin");
    m_startColumn->setAccessibleName(QStringLiteral("First label, column"));
    m_preview = named(new SheetPreview, "SheetPreview");
    auto *startLayout = new QFormLayout;
    startLayout->addRow(QStringLiteral("&Sheet:"), m_sheetCombo);
    startLayout->addRow(QStringLiteral("First label, ro&w:"), m_startRow);
    startLayout->addRow(QStringLiteral("First label, colu&mn:"), m_startColumn);
    auto *sheetLayout = new QGridLayout(sheetBox);
    sheetLayout->addLayout(startLayout, 0, 0);
    sheetLayout->addWidget(m_customBox, 1, 0);
    sheetLayout->addWidget(m_preview, 0, 1, 2, 1, Qt::AlignTop);

    auto *buttons = named(new QDialogButtonBox, "Buttons");
    m_printButton =
        named(buttons->addButton(QStringLiteral("&Print Labels"), QDialogButtonBox::AcceptRole),
              "PrintButton");
    m_printButton->setDefault(true);
    auto *closeButton = named(buttons->addButton(QDialogButtonBox::Close), "CloseButton");
    auto *helpButton = named(buttons->addButton(QDialogButtonBox::Help), "HelpButton");

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(sourceBox);
    layout->addWidget(nameBox);
    layout->addWidget(sheetBox);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_printButton, &QPushButton::clicked, this, &PrintLabelsDialog::PrintButtonClick);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_allRadio, &QRadioButton::toggled, this, &PrintLabelsDialog::sourceChanged);
    connect(m_listRadio, &QRadioButton::toggled, this, &PrintLabelsDialog::sourceChanged);
    connect(m_kindCombo, &QComboBox::currentTextChanged, this, &PrintLabelsDialog::kindChanged);
    connect(m_nameCombo, &QComboBox::currentIndexChanged, this, &PrintLabelsDialog::sourceChanged);
    connect(m_sheetCombo, &QComboBox::currentIndexChanged, this, &PrintLabelsDialog::sheetChanged);
    connect(m_startRow, &QSpinBox::valueChanged, this, [this](int row) {
        m_preview->setStart({row, m_startColumn->value()});
    });
    connect(m_startColumn, &QSpinBox::valueChanged, this, [this](int column) {
        m_preview->setStart({m_startRow->value(), column});
    });
    connect(m_preview, &SheetPreview::startChosen, this, [this](LabelStart start) {
        m_startRow->setValue(start.row);
        m_startColumn->setValue(start.column);
    });
    installHelp(this, HelpTopic, helpButton);

    // Top to bottom as the dialog reads: the start before the custom sheet's fields.
    std::vector<QWidget *> order{m_allRadio,    m_listRadio,    m_kindCombo,  m_itemCombo,
                                 m_returnRadio, m_perHousehold, m_nameCombo,  m_userDefined,
                                 m_sheetCombo,  m_startRow,     m_startColumn};
    order.insert(order.end(), m_custom.begin(), m_custom.end());
    order.insert(order.end(), {m_printButton, closeButton, helpButton});
    for (std::size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void PrintLabelsDialog::kindChanged(const QString &kind)
{
    m_itemCombo->clear();
    guarded(this, [&] {
        if (m_lists.chooseKind(kind))
            m_itemCombo->addItems(m_lists.items());
    });
}

void PrintLabelsDialog::sourceChanged()
{
    const bool people = !m_returnRadio->isChecked();
    m_kindCombo->setEnabled(m_listRadio->isChecked());
    m_itemCombo->setEnabled(m_listRadio->isChecked());
    m_perHousehold->setEnabled(people);
    m_nameCombo->setEnabled(people);
    m_userDefined->setEnabled(people && m_nameCombo->currentIndex() == UserDefinedChoice);
}

LabelSheet PrintLabelsDialog::chosenSheet() const
{
    if (const auto sheet = builtInSheet(m_sheetCombo->currentData().toString()))
        return *sheet;
    return customFields();
}

void PrintLabelsDialog::showSheet(const LabelSheet &sheet)
{
    m_preview->setSheet(sheet);
    m_startRow->setRange(1, sheet.rows);
    m_startColumn->setRange(1, sheet.columns);
    m_preview->setStart({m_startRow->value(), m_startColumn->value()});
}

void PrintLabelsDialog::setCustomFields(const LabelSheet &sheet)
{
    const QStringList numbers = customSheetText(sheet).split(QLatin1Char(','));
    for (std::size_t i = 0; i < m_custom.size(); ++i) {
        const QSignalBlocker block(m_custom[i]);
        m_custom[i]->setValue(numbers.at(qsizetype(i)).toDouble());
    }
}

LabelSheet PrintLabelsDialog::customFields() const
{
    QStringList numbers;
    for (const QDoubleSpinBox *spin : m_custom)
        numbers << QString::number(spin->value(), 'g', 10);
    return customSheet(numbers.join(QLatin1Char(',')));
}

void PrintLabelsDialog::sheetChanged()
{
    const std::optional<LabelSheet> builtIn = builtInSheet(m_sheetCombo->currentData().toString());
    m_customBox->setEnabled(!builtIn);
    if (builtIn) {
        // A custom sheet not yet defined starts from the sheet shown, the nearest to a new one.
        try {
            customFields();
        } catch (const LabelSheetError &) {
            setCustomFields(*builtIn);
        }
        showSheet(*builtIn);
        return;
    }
    try {
        showSheet(customFields());
        m_printButton->setToolTip({});
    } catch (const LabelSheetError &e) {
        m_preview->setSheet({});
        m_printButton->setToolTip(e.text);
    }
}

void PrintLabelsDialog::loadChoices(const QString &kind, const QString &item)
{
    const auto settings = programSettings();
    const QString source =
        kind.isEmpty() ? settings->value(key("Labels")).toString() : QStringLiteral("list");
    m_listRadio->setChecked(source == QLatin1String("list"));
    m_returnRadio->setChecked(source == QLatin1String("return"));
    m_allRadio->setChecked(!m_listRadio->isChecked() && !m_returnRadio->isChecked());
    const QString chosenKind = kind.isEmpty() ? settings->value(key("Kind")).toString() : kind;
    m_kindCombo->setCurrentIndex(std::max(m_kindCombo->findText(chosenKind), 0));
    kindChanged(m_kindCombo->currentText());
    const QString chosenItem = item.isEmpty() ? settings->value(key("Item")).toString() : item;
    m_itemCombo->setCurrentIndex(std::max(m_itemCombo->findText(chosenItem), 0));
    m_perHousehold->setChecked(settings->value(key("PerHousehold"), true).toBool());
    m_nameCombo->setCurrentIndex(
        std::clamp(settings->value(key("Name"), 0).toInt(), 0, UserDefinedChoice));
    m_userDefined->setText(settings->value(key("Text")).toString());

    try {
        setCustomFields(customSheet(settings->value(key("Custom")).toString()));
    } catch (const LabelSheetError &) {
        // None remembered, or a damaged one: the fields start from the chosen sheet.
    }
    {
        const QSignalBlocker block(m_sheetCombo);
        m_sheetCombo->setCurrentIndex(
            std::max(m_sheetCombo->findData(settings->value(key("Sheet")).toString()), 0));
    }
    m_startRow->setRange(1, 100);
    m_startColumn->setRange(1, 100);
    m_startRow->setValue(settings->value(key("StartRow"), 1).toInt());
    m_startColumn->setValue(settings->value(key("StartColumn"), 1).toInt());
    sheetChanged();
    sourceChanged();
}

void PrintLabelsDialog::saveChoices() const
{
    const auto settings = programSettings();
    settings->setValue(key("Labels"), m_listRadio->isChecked()     ? QStringLiteral("list")
                                      : m_returnRadio->isChecked() ? QStringLiteral("return")
                                                                   : QStringLiteral("all"));
    settings->setValue(key("Kind"), m_kindCombo->currentText());
    settings->setValue(key("Item"), m_itemCombo->currentText());
    settings->setValue(key("PerHousehold"), m_perHousehold->isChecked());
    settings->setValue(key("Name"), m_nameCombo->currentIndex());
    settings->setValue(key("Text"), m_userDefined->text());
    settings->setValue(key("Sheet"), m_sheetCombo->currentData().toString());
    QStringList numbers;
    for (const QDoubleSpinBox *spin : m_custom)
        numbers << QString::number(spin->value(), 'g', 10);
    settings->setValue(key("Custom"), numbers.join(QLatin1Char(',')));
    settings->setValue(key("StartRow"), m_startRow->value());
    settings->setValue(key("StartColumn"), m_startColumn->value());
}

LabelJob PrintLabelsDialog::chosenJob() const
{
    LabelJob job;
    job.sheet = chosenSheet();
    job.start = {m_startRow->value(), m_startColumn->value()};
    job.returnAddress = m_returnRadio->isChecked();
    job.perHousehold = m_perHousehold->isChecked();
    if (m_nameCombo->currentIndex() == UserDefinedChoice) {
        job.style.style.reset();
        job.style.userDefined = m_userDefined->text();
    } else {
        job.style.style = allNameLines().at(std::size_t(m_nameCombo->currentIndex()));
    }
    return job;
}

bool PrintLabelsDialog::readPeople(LabelJob &job)
{
    return guarded(this, [&] {
        if (m_allRadio->isChecked())
            job.people = everyoneInDirectory(m_connection);
        else if (m_listRadio->isChecked() &&
                 m_lists.chooseItem(m_kindCombo->currentText(), m_itemCombo->currentText()))
            job.people = peopleOfList(m_lists.tbSQL());
    });
}

void PrintLabelsDialog::PrintButtonClick()
{
    saveChoices();
    LabelJob job;
    try {
        job = chosenJob();
    } catch (const LabelSheetError &e) {
        Prompts::instance().message(
            this, MessageKind::Error, applicationTitle(),
            QStringLiteral("This sheet cannot be printed on: %1").arg(e.text));
        return;
    }
    if (!readPeople(job))
        return;
    LabelPrintout printout;
    if (!guarded(this,
                 [&] { printout = composeLabels(m_connection, m_context.preferences(), job); }))
        return;
    showWarnings(this, printout.warnings);
    if (printout.labels.empty()) {
        Prompts::instance().message(this, MessageKind::Information, applicationTitle(),
                                    job.returnAddress
                                        ? QStringLiteral("The return address is empty, so there "
                                                         "is nothing to print on the labels.")
                                        : QStringLiteral("No one is on this list, so no label "
                                                         "was printed."));
        return;
    }
    // The sheet decides the paper, whatever the printer was last set to; the printer keeps its
    // own paper for the other jobs.
    QPrinter &printer = PrintSession::instance().printer();
    const QPageLayout before = printer.pageLayout();
    const auto restore = qScopeGuard([&] { printer.setPageLayout(before); });
    printer.setPageSize(QPageSize(job.sheet.paper, QPageSize::Inch));
    QStringList cut;
    const EnvelopeFont font = m_context.envelopeLayout().DelFont;
    const bool ran = m_launcher.printReport(
        this,
        [&](PrintSurface &surface, const PageStarted &pageStarted) {
            cut = printout.draw(surface, font, pageStarted);
        },
        printoutName(QStringLiteral("Labels"),
                     m_listRadio->isChecked() ? m_itemCombo->currentText() : QString()));
    showWarnings(this, cut);
    if (ran)
        accept();
}

} // namespace rost
