#include "platform/ui/HelpViewer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QHBoxLayout>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <QWindow>

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

std::vector<HelpViewer::IndexEntry> HelpViewer::indexOf(const std::vector<Topic> &topics)
{
    // Each topic's texts once (the title's spelling first), and how many topics use each text.
    std::vector<IndexEntry> entries;
    QHash<QString, int> topicsUsing;
    for (const Topic &t : topics) {
        QStringList texts;
        for (const QString &text : QStringList{t.title} + t.keywords)
            if (!text.isEmpty() && !texts.contains(text, Qt::CaseInsensitive))
                texts << text;
        for (const QString &text : std::as_const(texts)) {
            entries.push_back({text, t.number});
            ++topicsUsing[text.toCaseFolded()];
        }
    }
    for (IndexEntry &e : entries) {
        if (topicsUsing.value(e.keyword.toCaseFolded()) < 2)
            continue;
        const auto owner = std::find_if(topics.begin(), topics.end(),
                                        [&e](const Topic &t) { return t.number == e.topic; });
        e.keyword = QStringLiteral("%1 (%2)").arg(e.keyword, owner->title);
    }
    std::sort(entries.begin(), entries.end(), [](const IndexEntry &a, const IndexEntry &b) {
        const int c = a.keyword.compare(b.keyword, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a.topic < b.topic;
    });
    return entries;
}

QRect HelpViewer::besideRect(const QRect &asker, const QSize &size, const QRect &screen)
{
    const QSize fit = size.boundedTo(screen.size());
    int x = screen.right() - fit.width() + 1;
    if (asker.right() + fit.width() <= screen.right())
        x = asker.right() + 1;
    else if (asker.left() - fit.width() >= screen.left())
        x = asker.left() - fit.width();
    const int y = std::clamp(asker.top(), screen.top(), screen.bottom() - fit.height() + 1);
    return {QPoint(x, y), fit};
}

bool HelpViewer::hasTopic(int number)
{
    const auto &all = topics();
    return std::any_of(all.begin(), all.end(),
                       [number](const Topic &t) { return t.number == number; });
}

HelpViewer *HelpViewer::instance(QWidget *asker)
{
    QWidget *askerWindow = asker ? asker->window() : nullptr;
    QWidget *modal = QApplication::activeModalWidget();
    QWidget *host = modal ? modal : askerWindow;
    if (!theViewer())
        theViewer() = new HelpViewer(host);
    else
        theViewer()->adopt(host);
    theViewer()->m_asker = askerWindow;
    return theViewer();
}

HelpViewer::HelpViewer(QWidget *host) : QWidget(nullptr, Qt::Window)
{
    initHelpResources();
    setAttribute(Qt::WA_DeleteOnClose, false);
    showTitle(QString());
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
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
    // A modal dialog opened while help is shown would block it: the viewer moves to the dialog.
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, &HelpViewer::followModalDialog);
    adopt(host);
}

void HelpViewer::adopt(QWidget *host)
{
    if (host == parentWidget())
        return;
    if (QWidget *old = parentWidget())
        old->removeEventFilter(this);
    const bool wasShown = isVisible();
    const QPoint at = pos();
    // A new parent hides a window; a shown viewer comes back where it was, leaving the focus
    // where the user has it.
    setParent(host, windowFlags());
    if (host)
        host->installEventFilter(this);
    if (wasShown) {
        move(at);
        setAttribute(Qt::WA_ShowWithoutActivating, true);
        show();
        setAttribute(Qt::WA_ShowWithoutActivating, false);
    }
}

void HelpViewer::followModalDialog()
{
    QWidget *modal = QApplication::activeModalWidget();
    if (isVisible() && modal && modal != parentWidget())
        adopt(modal);
}

bool HelpViewer::eventFilter(QObject *watched, QEvent *event)
{
    // The dialog the viewer lives in is going: the viewer moves on to the dialog's owner. A
    // window without an owner is the program's last, and help closes with it.
    if (watched == parentWidget() && event->type() == QEvent::Hide && !event->spontaneous()) {
        if (QWidget *owner = parentWidget()->parentWidget())
            adopt(owner->window());
        else
            close();
    }
    return QWidget::eventFilter(watched, event);
}

void HelpViewer::present()
{
    if (!isVisible() && m_asker) {
        // Beside the window that asked, frame included, within its screen.
        const QSize frame = frameGeometry().size() - size();
        const QRect place = besideRect(m_asker->frameGeometry(), size() + frame,
                                       m_asker->screen()->availableGeometry());
        resize(place.size() - frame);
        move(place.topLeft());
    }
    show();
    raise();
    // Not activateWindow(): a window counts as active while the window it belongs to has the
    // focus, so that would leave the focus with the dialog that asked, and Escape with it.
    if (QWindow *w = windowHandle())
        w->requestActivate();
}

void HelpViewer::showTitle(const QString &topicTitle)
{
    setWindowTitle(topicTitle.isEmpty() ? tr("Rostella Help")
                                        : tr("Rostella Help - %1").arg(topicTitle));
}

void HelpViewer::showTopic(int number)
{
    if (hasTopic(number)) {
        m_browser->setSource(topicUrl(number));
        m_shown = number;
        const auto &all = topics();
        showTitle(std::find_if(all.begin(), all.end(), [number](const Topic &t) {
                      return t.number == number;
                  })->title);
    } else {
        m_browser->setHtml(tr("<p>There is no help on this subject (topic %1). "
                              "<a href=\"%2\">See the contents</a>.</p>")
                               .arg(number)
                               .arg(contentsPage));
        m_shown = -1;
        showTitle(QString());
    }
    present();
}

void HelpViewer::showContents()
{
    m_browser->setSource(QUrl(contentsPage));
    m_shown = 0;
    showTitle(QString());
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
    static const std::vector<IndexEntry> entries = indexOf(topics());
    for (const IndexEntry &e : entries) {
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

void installHelpKey(QWidget *window, std::function<int()> topicNow)
{
    auto *key = new QShortcut(QKeySequence::HelpContents, window);
    QObject::connect(key, &QShortcut::activated, window, [window, topicNow = std::move(topicNow)] {
        showHelpTopic(window, topicNow());
    });
}

void installHelp(QWidget *window, int topic, QAbstractButton *helpButton)
{
    installHelpKey(window, [topic] { return topic; });
    if (helpButton)
        QObject::connect(helpButton, &QAbstractButton::clicked, window,
                         [window, topic] { showHelpTopic(window, topic); });
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
