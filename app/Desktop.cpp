#include "app/Desktop.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QTranslator>

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
