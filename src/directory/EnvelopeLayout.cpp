#include "directory/EnvelopeLayout.h"

#include "directory/DataFolder.h"
#include "directory/SettingsRecord.h"

#include <cmath>

namespace rost {

namespace {

constexpr qint32 DefaultFontSize = 12;
constexpr double DefaultRetTop = 2.3;
constexpr double DefaultRetLeft = 0.4;
constexpr double DefaultDelTop = 4.25;
constexpr double DefaultDelLeft = 4.75;

// A font takes 52 bytes: its name, its size in points at +44 and its style bits at +48.
void writeFont(RecordWriter &w, qsizetype at, const EnvelopeFont &f)
{
    w.text(at, EnvelopeFont::NameCapacity, f.Name);
    w.int32(at + 44, f.Size);
    w.byte(at + 48, f.Style);
}

EnvelopeFont readFont(const RecordReader &r, qsizetype at)
{
    return {r.text(at, EnvelopeFont::NameCapacity), r.int32(at + 44), r.byte(at + 48)};
}

void checkPosition(double &inches, const char *field, double fallback, QStringList &warnings)
{
    if (std::isfinite(inches) && inches >= 0 && inches <= EnvelopeLayout::PageLimit)
        return;
    warnings << QStringLiteral("The envelope layout's %1 of %2 inches is not on the page; the "
                               "default of %3 inches is used.")
                    .arg(QLatin1String(field))
                    .arg(inches)
                    .arg(fallback);
    inches = fallback;
}

void checkFontSize(EnvelopeFont &font, const char *field, QStringList &warnings)
{
    if (font.Size >= 1 && font.Size <= EnvelopeLayout::MaxFontSize)
        return;
    warnings << QStringLiteral("The envelope layout's %1 of %2 points is not between 1 and %3 "
                               "points; the default of %4 points is used.")
                    .arg(QLatin1String(field))
                    .arg(font.Size)
                    .arg(EnvelopeLayout::MaxFontSize)
                    .arg(DefaultFontSize);
    font.Size = DefaultFontSize;
}

} // namespace

EnvelopeLayout::EnvelopeLayout(const QString &dataFolder) : m_folder(dataFolder) {}

QString EnvelopeLayout::filePath() const
{
    return DataFolder::join(m_folder, QLatin1String(FileName));
}

QStringList EnvelopeLayout::Load()
{
    QByteArray record;
    if (!readRecord(filePath(), RecordSize, record) || !fromRecord(record)) {
        SetDefaults();
        return {};
    }
    QStringList warnings;
    checkPosition(RetTop, "RetTop", DefaultRetTop, warnings);
    checkPosition(RetLeft, "RetLeft", DefaultRetLeft, warnings);
    checkPosition(DelTop, "DelTop", DefaultDelTop, warnings);
    checkPosition(DelLeft, "DelLeft", DefaultDelLeft, warnings);
    checkFontSize(RetNameFont, "RetNameFont size", warnings);
    checkFontSize(RetAddFont, "RetAddFont size", warnings);
    checkFontSize(DelFont, "DelFont size", warnings);
    return warnings;
}

void EnvelopeLayout::Save()
{
    writeRecord(filePath(), toRecord());
}

void EnvelopeLayout::SetDefaults()
{
    const EnvelopeFont font{QStringLiteral("Times New Roman"), DefaultFontSize, 0};
    Reserved1.clear();
    FeedPosition = FeedCenter;
    Orientation = Landscape;
    PrintRetAdd = false;
    Reserved2 = 0;
    Reserved3 = 0;
    RetTop = DefaultRetTop;
    RetLeft = DefaultRetLeft;
    RetNameFont = font;
    RetAddFont = font;
    DelTop = DefaultDelTop;
    DelLeft = DefaultDelLeft;
    DelFont = font;
    Save();
}

QByteArray EnvelopeLayout::toRecord() const
{
    RecordWriter w(RecordSize);
    w.text(0, Reserved1Capacity, Reserved1);
    w.byte(256, FeedPosition);
    w.byte(257, Orientation);
    w.byte(258, PrintRetAdd ? 1 : 0);
    w.int32(260, Reserved2);
    w.byte(264, Reserved3);
    w.real(272, RetTop);
    w.real(280, RetLeft);
    writeFont(w, 288, RetNameFont);
    writeFont(w, 340, RetAddFont);
    w.real(392, DelTop);
    w.real(400, DelLeft);
    writeFont(w, 408, DelFont);
    return w.bytes();
}

bool EnvelopeLayout::fromRecord(QByteArrayView bytes)
{
    if (bytes.size() < RecordSize)
        return false;
    const RecordReader r(bytes);
    Reserved1 = r.text(0, Reserved1Capacity);
    FeedPosition = r.byte(256);
    Orientation = r.byte(257);
    PrintRetAdd = r.byte(258) != 0;
    Reserved2 = r.int32(260);
    Reserved3 = r.byte(264);
    RetTop = r.real(272);
    RetLeft = r.real(280);
    RetNameFont = readFont(r, 288);
    RetAddFont = readFont(r, 340);
    DelTop = r.real(392);
    DelLeft = r.real(400);
    DelFont = readFont(r, 408);
    return true;
}

} // namespace rost
