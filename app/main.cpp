#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

namespace {

const char kUsage[] =
    "Uso: zetview COMANDO [OPZIONI]\n"
    "\n"
    "Comandi:\n"
    "  --version   mostra la versione\n"
    "  --help      mostra questo aiuto\n";

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty() || args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h")) {
        std::fputs(kUsage, stdout);
        return args.isEmpty() ? 1 : 0;
    }
    if (args.first() == QLatin1String("--version")) {
        std::printf("zetview %s\n", ZETVIEW_VERSION);
        return 0;
    }
    std::fprintf(stderr, "zetview: comando sconosciuto: %s\n", qPrintable(args.first()));
    return 2;
}
