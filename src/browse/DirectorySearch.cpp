#include "browse/DirectorySearch.h"

#include "directory/Cursor.h"
#include "directory/RostConnection.h"
#include "directory/Statement.h"

#include <QHash>
#include <QStringList>

#include <algorithm>
#include <array>
#include <future>
#include <limits>
#include <string_view>

namespace rost {

namespace {

// The fields a word may begin a word of, in the order a row tells where a word was found.
enum Field : quint8 {
    FirstNameField,
    MiddleNameField,
    GoesByField,
    LastNameField,
    FamilyNameField,
    VorelNameField,
    Address1Field,
    Address2Field,
    CityField,
    ZipField,
    EMailField,
};

const std::array<QLatin1String, 11> FieldLabels{
    QLatin1String("first name"), QLatin1String("middle name"), QLatin1String("goes by"),
    QLatin1String("last name"),  QLatin1String("family name"), QLatin1String("household name"),
    QLatin1String("street"),     QLatin1String("street"),      QLatin1String("city"),
    QLatin1String("zip"),        QLatin1String("e-mail")};

// Fewer typed digits than this are too common among the phones to tell anyone apart.
constexpr int MinPhoneDigits = 3;
// Numbers typed apart make one phone number when together they have the digits of one without
// its area code; fewer are taken one by one, as a house number and a zip may be.
constexpr int MinWrittenPhoneDigits = 7;

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

std::string digitsOf(const QString &text)
{
    std::string digits;
    for (const QChar c : text)
        if (isAsciiDigit(c))
            digits += char(c.unicode());
    return digits;
}

// A typed word that is only a phone number's digits and the marks phone numbers are written
// with.
bool looksLikePhone(const QString &word)
{
    static const QString marks = QStringLiteral("()-./+");
    return std::all_of(word.begin(), word.end(),
                       [](QChar c) { return isAsciiDigit(c) || marks.contains(c); });
}

// The words of a folded text: its runs of letters and digits.
template <typename Use> void forEachWord(const QString &folded, Use use)
{
    qsizetype start = -1;
    for (qsizetype i = 0; i <= folded.size(); ++i) {
        const bool inWord = i < folded.size() && folded.at(i).isLetterOrNumber();
        if (inWord && start < 0)
            start = i;
        else if (!inWord && start >= 0) {
            use(folded.mid(start, i - start));
            start = -1;
        }
    }
}

bool isAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return uchar(c) < 0x80; });
}

// Appends UTF-8 to a text, the common plain ASCII without a converted copy.
void appendUtf8(QString &to, std::string_view text)
{
    if (isAscii(text))
        to.append(QLatin1String(text.data(), qsizetype(text.size())));
    else
        to.append(QString::fromUtf8(text.data(), qsizetype(text.size())));
}

void assignUtf8(QString &to, std::string_view text)
{
    // Kept buffers are refilled in place: a build reads hundreds of thousands of cells.
    to.resize(0);
    appendUtf8(to, text);
}

// The row ids of a table in the order of one of its indexes. The order comes from the engine's
// cursor, so that it is the one the find dialogs list.
std::vector<qint64> rowIdsInOrder(RostConnection &connection, QLatin1String file, IndexName order)
{
    Cursor cursor(connection, file);
    cursor.setIndexName(order);
    cursor.open();
    return cursor.orderedRowIds();
}

