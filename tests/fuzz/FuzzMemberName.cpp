#include "import/MemberName.h"

#include <cstddef>
#include <cstdint>

// Whatever an archive calls a member, a name that may be written is one plain file name.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString stored =
        QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const rost::MemberName name(stored);
    if (name.isFolder() || !name.refusal().isEmpty())
        return 0;
    const QString &bare = name.bare();
    if (bare.isEmpty() || bare == QLatin1String(".") || bare == QLatin1String("..") ||
        bare.contains(QLatin1Char('/')) || bare.contains(QLatin1Char('\\')) ||
        bare.contains(QChar(0)) || bare.contains(QLatin1Char(':')))
        __builtin_trap();
    if (name.sameFileKey() != bare.toCaseFolded())
        __builtin_trap();
    return 0;
}
