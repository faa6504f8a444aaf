#pragma once

#include "sample/SampleHouseholds.h"

#include <QByteArray>
#include <QImage>

namespace rost {

// A small drawing of a household (house, sky, one figure per member), the same for the same
// family number and size.
QImage drawSamplePicture(int familyId, int members);

// The picture in the given format's bytes; empty for SamplePicture::None. Throws SampleError
// when an encoder fails.
QByteArray encodeSamplePicture(const QImage &image, SamplePicture format);

} // namespace rost