// The rows of a table, each the given fields' texts in UTF-8 without trailing blanks, held in one
// buffer. They are read in one pass in the table's own order, then put in the order of an index.
class TableRows
{
public:
    // The first `numbers` fields are read as numbers, as QString::toInt reads their text. Only
    // the rows whose row ids lie between from and to are read.
    TableRows(RostConnection &connection, QLatin1String file, const TableDef &def,
              const std::vector<QLatin1String> &fields, int numbers,
              qint64 from = std::numeric_limits<qint64>::min(),
              qint64 to = std::numeric_limits<qint64>::max())
        : m_textColumns(fields.size() - size_t(numbers)), m_numberColumns(size_t(numbers))
    {
        QStringList columns;
        for (const QLatin1String &f : fields)
            columns << quoteIdent(f);
        Statement rows(
            connection.handle(),
            QStringLiteral("SELECT rowid, %1 FROM %2.%3 WHERE rowid BETWEEN ? AND ? ORDER BY rowid")
                .arg(columns.join(QLatin1String(", ")), quoteIdent(connection.attach(file)),
                     quoteIdent(def.table)));
        rows.bind(1, from);
        rows.bind(2, to);
        while (rows.step()) {
            m_rowIds.push_back(rows.columnInt(0));
            for (int i = 1; i <= numbers; ++i) {
                if (rows.columnIsInteger(i)) {
                    const qint64 n = rows.columnInt(i);
                    m_numbers.push_back(n >= std::numeric_limits<int>::min() &&
                                                n <= std::numeric_limits<int>::max()
                                            ? int(n)
                                            : 0);
                } else {
                    const std::string_view text = rows.columnUtf8(i);
                    m_numbers.push_back(
                        QString::fromUtf8(text.data(), qsizetype(text.size())).toInt());
                }
            }
            for (int i = numbers + 1; i <= int(fields.size()); ++i) {
                const std::string_view text = rows.columnUtf8(i);
                m_cells.emplace_back(quint32(m_bytes.size()), quint32(text.size()));
                m_bytes += text;
            }
        }
    }

    // Adds the rows of another read, all of whose row ids follow these.
    void append(const TableRows &later)
    {
        const auto shift = quint32(m_bytes.size());
        m_rowIds.insert(m_rowIds.end(), later.m_rowIds.begin(), later.m_rowIds.end());
        m_numbers.insert(m_numbers.end(), later.m_numbers.begin(), later.m_numbers.end());
        m_bytes += later.m_bytes;
        m_cells.reserve(m_cells.size() + later.m_cells.size());
        for (const auto &[at, length] : later.m_cells)
            m_cells.emplace_back(at + shift, length);
    }

    // Puts the rows in the order of the ids. A row written between the two reads has no place;
    // one deleted leaves its place out.
    void placeInOrder(const std::vector<qint64> &ids)
    {
        std::vector<std::pair<qint64, quint32>> places;
        places.reserve(ids.size());
        for (size_t i = 0; i < ids.size(); ++i)
            places.emplace_back(ids[i], quint32(i));
        std::sort(places.begin(), places.end());
        std::vector<qint32> read(ids.size(), -1);
        auto place = places.cbegin();
        for (size_t r = 0; r < m_rowIds.size(); ++r) {
            while (place != places.cend() && place->first < m_rowIds[r])
                ++place;
            if (place != places.cend() && place->first == m_rowIds[r])
                read[place->second] = qint32(r);
        }
        m_order.clear();
        m_order.reserve(read.size());
        for (const qint32 r : read)
            if (r >= 0)
                m_order.push_back(quint32(r));
    }

    size_t size() const { return m_order.size(); }
    size_t bytes() const { return m_bytes.size(); }
    int number(size_t row, int column) const
    {
        return m_numbers[m_order[row] * m_numberColumns + size_t(column)];
    }
    std::string_view cell(size_t row, int column) const
    {
        const auto [at, length] =
            m_cells[m_order[row] * m_textColumns + size_t(column) - m_numberColumns];
        return std::string_view(m_bytes).substr(at, length);
    }

private:
    size_t m_textColumns;
    size_t m_numberColumns;
    std::vector<qint64> m_rowIds;
    std::vector<int> m_numbers;
    std::string m_bytes;
    std::vector<std::pair<quint32, quint32>> m_cells; // offset and length in m_bytes
    std::vector<quint32> m_order;                     // the rows read, in the index's order
};

} // namespace

struct DirectorySearch::Term
{
    QString word;       // folded; for a phone number its digits
    std::string digits; // the digits of a phone number typed, else empty
};

