#include "Commands.h"

namespace rost::batch {

// Each command lives in its own Cmd*.cpp file.

int cmdSample(const QStringList &args);
int cmdPack(const QStringList &args);
int cmdEnvelope(const QStringList &args);

const std::vector<Command> &commands()
{
    static const std::vector<Command> all{
        {"sample", "--out DIR [--families N | --individuals N] [--seed S] [--zip]", cmdSample},
        {"pack", "--csv DIR --out FILE.zip", cmdPack},
        {"envelope", "--data DIR --test [--return | --no-return] --out FILE.pdf", cmdEnvelope},
    };
    return all;
}

} // namespace rost::batch
