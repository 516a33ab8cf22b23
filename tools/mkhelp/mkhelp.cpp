// mkhelp: turns the readable help source into the help files beside the
// program. Usage: mkhelp <topics.txt> <output folder>
// Writes HelpNN.S10 and HelpNN.R10 for every topic group in the source.

#include "help/HelpBuild.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: mkhelp <topics.txt> <output folder>\n");
        return 2;
    }
    QStringList errors;
    if (!help::GenerateHelpFiles(args.at(1), args.at(2), &errors)) {
        for (const QString& e : errors)
            std::fprintf(stderr, "mkhelp: %s\n", qPrintable(e));
        return 1;
    }
    return 0;
}