// Gathers the entries' words under numbers of their own, then sorts the words and turns the
// numbers into places in the sorted list. Words are known by their folded UTF-8 while gathering,
// so that a plain ASCII cell is cut and looked up where it lies, without a QString of it.
struct DirectorySearch::Builder
{
    static constexpr int FieldBits = 4;

    explicit Builder(DirectorySearch &into) : search(into) {}

    DirectorySearch &search;
    // The words gathered, by number, one after another in wordBytes.
    std::string wordBytes;
    std::vector<std::pair<quint32, quint32>> words; // offset and length
    // Open addressing over the words' numbers plus one, 0 for a free slot; never over half full.
    std::vector<quint32> slots = std::vector<quint32>(1024, 0);

    std::string token;

    std::string_view word(quint32 id) const
    {
        return std::string_view(wordBytes).substr(words[id].first, words[id].second);
    }

    static size_t hashOf(std::string_view text)
    {
        size_t h = 14695981039346656037ull;
        for (const char c : text)
            h = (h ^ uchar(c)) * 1099511628211ull;
        return h;
    }

    void grow()
    {
        std::vector<quint32> larger(slots.size() * 2, 0);
        const size_t mask = larger.size() - 1;
        for (quint32 id = 0; id < words.size(); ++id) {
            size_t at = hashOf(word(id)) & mask;
            while (larger[at] != 0)
                at = (at + 1) & mask;
            larger[at] = id + 1;
        }
        slots = std::move(larger);
    }

    quint32 idOf(std::string_view text)
    {
        const size_t mask = slots.size() - 1;
        size_t at = hashOf(text) & mask;
        for (; slots[at] != 0; at = (at + 1) & mask)
            if (word(slots[at] - 1) == text)
                return slots[at] - 1;
        // A word read in place is copied once, when it is new.
        const quint32 id = quint32(words.size());
        words.emplace_back(quint32(wordBytes.size()), quint32(text.size()));
        wordBytes += text;
        slots[at] = id + 1;
        if (words.size() * 2 > slots.size())
            grow();
        return id;
    }

    void addWord(quint8 field, std::string_view text)
    {
        search.m_fieldWords.push_back(idOf(text) << FieldBits | field);
    }

