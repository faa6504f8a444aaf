#pragma once

#include <QString>

#include <stdexcept>

namespace rost {

// A file could not be written (or read where reading matters). The text is for the user and
// carries the system's own error text.
class IoError : public std::runtime_error
{
public:
    explicit IoError(const QString &text) : std::runtime_error(text.toStdString()), m_text(text) {}
    QString text() const { return m_text; }

private:
    QString m_text;
};

} // namespace rost
