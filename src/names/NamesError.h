#pragma once

#include <QString>

#include <stdexcept>

namespace rost {

// A name composition that cannot be made, such as for an individual the table does not hold.
// The text is for the user.
class NamesError : public std::runtime_error
{
public:
    explicit NamesError(const QString &text) : std::runtime_error(text.toStdString()), m_text(text)
    {}
    QString text() const { return m_text; }

private:
    QString m_text;
};

} // namespace rost