    void addWords(quint8 field, std::string_view text)
    {
        if (!isAscii(text)) {
            forEachWord(fold(QString::fromUtf8(text.data(), qsizetype(text.size()))),
                        [&](const QString &word) {
                            const QByteArray utf8 = word.toUtf8();
                            addWord(field, std::string_view(utf8.constData(), size_t(utf8.size())));
                        });
            return;
        }
        // Plain ASCII: lowered as the folding would, then cut where it lies.
        token.resize(text.size());
        for (size_t i = 0; i < text.size(); ++i) {
            const char c = text[i];
            token[i] = c >= 'A' && c <= 'Z' ? char(c + ('a' - 'A')) : c;
        }
        const auto inWord = [](char c) { return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); };
        const std::string_view lowered(token);
        size_t at = 0;
        while (at < lowered.size()) {
            while (at < lowered.size() && !inWord(lowered[at]))
                ++at;
            size_t end = at;
            while (end < lowered.size() && inWord(lowered[end]))
                ++end;
            if (end > at)
                addWord(field, lowered.substr(at, end - at));
            at = end;
        }
    }

    struct Text
    {
        quint32 at;
        quint16 length;
    };
    Text addText(std::string_view utf8)
    {
        const qsizetype at = search.m_texts.size();
        appendUtf8(search.m_texts, utf8);
        return {quint32(at), quint16(search.m_texts.size() - at)};
    }
    Text addText(const QString &text)
    {
        const qsizetype at = search.m_texts.size();
        search.m_texts += text;
        return {quint32(at), quint16(text.size())};
    }

    void addPhone(std::string_view text)
    {
        const size_t before = search.m_digits.size();
        for (const char c : text)
            if (c >= '0' && c <= '9')
                search.m_digits += c;
        const size_t digits = search.m_digits.size() - before;
        if (digits == 0)
            return;
        search.m_digits += '\0';
        const Text shown = addText(text);
        search.m_phones.push_back({quint32(search.m_entries.size() - 1), quint32(before), shown.at,
                                   quint16(digits), shown.length});
    }

    // Called before the entry's words and phones are added.
    void startEntry(Entry entry, Text name, Text city)
    {
        entry.nameAt = name.at;
        entry.nameLength = name.length;
        entry.cityAt = city.at;
        entry.cityLength = city.length;
        search.m_fieldWordStart.push_back(quint32(search.m_fieldWords.size()));
        search.m_entries.push_back(entry);
    }

    void finish()
    {
        const quint32 count = quint32(search.m_entries.size());
        search.m_fieldWordStart.push_back(quint32(search.m_fieldWords.size()));
        search.m_phoneStart.assign(count + 1, 0);
        for (const Phone &p : search.m_phones)
            ++search.m_phoneStart[p.entry + 1];
        for (quint32 e = 0; e < count; ++e)
            search.m_phoneStart[e + 1] += search.m_phoneStart[e];

        std::vector<QString> texts;
        texts.reserve(words.size());
        for (quint32 id = 0; id < words.size(); ++id) {
            const std::string_view w = word(id);
            texts.push_back(QString::fromUtf8(w.data(), qsizetype(w.size())));
        }
        std::vector<quint32> byText(texts.size());
        for (quint32 i = 0; i < byText.size(); ++i)
            byText[i] = i;
        std::sort(byText.begin(), byText.end(),
                  [&](quint32 a, quint32 b) { return texts[a] < texts[b]; });
        std::vector<quint32> place(texts.size());
        search.m_words.reserve(texts.size());
        for (quint32 i = 0; i < byText.size(); ++i) {
            place[byText[i]] = i;
            search.m_words.push_back(std::move(texts[byText[i]]));
        }
        const quint32 fieldMask = (1u << FieldBits) - 1;
        for (quint32 &w : search.m_fieldWords)
            w = place[w >> FieldBits] << FieldBits | (w & fieldMask);

        // Each entry once under each of its words, however many of its fields hold the word:
        // the entries come in order, so the last one a word was posted for tells a repeat.
        const size_t wordCount = search.m_words.size();
        std::vector<quint32> postingCount(wordCount + 1, 0);
        std::vector<quint32> lastEntry(wordCount, count);
        const auto forEachOwnWord = [&](quint32 e, auto use) {
            for (quint32 i = search.m_fieldWordStart[e]; i < search.m_fieldWordStart[e + 1]; ++i) {
                const quint32 w = search.m_fieldWords[i] >> FieldBits;
                if (lastEntry[w] != e) {
                    lastEntry[w] = e;
                    use(w);
                }
            }
        };
        for (quint32 e = 0; e < count; ++e)
            forEachOwnWord(e, [&](quint32 w) { ++postingCount[w + 1]; });
        for (size_t w = 1; w < postingCount.size(); ++w)
            postingCount[w] += postingCount[w - 1];
        search.m_postingStart = postingCount;
        search.m_postings.resize(postingCount.back());
        std::fill(lastEntry.begin(), lastEntry.end(), count);
        for (quint32 e = 0; e < count; ++e)
            forEachOwnWord(e, [&](quint32 w) { search.m_postings[postingCount[w]++] = e; });
    }
};

