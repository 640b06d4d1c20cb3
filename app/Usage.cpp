#include "CliCommands.h"

#include <QMap>

namespace {

const QMap<QString, QString> &commandTexts()
{
    static const QMap<QString, QString> texts = {
        { QStringLiteral("dump"),
            QStringLiteral("zetview dump [--no-layout] MODELLO DATI\n"
                           "  Costruisce il report e stampa il documento come JSON su standard output.\n"
                           "  --no-layout  si ferma dopo la lettura dei dati (nessuna pagina)\n") },
        { QStringLiteral("info"),
            QStringLiteral("zetview info MODELLO DATI\n"
                           "  Costruisce e impagina il report; stampa una riga con il numero di pagine,\n"
                           "  di record e di valori e il tempo di costruzione (CreaReport=secondi).\n") },
        { QStringLiteral("settings"),
            QStringLiteral("zetview settings get --user|--machine NOME\n"
                           "zetview settings set --user|--machine NOME VALORE\n"
                           "zetview settings delete --user|--machine NOME\n"
                           "zetview settings --dialog\n"
                           "  Legge, scrive o elimina un valore delle impostazioni: --user per i valori\n"
                           "  per report (nome del report), --machine per i valori per stampante.\n"
                           "  Esempio: zetview settings set --user Fattura \"<CopieXML>2</CopieXML>\"\n"
                           "  --dialog apre la finestra Impostazioni (serve uno schermo).\n") },
        { QStringLiteral("print"),
            QStringLiteral(
                "zetview print MODELLO DATI [--printer NOME] [--copies N] [--collate] [--pages DA-A]\n"
                "  Stampa senza finestre. Stampante: --printer (basta l'inizio del nome), se no quella\n"
                "  associata al report nelle impostazioni, se no la predefinita. Copie: --copies, se no\n"
                "  Copie delle impostazioni, se no 1; ogni pagina N volte prima della successiva, o\n"
                "  con --collate l'intervallo intero N volte.\n") },
        { QStringLiteral("printers"),
            QStringLiteral(
                "zetview printers\n  Elenca le stampanti installate, nell'ordine del sistema.\n") },
        { QStringLiteral("export"),
            QStringLiteral("zetview export --format pdf|png|bmp|html|xml MODELLO DATI -o PERCORSO [--dpi N]\n"
                           "               [--zoom F] [--print-view]\n"
                           "  Scrive il report senza schermo. PERCORSO è un file, non una cartella.\n"
                           "  pdf: tutte le pagine in un file. png: un file per pagina, con il numero di\n"
                           "  pagina prima dell'estensione, a --dpi (predefinito 96) per --zoom.\n"
                           "  bmp: una bitmap a 24 bit per pagina come la mostra l'anteprima a --zoom\n"
                           "  (da 0.1 a 4, predefinito 1): PERCORSO senza estensione, l'indice di pagina\n"
                           "  da 0 su tre caratteri, \".\" ed estensione (rep.bmp: \"rep  0.bmp\", ...).\n"
                           "  html: PERCORSO con Precedente e Successivo; le pagine e le immagini delle\n"
                           "  bande nella cartella accanto, PERCORSO senza estensione più \"_file\".\n"
                           "  xml: il primo record esterno dei dati, con le correzioni fatte, in UTF-8,\n"
                           "  con la dichiarazione del tipo di documento generata dal modello.\n"
                           "  --print-view omette gli oggetti non stampabili (pdf, png, bmp).\n") },
        { QStringLiteral("preview"),
            QStringLiteral("zetview preview MODELLO DATI [--title TESTO]\n"
                           "  Apre l'anteprima (serve uno schermo). Dopo una stampa dall'anteprima scrive\n"
                           "  su standard output i dati, con le correzioni fatte; altrimenti niente.\n") },
        { QStringLiteral("about"),
            QStringLiteral("zetview about\n  Mostra la finestra con nome e versione.\n") },
    };
    return texts;
}

} // namespace

QString commandUsage(const QString &command)
{
    return QStringLiteral("uso:\n") + commandTexts().value(command);
}

QString usageText()
{
    QString text
        = QStringLiteral("Uso: zetview COMANDO [ARGOMENTI]\n\n"
                         "ZETView costruisce, impagina ed esporta report da un modello e dai dati.\n\n"
                         "Comandi:\n");
    for (auto it = commandTexts().cbegin(); it != commandTexts().cend(); ++it)
        text += it.value() + QLatin1Char('\n');
    text += QStringLiteral(
        "zetview --version   mostra la versione\n"
        "zetview --help      mostra questo aiuto (zetview COMANDO --help per un comando)\n\n"
        "Stato di uscita: 0 riuscito, 1 report che non si può costruire o disegnare\n"
        "(modello non utilizzabile, errore di esecuzione), 2 file non leggibile o non\n"
        "scrivibile, 3 stampa non riuscita, 64 uso errato.\n");
    return text;
}
