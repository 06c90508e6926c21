// Figures on the web: the applet code of a saved figure ("Code HTML pour Applet") and the
// interactive page that shows a figure live in a browser, offline.
#pragma once

#include <QDialog>
#include <QString>
#include <ostream>
#include <string>
#include <vector>

class CMainFrame;
class CPelvantiDoc;
class QLineEdit;
class QRadioButton;

// Saved and unchanged since, and permitted by the figure's restricted menus.
bool appletCodeEnabled(CMainFrame& frame);
// The dialog "Code HTML pour applet" for the active figure.
void showAppletCode(CMainFrame& frame);

class CAppletCodeDialog : public QDialog {
    Q_OBJECT
public:
    CAppletCodeDialog(const QString& code, QWidget* parent = nullptr);
};

// The interactive page: one self-contained file (viewer and figure inlined, works from
// file:// without network), or an HTML fragment with the figure file and the viewer beside it.
enum class WebPageKind { singleFile, fragmentAndFiles };

// The viewer built by tools/build-web.sh: $KORVENDAL_WEB_VIEWER, else korvendal-viewer.js beside
// the program or in the build-web folder beside its build folder; empty when there is none.
QString webViewerPath();
// Writes the page of `doc` (as it is now, saved or not) to `outPath`; false with a French
// `reason` when the viewer is missing or a file cannot be written.
bool writeInteractivePage(CPelvantiDoc& doc, const QString& outPath, WebPageKind kind,
                          QString* reason);
// "Exporter une page web interactive…": asks the kind and the file, then writes the page.
void exportInteractivePage(CMainFrame& frame);
// "korvendal32 --web-page FIGURE.qvf PAGE.html [--fragment]": -1 when `args` is another
// command, else the exit status.
int runWebPageCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

class CWebPageDialog : public QDialog {
    Q_OBJECT
public:
    CWebPageDialog(const QString& path, QWidget* parent = nullptr);
    WebPageKind kind() const;
    QString path() const;

private:
    QRadioButton* single_;
    QLineEdit* path_;
};
