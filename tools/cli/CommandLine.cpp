#include "tools/cli/CommandLine.h"

#include <string_view>

#include "calc/NumberFormat.h"
#include "core/CElementBase.h"
#include "core/CHost.h"
#include "core/CListeAction.h"
#include "document/CPelvantiDoc.h"
#include "values/CValeurDynamique.h"

namespace {
const char* const kUsage =
    "Utilisation : korvendal32 [FICHIER.qvf]\n"
    "              korvendal32 --describe FICHIER.qvf\n"
    "              korvendal32 --resave ENTREE.qvf SORTIE.qvf\n"
    "              korvendal32 --export FICHIER.qvf IMAGE.(png|svg|pdf) [--size LxH]\n"
    "              korvendal32 --web-page FICHIER.qvf PAGE.html [--fragment]\n"
    "              korvendal32 --help\n"
    "\n"
    "  FICHIER.qvf   ouvre la figure dans une fenêtre\n"
    "  --describe    affiche l'en-tête de la figure et une ligne par objet, après recalcul\n"
    "  --resave      lit une figure et l'enregistre à nouveau au format actuel\n"
    "  --export      dessine la figure dans une image PNG, SVG ou PDF (selon l'extension),\n"
    "                à sa taille ou à celle de --size en pixels, sans fenêtre\n"
    "  --web-page    écrit une page web où la figure est vivante, hors ligne (un seul fichier,\n"
    "                ou avec --fragment un extrait HTML, la figure et le visualiseur à côté)\n"
    "  --help        affiche cette aide\n";

// Messages the model would show in a box (a figure of a later version) go to the error stream.
class ConsoleHost : public CHeadlessHost {
public:
    explicit ConsoleHost(std::ostream& err) : err_(err) {}
    int messageBox(const std::string& text, const std::string& caption, unsigned flags) override {
        CHeadlessHost::messageBox(text, caption, flags);
        err_ << "korvendal32 : " << oneLine(text) << "\n";
        return (flags & 0xF) == MB_YESNO || (flags & 0xF) == MB_YESNOCANCEL ? IDYES : IDOK;
    }
    // Line breaks (and the indentation after them) become `separator`; runs of blanks one.
    static std::string oneLine(const std::string& text, const char* separator = " ");

private:
    std::ostream& err_;
};

std::string ConsoleHost::oneLine(const std::string& text, const char* separator) {
    std::string out;
    bool blank = false, lineBreak = false;
    for (char c : text) {
        if (c == '\r' || c == '\n') {
            lineBreak = true;
            continue;
        }
        if (c == ' ' || c == '\t') {
            blank = true;
            continue;
        }
        if (!out.empty() && lineBreak)
            out += separator;
        else if (!out.empty() && blank)
            out += ' ';
        blank = lineBreak = false;
        out += c;
    }
    return out;
}

struct HostScope {
    explicit HostScope(CHost* h) : previous(setHost(h)) {}
    ~HostScope() { setHost(previous); }
    CHost* previous;
};

const char* yesNo(bool b) {
    return b ? "oui" : "non";
}

std::string sizeText(LSize s) {
    return std::to_string(s.cx) + " x " + std::to_string(s.cy);
}

std::string indexText(const CListeAction& list, const CElementBase* e) {
    return e ? "objet " + std::to_string(list.indexOf(e)) : "aucune";
}

void describe(CPelvantiDoc& doc, const std::string& file, std::ostream& out) {
    CListeAction& list = doc.list();
    list.computeAll();
    out << "Figure : " << file << "\n";
    out << "Version du format : " << doc.formatVersion << "\n";
    out << "Couleur de fond : " << int{doc.backgroundRed} << " " << int{doc.backgroundGreen} << " "
        << int{doc.backgroundBlue} << "\n";
    out << "Image de fond : "
        << (doc.backgroundPictureFile.empty() ? "aucune" : doc.backgroundPictureFile) << "\n";
    out << "Taille de la vue : " << sizeText(doc.viewSize) << "\n";
    out << "Taille de la fenêtre : " << sizeText(doc.windowSize) << "\n";
    std::vector<uint32_t> menus = doc.allowedMenus.ids();
    out << "Menus restreints : " << menus.size()
        << (doc.allowedMenus.idsAreDisabled ? " commande(s) désactivée(s)"
                                            : " seule(s) commande(s) active(s)")
        << "\n";
    out << "Affichages fixés : " << yesNo(doc.displaysPinned) << "\n";
    out << "Marques d'angle fixées : " << yesNo(doc.angleMarksPinned) << "\n";
    out << "Surfaces dynamiques : " << yesNo(doc.dynamicSurfaces) << "\n";
    out << "Longueur unité du presse-papiers : " << formatNumber(doc.clipboardUnitCm, 12, 4)
        << " cm\n";
    out << "Unité d'angle : " << (list.angleUnit ? "degré" : "radian") << "\n";
    out << "Longueur unité : " << indexText(list, list.unitLength) << "\n";
    out << "Macro par défaut : " << indexText(list, list.defaultMacro) << "\n";
    out << "Objets : " << list.count() << "\n";
    for (int i = 0; i < list.count(); ++i) {
        CActionAncetre* entry = list.entryAt(i);
        CElementBase* e = entry->element;
        out << i << "\t" << e->GetRuntimeClass()->className << "\t"
            << ConsoleHost::oneLine(e->getDescription(), " / ") << "\t";
        // The status text says "n'existe pas" itself; an existing object may have none.
        std::string status = ConsoleHost::oneLine(e->getStatusText(), " / ");
        out << (status.empty() ? (e->exists ? "existe" : "n'existe pas") : status);
        auto* value = dynamic_cast<CValeurDynamique*>(e);
        if (value && e->exists && (entry->nature & (nat::valeurReelle | nat::valeurComplexe)))
            out << "\tvaleur = " << value->getDisplayValueText(12);
        out << "\n";
    }
}

int loadOrReport(CPelvantiDoc& doc, const std::string& file, std::ostream& err) {
    std::string reason;
    if (doc.loadFromFile(file, &reason)) return 0;
    err << "korvendal32 : " << ConsoleHost::oneLine(reason) << "\n";
    return 1;
}
}  // namespace

int runCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) return -1;
    const std::string& command = args[0];
    if (command == "--help" || command == "-h") {
        out << kUsage;
        return 0;
    }
    if (command.rfind("--", 0) != 0) return -1;

    ConsoleHost console(err);
    HostScope scope(&console);
    if (command == "--describe") {
        if (args.size() != 2) {
            err << "korvendal32 : --describe attend un fichier de figure.\n" << kUsage;
            return 2;
        }
        CPelvantiDoc doc;
        if (int status = loadOrReport(doc, args[1], err)) return status;
        describe(doc, args[1], out);
        return 0;
    }
    if (command == "--resave") {
        if (args.size() != 3) {
            err << "korvendal32 : --resave attend un fichier d'entrée et un fichier de sortie.\n"
                << kUsage;
            return 2;
        }
        CPelvantiDoc doc;
        if (int status = loadOrReport(doc, args[1], err)) return status;
        std::string reason;
        if (!doc.saveToFile(args[2], &reason)) {
            err << "korvendal32 : " << ConsoleHost::oneLine(reason) << "\n";
            return 1;
        }
        return 0;
    }
    err << "korvendal32 : option inconnue « " << command << " ».\n" << kUsage;
    return 2;
}
