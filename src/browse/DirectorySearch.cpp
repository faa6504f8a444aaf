#include "browse/DirectorySearch.h"

#include "directory/Cursor.h"
#include "directory/RostConnection.h"
#include "directory/Statement.h"

#include <QHash>
#include <QStringList>

#include <algorithm>
#include <array>
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

// The rows of a table in the order of one of its indexes, each the given fields' texts without
// trailing blanks. The order comes from the engine's cursor, so that it is the one the find
// dialogs list; the rows themselves are read in one pass.
std::vector<QStringList> readInOrder(RostConnection &connection, QLatin1String file,
                                     const TableDef &def, IndexName order,
                                     const std::vector<QLatin1String> &fields)
{
    std::vector<qint64> ids;
    {
        Cursor cursor(connection, file);
        cursor.setIndexName(order);
        cursor.open();
        ids = cursor.orderedRowIds();
    }
    QHash<qint64, qsizetype> place;
    place.reserve(qsizetype(ids.size()));
    for (size_t i = 0; i < ids.size(); ++i)
        place.insert(ids[i], qsizetype(i));

    QStringList columns;
    for (const QLatin1String &f : fields)
        columns << quoteIdent(f);
    Statement rows(connection.handle(),
                   QStringLiteral("SELECT rowid, %1 FROM %2.%3")
                       .arg(columns.join(QLatin1String(", ")), quoteIdent(connection.attach(file)),
                            quoteIdent(def.table)));
    std::vector<QStringList> ordered(ids.size());
    while (rows.step()) {
        const auto at = place.constFind(rows.columnInt(0));
        if (at == place.cend())
            continue;
        QStringList &row = ordered[size_t(*at)];
        row.reserve(qsizetype(fields.size()));
        for (int i = 1; i <= int(fields.size()); ++i)
            row << rows.columnText(i);
    }
    // A row written between the two reads has no place; one deleted leaves an empty one.
    std::erase_if(ordered, [](const QStringList &row) { return row.isEmpty(); });
    return ordered;
}

} // namespace

struct DirectorySearch::Term
{
    QString word;       // folded; for a phone number its digits
    std::string digits; // the digits of a phone number typed, else empty
};

// Gathers the entries' words under numbers of their own, then sorts the words and turns the
// numbers into places in the sorted list.
struct DirectorySearch::Builder
{
    static constexpr int FieldBits = 4;

    DirectorySearch &search;
    QHash<QString, quint32> ids;
    std::vector<QString> words;

    std::vector<char16_t> token;

    void addWord(quint8 field, const QString &word)
    {
        auto it = ids.constFind(word);
        if (it == ids.cend()) {
            // A word read in place is copied once, when it is new.
            const QString own(word.constData(), word.size());
            it = ids.insert(own, quint32(words.size()));
            words.push_back(own);
        }
        search.m_fieldWords.push_back(*it << FieldBits | field);
    }

    void addWords(quint8 field, const QString &text)
    {
        // Most texts are plain ASCII: their words are cut and lowered in one pass, into one
        // buffer, and looked up where they lie.
        if (!std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; })) {
            forEachWord(fold(text), [&](const QString &word) { addWord(field, word); });
            return;
        }
        token.resize(size_t(text.size()));
        size_t length = 0;
        const auto addToken = [&] {
            if (length > 0)
                addWord(field, QString::fromRawData(reinterpret_cast<const QChar *>(token.data()),
                                                    qsizetype(length)));
            length = 0;
        };
        for (const QChar c : text) {
            const char16_t u = c.unicode();
            if ((u >= 'a' && u <= 'z') || (u >= '0' && u <= '9'))
                token[length++] = u;
            else if (u >= 'A' && u <= 'Z')
                token[length++] = char16_t(u + ('a' - 'A'));
            else
                addToken();
        }
        addToken();
    }

    quint32 addText(const QString &text)
    {
        const quint32 at = quint32(search.m_texts.size());
        search.m_texts += text;
        return at;
    }

    void addPhone(const QString &text)
    {
        const std::string digits = digitsOf(text);
        if (digits.empty())
            return;
        search.m_phones.push_back({quint32(search.m_entries.size() - 1),
                                   quint32(search.m_digits.size()), addText(text),
                                   quint16(digits.size()), quint16(text.size())});
        search.m_digits += digits;
        search.m_digits += '\0';
    }

    // Called before the entry's words and phones are added.
    void startEntry(Entry entry, const QString &name, const QString &city)
    {
        entry.nameAt = addText(name);
        entry.nameLength = quint16(name.size());
        entry.cityAt = addText(city);
        entry.cityLength = quint16(city.size());
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

        std::vector<quint32> byText(words.size());
        for (quint32 i = 0; i < byText.size(); ++i)
            byText[i] = i;
        std::sort(byText.begin(), byText.end(),
                  [&](quint32 a, quint32 b) { return words[a] < words[b]; });
        std::vector<quint32> place(words.size());
        search.m_words.reserve(words.size());
        for (quint32 i = 0; i < byText.size(); ++i) {
            place[byText[i]] = i;
            search.m_words.push_back(std::move(words[byText[i]]));
        }
        const quint32 fieldMask = (1u << FieldBits) - 1;
        for (quint32 &w : search.m_fieldWords)
            w = place[w >> FieldBits] << FieldBits | (w & fieldMask);

        // Each entry once under each of its words, however many of its fields hold the word.
        std::vector<quint32> postingCount(search.m_words.size() + 1, 0);
        std::vector<quint32> own;
        const auto wordsOf = [&](quint32 e) {
            own.clear();
            for (quint32 i = search.m_fieldWordStart[e]; i < search.m_fieldWordStart[e + 1]; ++i)
                own.push_back(search.m_fieldWords[i] >> FieldBits);
            std::sort(own.begin(), own.end());
            own.erase(std::unique(own.begin(), own.end()), own.end());
        };
        for (quint32 e = 0; e < count; ++e) {
            wordsOf(e);
            for (const quint32 w : own)
                ++postingCount[w + 1];
        }
        for (size_t w = 1; w < postingCount.size(); ++w)
            postingCount[w] += postingCount[w - 1];
        search.m_postingStart = postingCount;
        search.m_postings.resize(postingCount.back());
        for (quint32 e = 0; e < count; ++e) {
            wordsOf(e);
            for (const quint32 w : own)
                search.m_postings[postingCount[w]++] = e;
        }
    }
};

