#include "directory/EnvelopeLayout.h"
#include "directory/Preferences.h"
#include "directory/SettingsRecord.h"

#include <cstddef>
#include <cstdint>

namespace {

// A record that was read writes back to a record that reads the same.
template <typename Settings> void roundTrip(QByteArrayView bytes)
{
    Settings first;
    if (!first.fromRecord(bytes))
        return;
    const QByteArray written = first.toRecord();
    if (written.size() != Settings::RecordSize)
        __builtin_trap();
    Settings second;
    if (!second.fromRecord(written) || second.toRecord() != written)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    roundTrip<rost::Preferences>(bytes);
    roundTrip<rost::EnvelopeLayout>(bytes);
    const QString text = rost::fromWindows1252(bytes);
    if (rost::fromWindows1252(rost::toWindows1252(text, text.size())) != text)
        __builtin_trap(); // every byte string survives the code page both ways
    return 0;
}