DirectorySearch DirectorySearch::build(RostConnection &connection, const NameLine &nameLine)
{
    enum { FamId, FamName, Vorel, Addr1, Addr2, City, Zip, HomePhone };
    enum {
        IndId,
        IndFam,
        Rank,
        Title,
        First,
        Middle,
        GoesBy,
        Last,
        Suffix,
        EMail,
        Work,
        Fax,
        Cell,
        Pager,
        Other
    };
    const std::vector<QLatin1String> individualFields{
        fld::IndivIdNum, fld::FamilyIdNum,  fld::FamilyRankOrder, fld::Title,
        fld::FirstName,  fld::MiddleName,   fld::GoesBy,          fld::LastName,
        fld::Suffix,     fld::EMailAddress, fld::WorkPhone,       fld::Fax,
        fld::Cell,       fld::Pager,        fld::OtherPhone};
    // Most of the build is reading the tables: the families, the order of the individuals and the
    // last quarter of their rows are read through a connection of their own on another thread
    // while this one reads the other individuals.
    qint64 split = 0;
    {
        Statement ends(connection.handle(),
                       QStringLiteral("SELECT min(rowid), max(rowid) FROM %1.%2")
                           .arg(quoteIdent(connection.attach(tbl::Individuals)),
                                quoteIdent(individualsTable().table)));
        if (ends.step())
            // Any split reads every row once; this one cannot overflow, whatever the ids.
            split = ends.columnInt(0) / 4 + ends.columnInt(1) / 4 * 3;
    }
    struct ReadApart
    {
        TableRows families;
        std::vector<qint64> individualsOrder;
        TableRows lastIndividuals;
    };
    auto apart = std::async(std::launch::async, [folder = connection.path(), split,
                                                 &individualFields] {
        RostConnection own;
        own.setPath(folder);
        own.connect();
        TableRows families(own, tbl::Families, familiesTable(),
                           {fld::FamilyIdNum, fld::FamilyName, fld::VorelName, fld::Address1,
                            fld::Address2, fld::City, fld::Zip, fld::HomePhone},
                           1);
        families.placeInOrder(rowIdsInOrder(own, tbl::Families, idx::FamilyNameOrder));
        std::vector<qint64> order =
            rowIdsInOrder(own, tbl::Individuals, idx::LastNameAndGoesByOrder);
        TableRows last(own, tbl::Individuals, individualsTable(), individualFields, 3, split + 1);
        return ReadApart{std::move(families), std::move(order), std::move(last)};
    });
    TableRows individuals(connection, tbl::Individuals, individualsTable(), individualFields, 3,
                          std::numeric_limits<qint64>::min(), split);
    ReadApart read = apart.get();
    const TableRows &families = read.families;
    individuals.append(read.lastIndividuals);
    individuals.placeInOrder(read.individualsOrder);

    DirectorySearch search;
    Builder builder(search);
    const size_t entries = individuals.size() + families.size();
    search.m_entries.reserve(entries);
    search.m_fieldWordStart.reserve(entries + 1);
    search.m_fieldWords.reserve(entries * 6);
    search.m_phones.reserve(individuals.size() + families.size());
    // The texts shown are about as long as the cells they are made of; the rest goes at the end.
    search.m_texts.reserve(qsizetype(individuals.bytes() + families.bytes()));

    search.m_firstHousehold = quint32(individuals.size());
    // A family number twice in the families: the window locates the first in its order. Each
    // city is kept once, for the household and its members alike.
    QHash<FamilyId, qint32> householdOf;
    householdOf.reserve(qsizetype(families.size()));
    std::vector<Builder::Text> cities;
    cities.reserve(families.size());
    for (size_t h = 0; h < families.size(); ++h) {
        const FamilyId familyId = FamilyId(families.number(h, FamId));
        if (!householdOf.contains(familyId))
            householdOf.insert(familyId, qint32(search.m_firstHousehold + h));
        cities.push_back(builder.addText(families.cell(h, City)));
    }

    std::vector<std::vector<quint32>> members(families.size());
    SearchName name;
    for (size_t p = 0; p < individuals.size(); ++p) {
        const auto cell = [&](int column) { return individuals.cell(p, column); };
        const FamilyId familyId = FamilyId(individuals.number(p, IndFam));
        const qint32 household = householdOf.value(familyId, -1);
        if (household >= 0)
            members[size_t(household) - search.m_firstHousehold].push_back(
                quint32(search.m_entries.size()));
        for (const auto &[part, column] :
             {std::pair{&name.title, Title}, std::pair{&name.first, First},
              std::pair{&name.middle, Middle}, std::pair{&name.last, Last},
              std::pair{&name.suffix, Suffix}, std::pair{&name.goesBy, GoesBy}})
            assignUtf8(*part, cell(column));
        builder.startEntry({SearchHit::Kind::Person, familyId,
                            IndivId(individuals.number(p, IndId)),
                            qint16(individuals.number(p, Rank)), household, 0, 0, 0, 0},
                           builder.addText(nameLine(name)),
                           household >= 0 ? cities[size_t(household) - search.m_firstHousehold]
                                          : Builder::Text{quint32(search.m_texts.size()), 0});
        for (const auto &[field, column] : {std::pair{FirstNameField, First},
                                            {MiddleNameField, Middle},
                                            {GoesByField, GoesBy},
                                            {LastNameField, Last},
                                            {EMailField, EMail}})
            builder.addWords(field, cell(column));
        for (const int column : {Work, Fax, Cell, Pager, Other})
            builder.addPhone(cell(column));
    }
    for (size_t h = 0; h < families.size(); ++h) {
        const auto cell = [&](int column) { return families.cell(h, column); };
        builder.startEntry(
            {SearchHit::Kind::Household, FamilyId(families.number(h, FamId)), 0, 0, -1, 0, 0, 0, 0},
            builder.addText(cell(Vorel)), cities[h]);
        for (const auto &[field, column] : {std::pair{FamilyNameField, FamName},
                                            {VorelNameField, Vorel},
                                            {Address1Field, Addr1},
                                            {Address2Field, Addr2},
                                            {CityField, City},
                                            {ZipField, Zip}})
            builder.addWords(field, cell(column));
        builder.addPhone(cell(HomePhone));
    }
    search.m_memberStart.reserve(members.size() + 1);
    search.m_memberStart.push_back(0);
    search.m_members.reserve(individuals.size());
    for (const std::vector<quint32> &m : members) {
        search.m_members.insert(search.m_members.end(), m.begin(), m.end());
        search.m_memberStart.push_back(quint32(search.m_members.size()));
    }
    builder.finish();
    search.m_texts.squeeze();
    return search;
}

