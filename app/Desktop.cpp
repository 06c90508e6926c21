#include "app/Desktop.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QTranslator>
#include <map>
#include <string_view>

namespace {
// The type column of Qt's file dialog: texts that Qt's French catalogue lacks.
class CFileTypesInFrench : public QTranslator {
public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char*, int) const override {
        static const std::map<std::string_view, const char*> texts = {
            {"Folder", "Dossier"}, {"File", "Fichier"},       {"%1 File", "Fichier %1"},
            {"Drive", "Lecteur"},  {"Shortcut", "Raccourci"}, {"Unknown", "Inconnu"}};
        if (std::string_view(context) != "QAbstractFileIconProvider") return {};
        auto it = texts.find(source);
        return it == texts.end() ? QString() : QString::fromUtf8(it->second);
    }
};
}  // namespace

bool installFrenchTranslations(QCoreApplication& app) {
    // Dates, sizes and percentages of Qt's dialogs written the French way too.
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    const QString dir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    bool any = false;
    // "qtbase" holds the widgets, print support and standard buttons; "qtmultimedia" the
    // sound errors. The translators belong to the application and live as long as it.
    for (const char* catalogue : {"qtbase_fr", "qtmultimedia_fr"}) {
        auto* translator = new QTranslator(&app);
        if (translator->load(QString::fromLatin1(catalogue), dir) &&
            QCoreApplication::installTranslator(translator)) {
            any = true;
        } else {
            delete translator;
        }
    }
    if (any) QCoreApplication::installTranslator(new CFileTypesInFrench(&app));
    return any;
}

QString figureFolder(const QString& figurePath, const QString& recentFile) {
    for (const QString& file : {figurePath, recentFile}) {
        if (file.isEmpty()) continue;
        QDir folder = QFileInfo(file).absoluteDir();
        if (folder.exists()) return folder.absolutePath();
    }
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return documents.isEmpty() ? QDir::homePath() : documents;
}