DirectorySearch DirectorySearch::build(RostConnection &connection, const NameLine &nameLine)
{
    enum { FamId, FamName, Vorel, Addr1, Addr2, City, Zip, HomePhone };
    const std::vector<QStringList> families =
        readInOrder(connection, tbl::Families, familiesTable(), idx::FamilyNameOrder,
                    {fld::FamilyIdNum, fld::FamilyName, fld::VorelName, fld::Address1,
                     fld::Address2, fld::City, fld::Zip, fld::HomePhone});
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
    const std::vector<QStringList> individuals = readInOrder(
        connection, tbl::Individuals, individualsTable(), idx::LastNameAndGoesByOrder,
        {fld::IndivIdNum, fld::FamilyIdNum, fld::FamilyRankOrder, fld::Title, fld::FirstName,
         fld::MiddleName, fld::GoesBy, fld::LastName, fld::Suffix, fld::EMailAddress,
         fld::WorkPhone, fld::Fax, fld::Cell, fld::Pager, fld::OtherPhone});

    DirectorySearch search;
    Builder builder{search, {}, {}, {}};
    search.m_firstHousehold = quint32(individuals.size());
    // A family number twice in the families: the window locates the first in its order.
    QHash<FamilyId, qint32> householdOf;
    for (size_t h = 0; h < families.size(); ++h) {
        const FamilyId familyId = FamilyId(families[h][FamId].toInt());
        if (!householdOf.contains(familyId))
            householdOf.insert(familyId, qint32(search.m_firstHousehold + h));
    }

    std::vector<std::vector<quint32>> members(families.size());
    for (const QStringList &p : individuals) {
        const FamilyId familyId = FamilyId(p[IndFam].toInt());
        const qint32 household = householdOf.value(familyId, -1);
        if (household >= 0)
            members[size_t(household) - search.m_firstHousehold].push_back(
                quint32(search.m_entries.size()));
        builder.startEntry({SearchHit::Kind::Person, familyId, IndivId(p[IndId].toInt()),
                            qint16(p[Rank].toInt()), household, 0, 0, 0, 0},
                           nameLine({p[Title], p[First], p[Middle], p[Last], p[Suffix], p[GoesBy]}),
                           household >= 0
                               ? families[size_t(household) - search.m_firstHousehold][City]
                               : QString());
        for (const auto &[field, column] : {std::pair{FirstNameField, First},
                                            {MiddleNameField, Middle},
                                            {GoesByField, GoesBy},
                                            {LastNameField, Last},
                                            {EMailField, EMail}})
            builder.addWords(field, p[column]);
        for (const int column : {Work, Fax, Cell, Pager, Other})
            builder.addPhone(p[column]);
    }
    for (size_t h = 0; h < families.size(); ++h) {
        const QStringList &f = families[h];
        builder.startEntry(
            {SearchHit::Kind::Household, FamilyId(f[FamId].toInt()), 0, 0, -1, 0, 0, 0, 0},
            f[Vorel], f[City]);
        for (const auto &[field, column] : {std::pair{FamilyNameField, FamName},
                                            {VorelNameField, Vorel},
                                            {Address1Field, Addr1},
                                            {Address2Field, Addr2},
                                            {CityField, City},
                                            {ZipField, Zip}})
            builder.addWords(field, f[column]);
        builder.addPhone(f[HomePhone]);
    }
    search.m_memberStart.push_back(0);
    for (const std::vector<quint32> &m : members) {
        search.m_members.insert(search.m_members.end(), m.begin(), m.end());
        search.m_memberStart.push_back(quint32(search.m_members.size()));
    }
    builder.finish();
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
