#include "directory/Preferences.h"

#include "directory/DataFolder.h"
#include "directory/SettingsRecord.h"

namespace rost {

Preferences::Preferences(const QString &dataFolder) : m_folder(dataFolder) {}

QString Preferences::filePath() const
{
    return DataFolder::join(m_folder, QLatin1String(FileName));
}

void Preferences::Load()
{
    QByteArray record;
    if (!readRecord(filePath(), RecordSize, record) || !fromRecord(record))
        Clear();
}

void Preferences::Save()
{
    writeRecord(filePath(), toRecord());
}

void Preferences::Clear()
{
    RetAddLine1.clear();
    RetAddLine2.clear();
    RetAddLine3.clear();
    RetAddLine4.clear();
    Save();
}

QByteArray Preferences::toRecord() const
{
    RecordWriter w(RecordSize);
    w.text(0, LineCapacity, RetAddLine1);
    w.text(41, LineCapacity, RetAddLine2);
    w.text(82, LineCapacity, RetAddLine3);
    w.text(123, LineCapacity, RetAddLine4);
    return w.bytes();
}

bool Preferences::fromRecord(QByteArrayView bytes)
{
    if (bytes.size() < RecordSize)
        return false;
    const RecordReader r(bytes);
    RetAddLine1 = r.text(0, LineCapacity);
    RetAddLine2 = r.text(41, LineCapacity);
    RetAddLine3 = r.text(82, LineCapacity);
    RetAddLine4 = r.text(123, LineCapacity);
    return true;
}

} // namespace rost