QString DirectorySearch::fold(const QString &text)
{
    const bool ascii =
        std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
    if (ascii)
        return text.toLower();
    const QString decomposed = text.normalized(QString::NormalizationForm_KD);
    QString bare;
    bare.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        const QChar::Category category = c.category();
        if (category != QChar::Mark_NonSpacing && category != QChar::Mark_SpacingCombining &&
            category != QChar::Mark_Enclosing)
            bare += c;
    }
    // Qt folds case one character for one; the upper case first gives the full folding, where
    // "ß" becomes "ss".
    return bare.toUpper().toCaseFolded();
}

std::vector<DirectorySearch::Term> DirectorySearch::terms(const QString &text)
{
    std::vector<Term> terms;
    const QStringList typed = text.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < typed.size();) {
        // A number written in parts, "(217) 555 0142", is one phone number.
        qsizetype end = i;
        std::string digits;
        while (end < typed.size() && looksLikePhone(typed[end]))
            digits += digitsOf(typed[end++]);
        if (end - i > 1 && int(digits.size()) >= MinWrittenPhoneDigits) {
            terms.push_back({QString::fromLatin1(digits), std::move(digits)});
            i = end;
            continue;
        }
        const QString &word = typed[i++];
        digits = digitsOf(word);
        if (looksLikePhone(word) && int(digits.size()) >= MinPhoneDigits)
            terms.push_back({QString::fromLatin1(digits), std::move(digits)});
        else
            forEachWord(fold(word), [&](const QString &part) { terms.push_back({part, {}}); });
    }
    return terms;
}

