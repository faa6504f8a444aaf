#include "Commands.h"

namespace rost::batch {

// Each command lives in its own Cmd*.cpp file.
int cmdQuery(const QStringList &args);
int cmdFind(const QStringList &args);

int cmdSample(const QStringList &args);
int cmdPack(const QStringList &args);
int cmdEnvelope(const QStringList &args);

int cmdImport(const QStringList &args);
int cmdHousehold(const QStringList &args);

int cmdNames(const QStringList &args);
int cmdClipboard(const QStringList &args);

int cmdItems(const QStringList &args);
int cmdList(const QStringList &args);
int cmdListFields(const QStringList &args);

const std::vector<Command> &commands()
{
    static const std::vector<Command> all{
        {"query", "--data DIR \"SQL\"", cmdQuery},
        {"find", "--data DIR (--family TEXT | --person TEXT) [--rows N]", cmdFind},
        {"sample", "--out DIR [--families N | --individuals N] [--seed S] [--zip]", cmdSample},
        {"pack", "--csv DIR --out FILE.zip", cmdPack},
        {"envelope",
         "--data DIR (--indiv N (--name LINENAME | --text TEXT) | --test) [--return | --no-return] "
         "--out FILE.pdf",
         cmdEnvelope},
        {"import",
         "--data DIR ARCHIVE  (each failed member's warning on stderr, its CR as a newline; exit "
         "0 all written, 1 some failed, 2 archive not opened)",
         cmdImport},
        {"household", "--data DIR (--family N | --all)", cmdHousehold},
        {"names", "--data DIR --indiv N [--list]", cmdNames},
        {"clipboard",
         "--data DIR --indiv N --name LINENAME --send "
         "name-address|name-address-phone|name-phone|email",
         cmdClipboard},
        {"items", "--data DIR --kind CAPTION", cmdItems},
        {"list",
         "--data DIR --kind CAPTION --item ITEM (--report phone-email|address --out FILE.pdf | "
         "--envelopes (--name LINENAME | --text TEXT) [--return | --no-return] --out FILE.pdf | "
         "--csv FILE)",
         cmdList},
        {"listfields", "--data DIR --indiv N", cmdListFields},
    };
    return all;
}

} // namespace rost::batch
