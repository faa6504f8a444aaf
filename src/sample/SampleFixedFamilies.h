#pragma once

#include "sample/SampleHouseholds.h"

#include <tuple>
#include <vector>

namespace rost {

struct FixedMember
{
    const char *title, *goesBy, *first, *middle, *last, *suffix, *email, *status;
    const char *work, *fax, *cell, *pager, *otherLabel, *other;
};

struct FixedAddress
{
    const char *address1, *address2, *city, *state, *zip, *country, *intlAddress;
};

struct FixedFamily
{
    const char *familyName, *vorelName;
    FixedAddress address;
    const char *homePhone;
    SamplePicture picture;
    std::vector<FixedMember> members;
    std::vector<int> fileOrder; // empty: rank order
    // Items of the list tables, as (member index, list, item).
    std::vector<std::tuple<int, SampleList, const char *>> items;
};

// The fixed families at the start of every sample, each showing cases the program must get right.
const std::vector<FixedFamily> &fixedFamilies();

} // namespace rost