SearchResult DirectorySearch::search(const QString &text, int maxRows) const
{
    SearchResult result;
    const std::vector<Term> typed = terms(text);
    if (typed.empty())
        return result;
    result.asked = true;

    // An entry has matched the first k words while matched[e] is k; whole[e] counts the same for
    // words that are a whole word or phone number of the entry.
    const size_t count = m_entries.size();
    std::vector<quint32> matched(count, 0);
    std::vector<quint32> whole(count, 0);
    quint32 k = 0;
    for (const Term &term : typed) {
        bool any = false;
        const auto markOne = [&](quint32 e, bool exact) {
            if (matched[e] == k) {
                matched[e] = k + 1;
                any = true;
            }
            if (exact && whole[e] == k)
                whole[e] = k + 1;
        };
        const auto mark = [&](quint32 e, bool exact) {
            markOne(e, exact);
            if (e >= m_firstHousehold) {
                const quint32 h = e - m_firstHousehold;
                for (quint32 i = m_memberStart[h]; i < m_memberStart[h + 1]; ++i)
                    markOne(m_members[i], exact);
            }
        };
        const auto begin = std::lower_bound(m_words.begin(), m_words.end(), term.word);
        const auto end = std::partition_point(
            begin, m_words.end(), [&](const QString &w) { return w.startsWith(term.word); });
        for (auto w = begin; w != end; ++w) {
            const bool exact = w->size() == term.word.size();
            const size_t index = size_t(w - m_words.begin());
            for (quint32 i = m_postingStart[index]; i < m_postingStart[index + 1]; ++i)
                mark(m_postings[i], exact);
        }
        if (!term.digits.empty()) {
            const std::string_view all(m_digits);
            size_t phone = 0;
            for (size_t at = all.find(term.digits); at != std::string_view::npos;
                 at = all.find(term.digits, at)) {
                while (m_phones[phone].digits + m_phones[phone].digitCount <= at)
                    ++phone;
                const Phone &p = m_phones[phone];
                mark(p.entry, p.digitCount == term.digits.size());
                // One finding a phone is enough.
                at = p.digits + p.digitCount + 1;
            }
        }
        if (!any)
            return result;
        ++k;
    }

    int total = 0;
    for (const bool wholeWords : {true, false})
        for (quint32 e = 0; e < count; ++e)
            if (matched[e] == k && (whole[e] == k) == wholeWords) {
                if (total < maxRows)
                    result.hits.push_back(hit(e, typed));
                ++total;
            }
    result.more = total - int(result.hits.size());
    return result;
}

SearchHit DirectorySearch::hit(quint32 entry, const std::vector<Term> &terms) const
{
    const Entry &e = m_entries[entry];
    QStringList found;
    for (const Term &term : terms) {
        QString where = whereFound(entry, term);
        if (where.isEmpty() && e.household >= 0)
            where = whereFound(quint32(e.household), term);
        if (!where.isEmpty() && !found.contains(where))
            found << where;
    }
    return {e.kind,
            e.familyId,
            e.indivId,
            e.rank,
            textAt(e.nameAt, e.nameLength),
            textAt(e.cityAt, e.cityLength),
            found.join(QLatin1String(", "))};
}

// Where the entry's own fields hold the term: a phone first for digits, then the field told
// first among those holding a word it begins.
QString DirectorySearch::whereFound(quint32 entry, const Term &term) const
{
    if (!term.digits.empty())
        for (quint32 i = m_phoneStart[entry]; i < m_phoneStart[entry + 1]; ++i) {
            const Phone &p = m_phones[i];
            if (std::string_view(m_digits).substr(p.digits, p.digitCount).find(term.digits) !=
                std::string_view::npos)
                return QLatin1String("phone ") + textAt(p.text, p.textLength);
        }
    const quint32 fieldMask = (1u << Builder::FieldBits) - 1;
    quint32 best = fieldMask + 1;
    for (quint32 i = m_fieldWordStart[entry]; i < m_fieldWordStart[entry + 1]; ++i) {
        const quint32 w = m_fieldWords[i];
        if ((w & fieldMask) < best && m_words[w >> Builder::FieldBits].startsWith(term.word))
            best = w & fieldMask;
    }
    return best <= fieldMask ? QString(FieldLabels[best]) : QString();
}

} // namespace rost
