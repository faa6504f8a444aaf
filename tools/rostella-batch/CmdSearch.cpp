#include "Command.h"
#include "DataContext.h"

#include "app/FamilyBrowser.h"
#include "browse/DirectorySearch.h"

#include <QTextStream>

#include <limits>

namespace rost::batch {

namespace {

constexpr Argument Text{"TEXT", "words to find, each the start of a name, street, city, zip or "
                                "e-mail word, or three digits or more of a phone"};
constexpr Option Rows{"rows", "N", "how many rows to print at most (200)",
                      NumberRange{0, std::numeric_limits<int>::max()}};

// The search box's matches in its order, one a line:
//   person<TAB><Family ID Num><TAB><Indiv ID Num><TAB><name line><TAB><matched>
//   household<TAB><Family ID Num><TAB><TAB><Vorel Name><TAB><matched>
// followed, when more matched than were printed, by more<TAB><how many>.
int cmdSearch(const Arguments &opt, DataContext &data)
{
    const DirectorySearch search = FamilyBrowser::buildSearch(data.connection());
    const SearchResult result =
        search.search(opt.argument(Text), opt.number(Rows, DirectorySearch::ShownRows));
    QTextStream out(stdout);
    out.setEncoding(QStringConverter::Utf8);
    for (const SearchHit &hit : result.hits) {
        const bool person = hit.kind == SearchHit::Kind::Person;
        out << (person ? "person" : "household") << '\t' << hit.familyId << '\t'
            << (person ? QString::number(hit.indivId) : QString()) << '\t' << hit.name << '\t'
            << hit.matched << '\n';
    }
    if (result.more > 0)
        out << "more\t" << result.more << '\n';
    return 0;
}

} // namespace

Command searchCommand()
{
    return Command::onData(
        "search",
        "The main window's search box: the persons and households every word matches, whole "
        "words first, persons before households, tab-separated with what each word matched.",
        {Text, optional(Rows)}, cmdSearch);
}

} // namespace rost::batch
