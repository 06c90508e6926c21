// The web commands of the Edition menu, reached through their menu actions.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <functional>
#include <sstream>

#include "app/FrameFixture.h"
#include "app/WebPageCommands.h"

namespace {
CPelvantiView* openSavedFigure(Fixture& f) {
    return f.frame->openFile(QString::fromStdString(f.saveFigureWithPoint("triangle.qvf")));
}

bool enabled(Fixture& f, int command) {
    f.frame->updateActions();
    return f.frame->action(command)->isEnabled();
}

// Runs `answer` on the modal dialog that the next action opens.
void whenDialogOpens(std::function<void(QDialog*)> answer) {
    QTimer::singleShot(0, [answer] {
        if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) answer(d);
    });
}
}  // namespace

TEST(WebPage, AppletCodeOnlyForASavedUnchangedFigureAndCopiedFromTheDialog) {
    Fixture f;
    f.frame->newFigure();
    EXPECT_FALSE(enabled(f, Cmd::appletCode));  // never saved
    CPelvantiView* v = openSavedFigure(f);
    ASSERT_NE(v, nullptr);
    v->document()->allowedMenus.add(Cmd::appletCode);
    EXPECT_FALSE(enabled(f, Cmd::appletCode));  // refused by the restricted menus
    v->document()->allowedMenus.clear();
    // The size of the view now, not the one stored in the file.
    v->parentWidget()->resize(431, 287);
    QApplication::processEvents();
    const LSize area = v->drawingArea();
    QApplication::clipboard()->clear();
    whenDialogOpens([](QDialog* d) {
        EXPECT_EQ(d->windowTitle(), "Code HTML pour applet");
        for (auto* b : d->findChildren<QPushButton*>())
            if (b->text() == "Copier le code dans le presse-papier") b->click();
        d->accept();
    });
    ASSERT_TRUE(enabled(f, Cmd::appletCode));
    f.run(Cmd::appletCode);
    EXPECT_EQ(QApplication::clipboard()->text(),
              QStringLiteral("<APPLET CODE=\"Applet.AppletKorvendal32.class\"\r\n"
                             "    ARCHIVE = \"AppletKorvendal32.jar\"\r\n"
                             "    WIDTH=%1\r\n    HEIGHT=%2>\r\n"
                             "    <PARAM NAME= Path VALUE = \"triangle.qvf\">\r\n</APPLET>")
                  .arg(area.cx / 10)
                  .arg(area.cy / 10));
    add<CPointBase>(v, nat::pointLibre, 300.0, 200.0);
    EXPECT_FALSE(enabled(f, Cmd::appletCode));  // modified
}

namespace {
// A stand-in for the built viewer, with the one text a script element cannot hold.
struct FakeViewer {
    QTemporaryDir dir;
    QString path = dir.filePath("korvendal-viewer.js");
    explicit FakeViewer(bool present = true) {
        if (present) {
            QFile f(path);
            f.open(QIODevice::WriteOnly);
            f.write("var end = '</script>';");
        }
        qputenv("KORVENDAL_WEB_VIEWER", path.toUtf8());
    }
    ~FakeViewer() { qunsetenv("KORVENDAL_WEB_VIEWER"); }
};

QByteArray contentOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
}  // namespace

TEST(WebPage, InteractivePageFromTheMenu) {
    Fixture f;
    FakeViewer viewer;
    CPelvantiView* v = openSavedFigure(f);
    ASSERT_NE(v, nullptr);
    // Unsaved changes go into the page too.
    add<CPointBase>(v, nat::pointLibre, 300.0, 200.0);
    const QString single = f.dir.filePath("seul.html");
    const QString fragment = f.dir.filePath("extrait.html");
    for (const QString& page : {single, fragment}) {
        whenDialogOpens([page, fragmentWanted = page == fragment](QDialog* d) {
            d->findChild<QLineEdit*>()->setText(page);
            if (fragmentWanted) d->findChild<QRadioButton*>("fragment")->setChecked(true);
            d->accept();
        });
        f.run(Cmd::exportWebPage);
    }
    const QByteArray page = contentOf(single);
    EXPECT_TRUE(page.startsWith("<!DOCTYPE html>"));
    EXPECT_TRUE(page.contains("var end = '<\\/script>';"));
    const std::vector<uint8_t> figure = v->document()->saveToBytes();
    EXPECT_TRUE(
        page.contains("data-qvf=\"" + QByteArray(reinterpret_cast<const char*>(figure.data()),
                                                 static_cast<qsizetype>(figure.size()))
                                          .toBase64()));
    EXPECT_EQ(contentOf(fragment),
              "<div class=\"korvendal-figure\" data-src=\"extrait-web.qvf\"></div>\n"
              "<script src=\"korvendal-viewer.js\"></script>\n");
    EXPECT_EQ(contentOf(f.dir.filePath("korvendal-viewer.js")), contentOf(viewer.path));
    EXPECT_TRUE(
        CPelvantiDoc().loadFromFile(f.dir.filePath("extrait-web.qvf").toStdString(), nullptr));
}

TEST(WebPageCommand, WritesThePageOrSaysWhy) {
    struct {
        bool viewerBuilt;
        const char* figure;  // under tests/data/figures
        int status;
        const char* says;
    } cases[] = {{true, "valid/construction.qvf", 0, "Page web écrite"},
                 {false, "valid/construction.qvf", 1, "tools/build-web.sh"},
                 {true, "damaged/truncated.qvf", 1, ""}};
    for (const auto& c : cases) {
        FakeViewer viewer(c.viewerBuilt);
        QTemporaryDir out;
        const std::string page = out.filePath("page.html").toStdString();
        const std::string figure = std::string(KORVENDAL_TEST_DATA "/figures/") + c.figure;
        std::ostringstream o, e;
        EXPECT_EQ(runWebPageCommand({"--web-page", figure, page}, o, e), c.status) << c.says;
        EXPECT_NE((o.str() + e.str()).find(c.says), std::string::npos) << o.str() << e.str();
        EXPECT_EQ(QFileInfo::exists(QString::fromStdString(page)), c.status == 0);
    }
}
