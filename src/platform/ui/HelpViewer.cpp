#include "platform/ui/HelpViewer.h"

#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QSplitter>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <algorithm>

// Resources of a static library are only linked in when something names them.
static void initHelpResources()
{
    Q_INIT_RESOURCE(help);
}

namespace rost {

namespace {

const QString contentsPage = QStringLiteral("qrc:/help/contents.html");

QUrl topicUrl(int number)
{
    return QUrl(QStringLiteral("qrc:/help/%1.html").arg(number));
}

HelpViewer::Topic readTopic(int number, const QString &path)
{
    QFile file(path);
    HelpViewer::Topic t;
    t.number = number;
    if (!file.open(QIODevice::ReadOnly))
        return t;
    const QString html = QString::fromUtf8(file.readAll());
    static const QRegularExpression title(QStringLiteral("<title>(.*?)</title>"),
                                          QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression keywords(
        QStringLiteral("<meta\\s+name=\"keywords\"\\s+content=\"([^\"]*)\""));
    if (const auto m = title.match(html); m.hasMatch())
        t.title = m.captured(1).simplified();
    if (const auto m = keywords.match(html); m.hasMatch()) {
        for (const QString &k : m.captured(1).split(QLatin1Char(';'), Qt::SkipEmptyParts))
            if (!k.trimmed().isEmpty())
                t.keywords << k.trimmed();
    }
    return t;
}

struct IndexEntry
{
    QString keyword;
    int topic;
};

std::vector<IndexEntry> indexEntries()
{
    std::vector<IndexEntry> entries;
    for (const auto &t : HelpViewer::topics()) {
        entries.push_back({t.title, t.number});
        for (const QString &k : t.keywords)
            entries.push_back({k, t.number});
    }
    std::sort(entries.begin(), entries.end(), [](const IndexEntry &a, const IndexEntry &b) {
        const int c = a.keyword.compare(b.keyword, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a.topic < b.topic;
    });
    return entries;
}

QPointer<HelpViewer> &theViewer()
{
    static QPointer<HelpViewer> viewer;
    return viewer;
}

} // namespace

const std::vector<HelpViewer::Topic> &HelpViewer::topics()
{
    static const std::vector<Topic> all = [] {
        initHelpResources();
        std::vector<Topic> list;
        const QDir dir(QStringLiteral(":/help"));
        for (const QString &name : dir.entryList({QStringLiteral("*.html")}, QDir::Files)) {
            bool ok = false;
            const int number = QFileInfo(name).completeBaseName().toInt(&ok);
            if (ok)
                list.push_back(readTopic(number, dir.filePath(name)));
        }
        std::sort(list.begin(), list.end(),
                  [](const Topic &a, const Topic &b) { return a.number < b.number; });
        return list;
    }();
    return all;
}

bool HelpViewer::hasTopic(int number)
{
    const auto &all = topics();
    return std::any_of(all.begin(), all.end(),
                       [number](const Topic &t) { return t.number == number; });
}

HelpViewer *HelpViewer::instance(QWidget *parent)
{
    if (!theViewer())
        theViewer() = new HelpViewer(parent);
    return theViewer();
}

HelpViewer::HelpViewer(QWidget *parent) : QWidget(parent, Qt::Window)
{
    initHelpResources();
    setAttribute(Qt::WA_DeleteOnClose, false);
    setWindowTitle(tr("Rostella Help"));
    resize(760, 560);

    auto *contents = new QPushButton(tr("&Contents"), this);
    auto *search = new QPushButton(tr("&Search"), this);
    auto *back = new QPushButton(tr("&Back"), this);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(contents);
    buttons->addWidget(search);
    buttons->addWidget(back);
    buttons->addStretch();

    m_searchPanel = new QWidget(this);
    auto *label =
        new QLabel(tr("Type the first letters of the word you are looking for:"), m_searchPanel);
    label->setWordWrap(true);
    m_searchEdit = new QLineEdit(m_searchPanel);
    m_searchEdit->setAccessibleName(tr("Search for"));
    label->setBuddy(m_searchEdit);
    m_index = new QListWidget(m_searchPanel);
    m_index->setObjectName(QStringLiteral("HelpIndex"));
    m_index->setAccessibleName(tr("Help index"));
    auto *panelLayout = new QVBoxLayout(m_searchPanel);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->addWidget(label);
    panelLayout->addWidget(m_searchEdit);
    panelLayout->addWidget(m_index);
    m_searchPanel->hide();

    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("HelpTopic"));
    m_browser->setOpenLinks(false);
    m_browser->setAccessibleName(tr("Help topic"));

    auto *splitter = new QSplitter(this);
    splitter->addWidget(m_searchPanel);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(1, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(splitter);

    connect(contents, &QPushButton::clicked, this, &HelpViewer::showContents);
    connect(search, &QPushButton::clicked, this, [this] { showSearch(m_searchEdit->text()); });
    connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_searchEdit, &QLineEdit::textChanged, this, &HelpViewer::filterIndex);
    connect(m_searchEdit, &QLineEdit::returnPressed, this,
            [this] { openIndexEntry(m_index->currentItem()); });
    connect(m_index, &QListWidget::itemActivated, this, &HelpViewer::openIndexEntry);
    connect(m_browser, &QTextBrowser::anchorClicked, this, &HelpViewer::followLink);
}

void HelpViewer::present()
{
    show();
    raise();
    activateWindow();
}

void HelpViewer::showTopic(int number)
{
    if (hasTopic(number)) {
        m_browser->setSource(topicUrl(number));
        m_shown = number;
    } else {
        m_browser->setHtml(tr("<p>There is no help on this subject (topic %1). "
                              "<a href=\"%2\">See the contents</a>.</p>")
                               .arg(number)
                               .arg(contentsPage));
        m_shown = -1;
    }
    present();
}

void HelpViewer::showContents()
{
    m_browser->setSource(QUrl(contentsPage));
    m_shown = 0;
    present();
}

void HelpViewer::showSearch(const QString &text)
{
    m_searchPanel->show();
    m_searchEdit->setText(text);
    filterIndex(text);
    if (m_shown == 0 && m_browser->source().isEmpty())
        showContents();
    present();
    m_searchEdit->setFocus();
}

void HelpViewer::filterIndex(const QString &text)
{
    m_index->clear();
    const QString wanted = text.trimmed();
    for (const IndexEntry &e : indexEntries()) {
        if (!wanted.isEmpty() && !e.keyword.startsWith(wanted, Qt::CaseInsensitive))
            continue;
        auto *item = new QListWidgetItem(e.keyword, m_index);
        item->setData(Qt::UserRole, e.topic);
    }
    if (m_index->count() > 0)
        m_index->setCurrentRow(0);
}

void HelpViewer::openIndexEntry(QListWidgetItem *item)
{
    if (item)
        showTopic(item->data(Qt::UserRole).toInt());
}

void HelpViewer::followLink(const QUrl &url)
{
    // Links between topics name the page ("6.html"); anything else is not ours to open.
    const QUrl resolved = m_browser->source().resolved(url);
    const QString name = QFileInfo(resolved.path()).completeBaseName();
    bool ok = false;
    const int number = name.toInt(&ok);
    if (ok)
        showTopic(number);
    else if (name == QLatin1String("contents"))
        showContents();
}

void showHelpTopic(QWidget *parent, int topic)
{
    HelpViewer::instance(parent)->showTopic(topic);
}

void showHelpContents(QWidget *parent)
{
    HelpViewer::instance(parent)->showContents();
}

void showHelpSearch(QWidget *parent)
{
    HelpViewer::instance(parent)->showSearch(QString());
}

} // namespace rost
