#include "app/WebPageCommands.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSaveFile>
#include <QStatusBar>
#include <QVBoxLayout>

#include "app/CMainFrame.h"
#include "core/CHost.h"
#include "document/CPelvantiDoc.h"
#include "document/WebPageCode.h"
#include "view/CPelvantiView.h"
#include "view/Commands.h"

bool appletCodeEnabled(CMainFrame& frame) {
    CPelvantiView* v = frame.activeView();
    if (!v) return false;
    const CPelvantiDoc& doc = *v->document();
    return !doc.path.empty() && doc.allowedMenus.isEnabled(Cmd::appletCode) && !v->isModified();
}

void showAppletCode(CMainFrame& frame) {
    if (!appletCodeEnabled(frame)) return;
    CPelvantiView* v = frame.activeView();
    const std::string code = buildWebPageCode(v->document()->path, v->drawingArea());
    CAppletCodeDialog dialog(QString::fromStdString(code), &frame);
    dialog.exec();
}

CAppletCodeDialog::CAppletCodeDialog(const QString& code, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Code HTML pour applet"));
    auto* layout = new QVBoxLayout(this);
    auto* edit = new QPlainTextEdit(QString(code).remove(QLatin1Char('\r')), this);
    edit->setLineWrapMode(QPlainTextEdit::NoWrap);
    layout->addWidget(edit);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    auto* copy = buttons->addButton(QStringLiteral("Copier le code dans le presse-papier"),
                                    QDialogButtonBox::ActionRole);
    // The fragment as built, with its "\r\n": the editor would give back bare line feeds.
    connect(copy, &QPushButton::clicked, this,
            [code] { QApplication::clipboard()->setText(code); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    resize(520, 220);
    buttons->button(QDialogButtonBox::Ok)->setFocus();
}

// ---------------------------------------------------------------------------------------------
// The interactive page

QString webViewerPath() {
    const QString name = QStringLiteral("korvendal-viewer.js");
    QStringList candidates{qEnvironmentVariable("KORVENDAL_WEB_VIEWER")};
    // The command line runs without an application object.
    const QString app =
        QCoreApplication::instance()
            ? QCoreApplication::applicationDirPath()
            : QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget()).path();
    // Beside an installed program, or built beside the program's build folder.
    candidates << app + "/" + name << app + "/../build-web/" + name;
    for (const QString& c : candidates)
        if (!c.isEmpty() && QFileInfo(c).isFile()) return c;
    return {};
}

namespace {
// The figure's place in the page; the viewer sizes it from the figure.
QByteArray figureHolder(const QByteArray& attribute, const QByteArray& value) {
    return "<div class=\"korvendal-figure\" " + attribute + "=\"" + value + "\"></div>\n";
}

bool writeFile(const QString& path, const QByteArray& data, QString* reason) {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.commit())
        return true;
    if (reason)
        *reason = QStringLiteral("Impossible d'écrire « %1 » : %2").arg(path, file.errorString());
    return false;
}
}  // namespace

bool writeInteractivePage(CPelvantiDoc& doc, const QString& outPath, WebPageKind kind,
                          QString* reason) {
    const QString viewerPath = webViewerPath();
    QFile viewerFile(viewerPath);
    if (viewerPath.isEmpty() || !viewerFile.open(QIODevice::ReadOnly)) {
        if (reason)
            *reason = QStringLiteral(
                "Le visualiseur web (korvendal-viewer.js) est introuvable : "
                "construisez-le avec tools/build-web.sh.");
        return false;
    }
    const QByteArray viewer = viewerFile.readAll();
    const std::vector<uint8_t> bytes = doc.saveToBytes();
    const QByteArray figure(reinterpret_cast<const char*>(bytes.data()),
                            static_cast<qsizetype>(bytes.size()));
    const QFileInfo out(outPath);
    if (kind == WebPageKind::fragmentAndFiles) {
        // A name of its own, so that the page never replaces the figure's own file.
        const QString figureName = out.completeBaseName() + QStringLiteral("-web.qvf");
        const QByteArray fragment = figureHolder("data-src", figureName.toHtmlEscaped().toUtf8()) +
                                    "<script src=\"korvendal-viewer.js\"></script>\n";
        return writeFile(out.dir().filePath(figureName), figure, reason) &&
               writeFile(out.dir().filePath(QStringLiteral("korvendal-viewer.js")), viewer,
                         reason) &&
               writeFile(outPath, fragment, reason);
    }
    QByteArray inlined = viewer;
    // Inside a script element, only "</script" would end it early.
    inlined.replace("</script", "<\\/script");
    const QString title = doc.path.empty()
                              ? QStringLiteral("Figure")
                              : QFileInfo(QString::fromStdString(doc.path)).completeBaseName();
    const QByteArray page =
        "<!DOCTYPE html>\n<html lang=\"fr\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<title>" +
        title.toHtmlEscaped().toUtf8() + "</title>\n</head>\n<body>\n" +
        figureHolder("data-qvf", figure.toBase64()) + "<script>\n" + inlined +
        "\n</script>\n</body>\n</html>\n";
    return writeFile(outPath, page, reason);
}

