#include "sample/SampleHouseholds.h"

#include "sample/SampleError.h"
#include "sample/SampleFixedFamilies.h"

#include <algorithm>
#include <tuple>

namespace rost {

namespace {

// splitmix64: tiny, and its output is the same on every platform and library version, which the
// standard distributions do not promise.
class Random
{
public:
    explicit Random(quint64 seed) : m_state(seed) {}
    quint64 next()
    {
        quint64 z = (m_state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    int below(int n) { return int(next() % quint64(n)); }
    bool chance(int percent) { return below(100) < percent; }
    template <typename T, size_t N> const T &pick(const T (&pool)[N])
    {
        return pool[size_t(below(int(N)))];
    }

private:
    quint64 m_state;
};

const char *const Surnames[] = {
    "Adams",    "Baker",    "Bennett",   "Brooks",   "Brown",    "Campbell", "Carter",  "Clark",
    "Collins",  "Cook",     "Cooper",    "Cruz",     "Davis",    "Edwards",  "Evans",   "Fischer",
    "Foster",   "Gray",     "Green",     "Hall",     "Harris",   "Hughes",   "Jackson", "Jenkins",
    "Kelly",    "King",     "Larsen",    "Lewis",    "Lopez",    "Martin",   "Meyer",   "Miller",
    "Mitchell", "Moore",    "Morgan",    "Murphy",   "Nelson",   "Olsen",    "Parker",  "Perez",
    "Peterson", "Phillips", "Price",     "Reed",     "Richards", "Rivera",   "Roberts", "Rogers",
    "Ross",     "Sanders",  "Schneider", "Scott",    "Stewart",  "Sullivan", "Taylor",  "Turner",
    "Walker",   "Ward",     "Watson",    "White",    "Wilson",   "Wood",     "Wright",  "Young",
    "Van Dyke", "McDonald", "DeWitt",    "Nakamura", "Okafor",   "Haugen"};

const char *const MaleNames[] = {
    "Alexander", "Andrew",  "Anthony", "Benjamin", "Charles", "Christopher", "Daniel",  "David",
    "Edward",    "George",  "Henry",   "James",    "John",    "Joseph",      "Kenneth", "Mark",
    "Matthew",   "Michael", "Nathan",  "Paul",     "Peter",   "Richard",     "Robert",  "Samuel",
    "Steven",    "Thomas",  "Timothy", "Walter",   "William", "Zachary"};

const char *const FemaleNames[] = {
    "Abigail", "Alice",    "Barbara", "Catherine", "Deborah",  "Dorothy", "Elizabeth", "Emily",
    "Grace",   "Hannah",   "Helen",   "Jennifer",  "Julia",    "Karen",   "Katherine", "Laura",
    "Linda",   "Margaret", "Mary",    "Nancy",     "Patricia", "Rachel",  "Rebecca",   "Ruth",
    "Sarah",   "Susan",    "Teresa",  "Victoria",  "Virginia", "Abby"};

struct Nickname
{
    const char *first;
    const char *goesBy;
};

const Nickname Nicknames[] = {
    {"Alexander", "Alex"}, {"Andrew", "Andy"},       {"Anthony", "Tony"},   {"Benjamin", "Ben"},
    {"Charles", "Chuck"},  {"Christopher", "Chris"}, {"Daniel", "Dan"},     {"Edward", "Ed"},
    {"James", "Jim"},      {"Joseph", "Joe"},        {"Kenneth", "Ken"},    {"Matthew", "Matt"},
    {"Michael", "Mike"},   {"Richard", "Rick"},      {"Robert", "Bob"},     {"Samuel", "Sam"},
    {"Steven", "Steve"},   {"Thomas", "Tom"},        {"Timothy", "Tim"},    {"William", "Bill"},
    {"Abigail", "Abby"},   {"Catherine", "Cathy"},   {"Deborah", "Debbie"}, {"Dorothy", "Dot"},
    {"Elizabeth", "Beth"}, {"Jennifer", "Jenny"},    {"Katherine", "Kate"}, {"Margaret", "Peggy"},
    {"Patricia", "Pat"},   {"Rebecca", "Becky"},     {"Susan", "Sue"},      {"Victoria", "Vicky"}};

const char *const Streets[] = {"Elm Street",    "Oak Avenue",   "Maple Drive", "Cedar Lane",
                               "Walnut Street", "Church Road",  "Lincoln Ave", "Park Place",
                               "Meadow Court",  "Hillcrest Dr", "Lakeview Rd", "Washington St",
                               "Prairie Trail", "Sunset Blvd",  "Mill Road",   "Orchard Way"};

struct Town
{
    const char *city;
    const char *state;
    const char *zip;
    const char *areaCode;
};

const Town Towns[] = {
    {"Springfield", "IL", "62704", "217"},  {"Chatham", "IL", "62629", "217"},
    {"Rochester", "IL", "62563", "217"},    {"Sherman", "IL", "62684", "217"},
    {"Petersburg", "IL", "62675", "217"},   {"Decatur", "IL", "62521", "217"},
    {"Jacksonville", "IL", "62650", "217"}, {"Bloomington", "IL", "61701", "309"},
    {"St. Louis", "MO", "63101", "314"},    {"Indianapolis", "IN", "46204", "317"}};

const char *const Domains[] = {"example.com", "example.org", "example.net"};
const char *const OtherLabels[] = {"Summer", "Home2", "Office", "Winter", "Cabin"};

const char *const ListItems[ListCount][8] = {
    {"Elder", "Deacon", "Treasurer", "Clerk", "Trustee", "Usher", "Greeter", "Moderator"},
    {"Piano", "Organ", "Carpentry", "Cooking", "Sound System", "Gardening", "Photography",
     "Sign Language"},
    {"Youth Group", "Men's Breakfast", "Women's Circle", "Bible Study", "Food Pantry",
     "Vacation Bible Sch.", "Prayer Chain", "Quilting"},
    {"Soprano", "Alto", "Tenor", "Bass", "Bell Choir", "Children's Choir", "Praise Team",
     "Director"},
    {"Finance", "Missions", "Building & Grounds", "Hospitality", "O'Neil Scholarship", "Worship",
     "Christian Education", "Nominating"}};
// How often an adult of the generated families holds items of each list, in percent.
constexpr int ListChance[ListCount] = {12, 25, 30, 15, 15};

// Members of the generated families, cycled; 50 in 20 families, 2.5 a family on average.
constexpr int SizePattern[] = {2, 1, 4, 1, 3, 1, 1, 6, 1, 2, 1, 1, 5, 1, 7, 1, 1, 8, 1, 2};
constexpr int SizePatternTotal = 50;
constexpr int SizePatternLength = int(std::size(SizePattern));

QString goesByFor(const QString &first, Random &random, int percent)
{
    for (const Nickname &n : Nicknames)
        if (first == QLatin1String(n.first) && random.chance(percent))
            return QString::fromLatin1(n.goesBy);
    return first;
}

QString phone(const QString &areaCode, Random &random)
{
    // 555-0100 to 555-0199 are set aside for fiction.
    return QStringLiteral("(%1) 555-01%2")
        .arg(areaCode)
        .arg(random.below(100), 2, 10, QLatin1Char('0'));
}

QString text(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

// A family of the given size drawn from the pools.
SampleFamily generatedFamily(int size, Random &random)
{
    SampleFamily f;
    const QString surname = text(random.pick(Surnames));
    const Town &town = random.pick(Towns);
    const QString area = QString::fromLatin1(town.areaCode);
    f.familyName = surname;
    f.city = QString::fromLatin1(town.city);
    f.state = QString::fromLatin1(town.state);
    f.zip = QString::fromLatin1(town.zip);
    if (random.chance(4)) {
        f.address2 = QStringLiteral("P.O. Box %1").arg(10 + random.below(900));
    } else {
        f.address1 =
            QStringLiteral("%1 %2").arg(1 + random.below(2999)).arg(text(random.pick(Streets)));
        if (random.chance(10))
            f.address2 = QStringLiteral("Apt %1").arg(1 + random.below(40));
    }
    if (random.chance(2)) {
        f.intlAddress = QStringLiteral("%1\r\n%2, %3 %4").arg(f.address1, f.city, f.state, f.zip);
        f.country = QStringLiteral("USA");
    }
    if (random.chance(85))
        f.homePhone = phone(area, random);

    // The kind of household: a couple, partners, a single parent or a single adult.
    const bool couple = size >= 2 && random.chance(size == 2 ? 70 : 78);
    const bool partners = couple && random.chance(8);
    const auto adult = [&](bool male, const QString &status, const QString &last) {
        SamplePerson p;
        p.first = text(male ? random.pick(MaleNames) : random.pick(FemaleNames));
        p.goesBy = goesByFor(p.first, random, 45);
        p.last = last;
        p.status = status;
        p.title = random.chance(5)                  ? QStringLiteral("Dr")
                  : male                            ? QStringLiteral("Mr")
                  : status == QLatin1String("Wife") ? QStringLiteral("Mrs")
                                                    : QStringLiteral("Ms");
        if (random.chance(40))
            p.middle = text(male ? random.pick(MaleNames) : random.pick(FemaleNames));
        if (male && random.chance(6))
            p.suffix = random.chance(50) ? QStringLiteral("Jr") : QStringLiteral("Sr");
        if (random.chance(70))
            p.email =
                QStringLiteral("%1.%2@%3")
                    .arg(p.goesBy.toLower(), QString(p.last).remove(QLatin1Char(' ')).toLower(),
                         text(random.pick(Domains)));
        if (random.chance(40))
            p.workPhone = phone(area, random);
        if (random.chance(60))
            p.cell = phone(area, random);
        if (random.chance(5))
            p.fax = phone(area, random);
        if (random.chance(3))
            p.pager = phone(area, random);
        if (random.chance(8)) {
            p.otherPhoneLabel = text(random.pick(OtherLabels));
            p.otherPhone = phone(area, random);
        }
        return p;
    };

    if (couple && partners) {
        const bool male = random.chance(50);
        f.members.push_back(adult(male, QStringLiteral("Partner"), surname));
        f.members.push_back(adult(male, QStringLiteral("Partner"), text(random.pick(Surnames))));
    } else if (couple) {
        f.members.push_back(adult(true, QStringLiteral("Husband"), surname));
        f.members.push_back(adult(false, QStringLiteral("Wife"),
                                  random.chance(8) ? text(random.pick(Surnames)) : surname));
    } else {
        f.members.push_back(adult(
            random.chance(45),
            size == 1 ? QStringLiteral("Single Adult") : QStringLiteral("Single Parent"), surname));
    }
    while (int(f.members.size()) < size) {
        SamplePerson child;
        const bool grandparent =
            size >= 5 && int(f.members.size()) == size - 1 && random.chance(30);
        if (grandparent) {
            child = adult(random.chance(40), QStringLiteral("Other Dependant"), surname);
        } else {
            const bool male = random.chance(50);
            child.first = text(male ? random.pick(MaleNames) : random.pick(FemaleNames));
            child.goesBy = goesByFor(child.first, random, 30);
            child.last = surname;
            child.status =
                random.chance(25) ? QStringLiteral("Adult Child") : QStringLiteral("Minor Child");
        }
        f.members.push_back(child);
    }

    const SamplePerson &head = f.members.front();
    if (f.members.size() >= 2 && f.members[1].status != QLatin1String("Minor Child") &&
        f.members[1].status != QLatin1String("Adult Child")) {
        const SamplePerson &second = f.members[1];
        f.vorelName = head.last == second.last
                          ? QStringLiteral("%1 & %2 %3").arg(head.goesBy, second.goesBy, head.last)
                          : QStringLiteral("%1 %2 & %3 %4")
                                .arg(head.goesBy, head.last, second.goesBy, second.last);
    } else {
        f.vorelName = QStringLiteral("%1 %2").arg(head.goesBy, head.last);
    }
    if (f.vorelName.size() > 40)
        f.vorelName = QStringLiteral("The %1 Family").arg(surname);
    if (f.members.size() >= 2 && random.chance(20)) {
        for (int i = int(f.members.size()) - 1; i >= 0; --i)
            f.fileOrder.push_back(i);
    }
    return f;
}

SampleFamily fixedFamily(const FixedFamily &fixed,
                         std::vector<std::pair<int, SampleListEntry>> &items)
{
    SampleFamily f;
    f.familyName = text(fixed.familyName);
    f.vorelName = text(fixed.vorelName);
    f.address1 = text(fixed.address.address1);
    f.address2 = text(fixed.address.address2);
    f.city = text(fixed.address.city);
    f.state = text(fixed.address.state);
    f.zip = text(fixed.address.zip);
    f.country = text(fixed.address.country);
    f.intlAddress = text(fixed.address.intlAddress);
    f.homePhone = text(fixed.homePhone);
    f.picture = fixed.picture;
    for (const FixedMember &m : fixed.members) {
        SamplePerson p;
        p.title = text(m.title);
        p.goesBy = text(m.goesBy);
        p.first = text(m.first);
        p.middle = text(m.middle);
        p.last = text(m.last);
        p.suffix = text(m.suffix);
        p.email = text(m.email);
        p.status = text(m.status);
        p.workPhone = text(m.work);
        p.fax = text(m.fax);
        p.cell = text(m.cell);
        p.pager = text(m.pager);
        p.otherPhoneLabel = text(m.otherLabel);
        p.otherPhone = text(m.other);
        f.members.push_back(p);
    }
    f.fileOrder = fixed.fileOrder;
    for (const auto &[member, list, item] : fixed.items)
        items.push_back({list, SampleListEntry{member, text(item)}});
    return f;
}

int plannedSize(int familyIndex)
{
    const auto &fixed = fixedFamilies();
    if (familyIndex < int(fixed.size()))
        return int(fixed[size_t(familyIndex)].members.size());
    return SizePattern[(familyIndex - int(fixed.size())) % SizePatternLength];
}

// Individuals in the first n families.
qint64 individualsIn(qint64 families)
{
    const qint64 fixedCount = qint64(fixedFamilies().size());
    qint64 total = 0;
    for (qint64 i = 0; i < std::min(families, fixedCount); ++i)
        total += plannedSize(int(i));
    const qint64 generated = std::max<qint64>(0, families - fixedCount);
    total += generated / SizePatternLength * SizePatternTotal;
    for (qint64 i = 0; i < generated % SizePatternLength; ++i)
        total += SizePattern[i];
    return total;
}

int maxFamilies()
{
    int families = 0;
    while (individualsIn(families + 1) <= MaxIndividuals)
        ++families;
    return families;
}

} // namespace

SampleSize sampleSize(const SampleOptions &options)
{
    if (options.individuals > 0) {
        if (options.individuals > MaxIndividuals)
            throw SampleError(QStringLiteral("A directory holds at most %L1 individuals "
                                             "(16-bit numbers); %L2 were asked for.")
                                  .arg(MaxIndividuals)
                                  .arg(options.individuals));
        int families = 0;
        qint64 individuals = 0;
        while (individuals < options.individuals) {
            individuals += plannedSize(families);
            ++families;
        }
        return {families, options.individuals};
    }
    if (options.individuals < 0)
        throw SampleError(QStringLiteral("The number of individuals must be above 0."));
    if (options.families < 0)
        throw SampleError(QStringLiteral("The number of families cannot be negative."));
    const qint64 individuals = individualsIn(options.families);
    if (individuals > MaxIndividuals)
        throw SampleError(QStringLiteral("A directory holds at most %L1 individuals (16-bit "
                                         "numbers); %L2 families would need %L3. Ask for at most "
                                         "%L4 families.")
                              .arg(MaxIndividuals)
                              .arg(options.families)
                              .arg(individuals)
                              .arg(maxFamilies()));
    return {options.families, int(individuals)};
}

SampleData makeSampleData(const SampleOptions &options)
{
    const SampleSize size = sampleSize(options);
    Random random(options.seed);
    SampleData data;
    data.families.reserve(size_t(size.families));
    const auto &fixed = fixedFamilies();
    int nextIndividual = 1;
    int remaining = size.individuals;
    for (int i = 0; i < size.families; ++i) {
        std::vector<std::pair<int, SampleListEntry>> items; // list, entry with member index
        SampleFamily f = i < int(fixed.size()) ? fixedFamily(fixed[size_t(i)], items)
                                               : generatedFamily(plannedSize(i), random);
        f.id = i + 1;
        // The last family of a sample sized by individuals takes only as many as are left.
        if (int(f.members.size()) > remaining) {
            f.members.resize(size_t(remaining));
            f.fileOrder.clear();
        }
        remaining -= int(f.members.size());
        for (size_t m = 0; m < f.members.size(); ++m) {
            f.members[m].rank = int(m) + 1;
            f.members[m].indivId = nextIndividual++;
        }
        for (const auto &[list, entry] : items)
            if (entry.indivId < int(f.members.size()))
                data.lists[size_t(list)].push_back(
                    {f.members[size_t(entry.indivId)].indivId, entry.item});
        if (i >= int(fixed.size())) {
            for (const SamplePerson &p : f.members) {
                if (p.status == QLatin1String("Minor Child"))
                    continue;
                for (int list = 0; list < ListCount; ++list) {
                    if (!random.chance(ListChance[list]))
                        continue;
                    const int first = random.below(8);
                    const int count = 1 + random.below(2);
                    for (int k = 0; k < count; ++k)
                        data.lists[size_t(list)].push_back(
                            {p.indivId, text(ListItems[list][(first + k * 3) % 8])});
                }
            }
        }
        if (f.fileOrder.empty())
            for (size_t m = 0; m < f.members.size(); ++m)
                f.fileOrder.push_back(int(m));
        data.families.push_back(std::move(f));
    }
    return data;
}

} // namespace rost
