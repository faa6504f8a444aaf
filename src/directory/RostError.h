#pragma once

#include <QString>

#include <stdexcept>

namespace rost {

// What the program's own errors share: a text meant for the user as it stands, which the error
// display shows and rostella-batch prints. Each kind of failure has a class of its own, so that a
// caller catches just the failures it can answer.
class RostError : public std::runtime_error
{
public:
    explicit RostError(const QString &text) : std::runtime_error(text.toStdString()), m_text(text)
    {}
    const QString &text() const { return m_text; }

private:
    QString m_text;
};

} // namespace rost
