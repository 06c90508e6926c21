// A main window over a settings file of its own and a headless host, shown at 1000 x 700; the
// preferences and the host are put back afterwards.
#pragma once

#include <QCoreApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <map>
#include <memory>
#include <string>

#include "app/CMainFrame.h"
#include "core/CHost.h"
#include "core/CPalette.h"
#include "core/CPreferences.h"
#include "document/CPelvantiDoc.h"
#include "geometry/CPointAncetre.h"

// Closed child windows are deleted by the event loop.
inline void flushEvents() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

struct Fixture {
    QTemporaryDir dir;
    CHeadlessHost headless;
    CHost* previousHost;
    CPreferences savedPrefs = preferences();
    std::unique_ptr<CMainFrame> frame;

    explicit Fixture(std::map<QString, QVariant> prefs = {}) {
        previousHost = setHost(&headless);
        auto settings = std::make_unique<QSettings>(dir.filePath("k.ini"), QSettings::IniFormat);
        for (auto& [k, v] : prefs) settings->setValue("Preferences/" + k, v);
        frame = std::make_unique<CMainFrame>(std::move(settings));
        frame->resize(1000, 700);
        frame->show();
    }
    ~Fixture() {
        frame->automaticAnswer = IDNO;
        frame.reset();
        setHost(previousHost);
        preferences() = savedPrefs;
        CPalette::rebuildPens();
    }
    std::string saveFigureWithPoint(const char* name, double x = 1000, double y = 500) {
        CPelvantiDoc doc;
        doc.newFigure();
        doc.addEntry(
            std::make_unique<CAction>(nat::pointLibre, std::make_unique<CPointBase>(x, y, 4, 0)));
        std::string path = dir.filePath(name).toStdString();
        std::string reason;
        EXPECT_TRUE(doc.saveToFile(path, &reason)) << reason;
        return path;
    }
};
