#pragma once

#include <QString>

#include <stdexcept>

namespace rost {

// A request the sample generator, the CSV packer or the zip writer cannot carry out; the text is
// meant for the user as it stands.
class SampleError : public std::runtime_error
{
public:
    explicit SampleError(const QString &text) : std::runtime_error(text.toStdString()), m_text(text)
    {}
    QString text() const { return m_text; }

private:
    QString m_text;
};

} // namespace rost
