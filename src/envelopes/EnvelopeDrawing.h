#pragma once

#include "directory/EnvelopeLayout.h"
#include "directory/Preferences.h"
#include "names/FamilyAddress.h"
#include "platform/print/PrintSurface.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace rost {

// The texts of one envelope: the return block (name line, then address lines) and the delivery
// block, top to bottom.
struct EnvelopeText
{
    QString returnName;
    QStringList returnAddress;
    QStringList delivery;
};

// The delivery block of a household: the name line always (even empty); then, only when
// Address1 is not empty, Address1, Address2 if not empty, and "City, State Zip" with both
// separators whatever is empty.
QStringList householdDeliveryLines(const QString &nameLine, const FamilyAddress &address);

// The return block from the stored return address, with the given delivery lines.
EnvelopeText envelopeText(const Preferences &prefs, const QStringList &deliveryLines);

// The placeholder texts of the test envelope.
EnvelopeText testEnvelopeText();

// Face and size of the stored font, then bold, italic and underline from its style bits.
// Strikeout is never applied.
void applyEnvFont(PrintSurface &surface, const EnvelopeFont &font);

// Draws one envelope page at the layout's positions: the return block only when printReturn is
// set, then the delivery block. Leaves bold, italic and underline off.
void drawEnvelope(PrintSurface &surface, const EnvelopeLayout &layout, bool printReturn,
                  const EnvelopeText &text);

// The job orientation a stored Orientation asks for: 0 portrait, 1 landscape; any other value
// asks for none, and the job keeps its initial orientation (portrait).
std::optional<PageOrientation> envelopeOrientation(quint8 orientation);

} // namespace rost
