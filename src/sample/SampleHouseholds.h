#pragma once

#include "sample/SampleDirectory.h"

#include <QString>

#include <array>
#include <vector>

namespace rost {

struct SamplePerson
{
    int indivId = 0;
    int rank = 0;
    QString title, goesBy, first, middle, last, suffix, email, status;
    QString workPhone, fax, cell, pager, otherPhoneLabel, otherPhone;
};

enum class SamplePicture { None, Jpeg, Bmp, Gif, Pcx, Png, Tiff };

struct SampleFamily
{
    int id = 0;
    QString familyName, vorelName, address1, address2, city, state, zip, country, intlAddress,
        homePhone;
    SamplePicture picture = SamplePicture::None;
    std::vector<SamplePerson> members; // in rank order
    // The order in which the members' rows go into the file, as indexes into members; the file's
    // own order need not be the rank order.
    std::vector<int> fileOrder;
};

enum SampleList { Offices, Talents, Activities, User1, User2, ListCount };

struct SampleListEntry
{
    int indivId = 0;
    QString item;
};

struct SampleData
{
    std::vector<SampleFamily> families;
    std::array<std::vector<SampleListEntry>, ListCount> lists;
};

// The families, members and list entries the options describe; see writeSampleDirectory.
SampleData makeSampleData(const SampleOptions &options);

} // namespace rost
