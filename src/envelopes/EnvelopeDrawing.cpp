#include "envelopes/EnvelopeDrawing.h"

namespace rost {

QStringList householdDeliveryLines(const QString &nameLine, const FamilyAddress &address)
{
    QStringList lines{nameLine};
    if (address.Address1.isEmpty())
        return lines;
    lines << address.Address1;
    if (!address.Address2.isEmpty())
        lines << address.Address2;
    lines << address.City + QLatin1String(", ") + address.State + QLatin1Char(' ') + address.Zip;
    return lines;
}

EnvelopeText envelopeText(const Preferences &prefs, const QStringList &deliveryLines)
{
    return {prefs.RetAddLine1,
            {prefs.RetAddLine2, prefs.RetAddLine3, prefs.RetAddLine4},
            deliveryLines};
}

EnvelopeText testEnvelopeText()
{
    return {QStringLiteral("Test Return Address Line 1"),
            {QStringLiteral("Test Return Address Line 2"),
             QStringLiteral("Test Return Address Line 3")},
            {QStringLiteral("Test Delivery Address Line 1"),
             QStringLiteral("Test Delivery Address Line 2"),
             QStringLiteral("Test Delivery Address Line 3"),
             QStringLiteral("Test Delivery Address Line 4")}};
}

void applyEnvFont(PrintSurface &surface, const EnvelopeFont &font)
{
    surface.setFont(font.Name, font.Size);
    if (font.Style & EnvelopeFont::Bold)
        surface.setBold(true);
    if (font.Style & EnvelopeFont::Italic)
        surface.setItalic(true);
    if (font.Style & EnvelopeFont::Underline)
        surface.setUnderline(true);
}

namespace {

void stylesOff(PrintSurface &surface)
{
    surface.setBold(false);
    surface.setItalic(false);
    surface.setUnderline(false);
}

} // namespace

void drawEnvelope(PrintSurface &surface, const EnvelopeLayout &layout, bool printReturn,
                  const EnvelopeText &text)
{
    if (printReturn) {
        applyEnvFont(surface, layout.RetNameFont);
        surface.setTopMargin(layout.RetTop);
        surface.setLeftMargin(layout.RetLeft);
        surface.home();
        surface.printLine(text.returnName);
        stylesOff(surface);
        applyEnvFont(surface, layout.RetAddFont);
        for (const QString &line : text.returnAddress)
            surface.printLine(line);
        stylesOff(surface);
    }
    applyEnvFont(surface, layout.DelFont);
    surface.setTopMargin(layout.DelTop);
    surface.setLeftMargin(layout.DelLeft);
    surface.home();
    for (const QString &line : text.delivery)
        surface.printLine(line);
    stylesOff(surface);
}

std::optional<PageOrientation> envelopeOrientation(quint8 orientation)
{
    switch (orientation) {
    case EnvelopeLayout::Portrait:
        return PageOrientation::Portrait;
    case EnvelopeLayout::Landscape:
        return PageOrientation::Landscape;
    default:
        return std::nullopt;
    }
}

} // namespace rost
