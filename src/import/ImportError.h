#pragma once

#include <QString>

#include <stdexcept>

namespace rost {

// An import that could not start: the archive cannot be opened or is not a zip archive, or the
// data folder cannot take files. Nothing in the data folder has changed when it is thrown. The
// text is for the user.
class ImportError : public std::runtime_error
{
public:
    explicit ImportError(const QString &text) : std::runtime_error(text.toStdString()), m_text(text)
    {}
    QString text() const { return m_text; }

private:
    QString m_text;
};

} // namespace rost