CWebPageDialog::CWebPageDialog(const QString& path, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Exporter une page web interactive"));
    auto* layout = new QVBoxLayout(this);
    single_ = new QRadioButton(
        QStringLiteral(
            "Un seul fichier HTML (visualiseur et figure inclus, fonctionne hors ligne)"),
        this);
    auto* fragment = new QRadioButton(
        QStringLiteral("Un extrait HTML, avec la figure et le visualiseur à côté"), this);
    single_->setChecked(true);
    fragment->setObjectName(QStringLiteral("fragment"));
    layout->addWidget(single_);
    layout->addWidget(fragment);
    auto* row = new QHBoxLayout;
    path_ = new QLineEdit(path, this);
    auto* browse = new QPushButton(QStringLiteral("Parcourir…"), this);
    connect(browse, &QPushButton::clicked, this, [this] {
        const QString chosen = QFileDialog::getSaveFileName(
            this, windowTitle(), path_->text(), QStringLiteral("Page web (*.html *.htm)"));
        if (!chosen.isEmpty()) path_->setText(chosen);
    });
    row->addWidget(path_);
    row->addWidget(browse);
    layout->addLayout(row);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

WebPageKind CWebPageDialog::kind() const {
    return single_->isChecked() ? WebPageKind::singleFile : WebPageKind::fragmentAndFiles;
}

QString CWebPageDialog::path() const {
    QString p = path_->text().trimmed();
    if (!p.isEmpty() && QFileInfo(p).suffix().isEmpty()) p += QStringLiteral(".html");
    return p;
}

void exportInteractivePage(CMainFrame& frame) {
    CPelvantiView* v = frame.activeView();
    if (!v) return;
    CPelvantiDoc& doc = *v->document();
    const QFileInfo saved(QString::fromStdString(doc.path));
    const QString page = doc.path.empty()
                             ? QDir::home().filePath(QStringLiteral("figure.html"))
                             : saved.dir().filePath(saved.completeBaseName() + ".html");
    CWebPageDialog dialog(page, &frame);
    if (dialog.exec() != QDialog::Accepted || dialog.path().isEmpty()) return;
    QString reason;
    if (!writeInteractivePage(doc, dialog.path(), dialog.kind(), &reason))
        host().messageBox(reason.toStdString(), "Korvendal32", MB_OK | MB_ICONERROR);
    else
        frame.statusBar()->showMessage(QStringLiteral("Page web écrite : %1").arg(dialog.path()),
                                       5000);
}

int runWebPageCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty() || args[0] != "--web-page") return -1;
    const bool fragment = args.size() == 4 && args[3] == "--fragment";
    if (args.size() != 3 && !fragment) {
        err << "Utilisation : korvendal32 --web-page FIGURE.qvf PAGE.html [--fragment]\n";
        return 2;
    }
    CPelvantiDoc doc;
    doc.newFigure();
    std::string why;
    if (!doc.loadFromFile(args[1], &why)) {
        err << why << "\n";
        return 1;
    }
    QString reason;
    if (!writeInteractivePage(doc, QString::fromStdString(args[2]),
                              fragment ? WebPageKind::fragmentAndFiles : WebPageKind::singleFile,
                              &reason)) {
        err << reason.toStdString() << "\n";
        return 1;
    }
    out << "Page web écrite : " << args[2] << "\n";
    return 0;
}
