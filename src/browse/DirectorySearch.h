#pragma once

#include "browse/FoundIndividual.h"
#include "directory/Tables.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace rost {

class RostConnection;

// One row of what a search found: a person, or a household matched by its own fields.
struct SearchHit
{
    enum class Kind { Person, Household };

    Kind kind = Kind::Person;
    FamilyId familyId = 0;
    IndivId indivId = 0; // 0 for a household
    qint16 rank = 0;     // Family Rank Order; 0 for a household
    QString name;        // the person's name line, or the household's Vorel Name
    QString city;        // the household's city
    // What each typed word was found in, without repeats: "last name", "street", "phone (217)
    // 555-0142".
    QString matched;

    // The person as the find dialogs hand a choice to the window.
    FoundIndividual found() const { return {familyId, indivId, rank}; }
};

struct SearchResult
{
    // False when the text holds no word at all: there is nothing to show, not even "no match".
    bool asked = false;
    std::vector<SearchHit> hits;
    // How many matched past the rows asked for.
    int more = 0;
};

// The parts of a person's name that the name line of a result row is made of.
struct SearchName
{
    QString title;
    QString first;
    QString middle;
    QString last;
    QString suffix;
    QString goesBy;
};

// A forgiving search over the whole directory: every typed word must begin a word of a person's
// or household's names, address or e-mail, or, three digits or more, appear among their phones'
// digits. Case and accents never matter. The directory is read once into memory and searched
// there, so a keystroke costs no table access; the window and rostella-batch search through it
// alike. A built search is never changed, so it may be built on one thread and read on another.
class DirectorySearch
{
public:
    static constexpr int ShownRows = 200;
    using NameLine = std::function<QString(const SearchName &)>;

    DirectorySearch() = default;
    // Reads the families and individuals through the connection; the name of each person's rows
    // is composed by nameLine. Engine errors pass to the caller.
    static DirectorySearch build(RostConnection &connection, const NameLine &nameLine);

    // Whole-word matches first, persons before households, then persons by last name and goes-by
    // name and households by family name; at most maxRows rows.
    SearchResult search(const QString &text, int maxRows = ShownRows) const;

    // What case and accents leave of a text: compatibility decomposition without its marks, in
    // full case folding, so that "Straße" becomes "strasse" and "Núñez" "nunez".
    static QString fold(const QString &text);

private:
    struct Builder;
    struct Term;
    struct Entry
    {
        SearchHit::Kind kind;
        FamilyId familyId;
        IndivId indivId;
        qint16 rank;
        qint32 household; // a person's household entry; -1 when its family is not there
        quint32 nameAt;   // offset into m_texts
        quint32 cityAt;
        quint16 nameLength;
        quint16 cityLength;
    };
    struct Phone
    {
        quint32 entry;
        quint32 digits; // offset into m_digits
        quint32 text;   // offset into m_texts
        quint16 digitCount;
        quint16 textLength;
    };

    static std::vector<Term> terms(const QString &text);
    QString textAt(quint32 at, quint16 length) const { return m_texts.mid(at, length); }
    QString whereFound(quint32 entry, const Term &term) const;
    SearchHit hit(quint32 entry, const std::vector<Term> &terms) const;

    // Persons in name order, then households in family-name order. A household's fields are
    // held by the household only: what matches them matches its members too.
    std::vector<Entry> m_entries;
    quint32 m_firstHousehold = 0;
    std::vector<quint32> m_memberStart; // by household, into m_members
    std::vector<quint32> m_members;
    // Every name, city and phone as shown, one after another.
    QString m_texts;
    // The distinct folded words, sorted, and for each the entries holding it.
    std::vector<QString> m_words;
    std::vector<quint32> m_postingStart;
    std::vector<quint32> m_postings;
    // Each entry's words, a word's place in m_words shifted past its field's number.
    std::vector<quint32> m_fieldWordStart;
    std::vector<quint32> m_fieldWords;
    // Every phone's digits, one phone after another with a NUL between, searched as one text;
    // each entry's phones are consecutive.
    std::string m_digits;
    std::vector<Phone> m_phones;
    std::vector<quint32> m_phoneStart;
};

} // namespace rost
