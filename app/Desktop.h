// What the program needs from the Linux desktop: Qt's own dialogs in French and the folder
// where file dialogs open.
#pragma once

#include <QString>

class QCoreApplication;

// Loads Qt's French catalogues (file, print, preview, font and colour dialogs, standard
// buttons) and makes French the default locale, whatever the user's language, as every other
// text of the program is French.
// False when no catalogue was found (the package of Qt translations is missing).
bool installFrenchTranslations(QCoreApplication& app);

// Where a file dialog opens: the folder of `figurePath` when the figure has a file, else the
// folder of `recentFile`, else the user's documents folder.
QString figureFolder(const QString& figurePath, const QString& recentFile);
