#include "platform/ui/Prompts.h"

#include "directory/RostError.h"

#include <QFileDialog>
#include <QFontDialog>
#include <QPrintDialog>
#include <QPrinter>

#include <exception>

namespace rost {

namespace {

Prompts *&installed()
{
    static Prompts *p = nullptr;
    return p;
}

QString shownText(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

} // namespace

Prompts &Prompts::instance()
{
    static Prompts real;
    return installed() ? *installed() : real;
}

void Prompts::install(Prompts *p)
{
    installed() = p;
}

QMessageBox::StandardButton Prompts::message(QWidget *parent, MessageKind kind,
                                             const QString &title, const QString &text,
                                             QMessageBox::StandardButtons buttons,
                                             QMessageBox::StandardButton defaultButton)
{
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (kind) {
    case MessageKind::Information:
        icon = QMessageBox::Information;
        break;
    case MessageKind::Warning:
        icon = QMessageBox::Warning;
        break;
    case MessageKind::Error:
        icon = QMessageBox::Critical;
        break;
    case MessageKind::Confirmation:
        icon = QMessageBox::Question;
        break;
    case MessageKind::Plain:
        break;
    }
    QMessageBox box(icon, title, shownText(text), buttons, parent);
    box.setTextFormat(Qt::PlainText);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    return QMessageBox::StandardButton(box.exec());
}

QString Prompts::openFile(QWidget *parent, const QString &title, const QString &folder,
                          const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, title, folder, filter);
}

QString Prompts::saveFile(QWidget *parent, const QString &title, const QString &suggested,
                          const QString &filter)
{
    return QFileDialog::getSaveFileName(parent, title, suggested, filter);
}

std::optional<QFont> Prompts::chooseFont(QWidget *parent, const QFont &initial, bool)
{
    bool ok = false;
    const QFont font =
        QFontDialog::getFont(&ok, initial, parent, QString(), QFontDialog::DontUseNativeDialog);
    if (!ok)
        return std::nullopt;
    return font;
}

bool Prompts::printerSetup(QWidget *parent, QPrinter *printer)
{
    QPrintDialog dialog(printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

QString applicationTitle()
{
    return QStringLiteral("Rostella " ROST_VERSION);
}

QString errorDisplayText(const QString &text)
{
    if (!text.isEmpty() && text.back() > QLatin1Char('.'))
        return text + QLatin1Char('.');
    return text;
}

void showError(QWidget *parent, const QString &text)
{
    Prompts::instance().message(parent, MessageKind::Error, applicationTitle(),
                                errorDisplayText(text));
}

bool guarded(QWidget *parent, const std::function<void()> &action)
{
    try {
        action();
        return true;
    } catch (const RostError &e) {
        showError(parent, e.text());
    } catch (const std::exception &e) {
        showError(parent, QString::fromUtf8(e.what()));
    }
    return false;
}

} // namespace rost
