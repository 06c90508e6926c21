// A main window over a settings file of its own, a headless host and scripted tool dialogs,
// shown at 1000 x 700; the preferences, the host and the dialogs are put back afterwards.
#pragma once

#include <QCoreApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <map>
#include <memory>
#include <string>

#include "app/CMainFrame.h"
#include "core/CPalette.h"
#include "view/tools_fixture.h"

// Closed child windows are deleted by the event loop.
inline void flushEvents() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// Appends an object to the figure of `v`.
template <class T, class... Args>
T* add(CPelvantiView* v, Nature nature, Args&&... args) {
    auto object = std::make_unique<T>(std::forward<Args>(args)...);
    T* raw = object.get();
    v->document()->addEntry(std::make_unique<CAction>(nature, std::move(object)));
    return raw;
}

struct Fixture {
    QTemporaryDir dir;
    CHeadlessHost headless;
    CHost* previousHost;
    CPreferences savedPrefs = preferences();
    ScriptedDialogs dialogs;
    std::unique_ptr<CMainFrame> frame;

    explicit Fixture(std::map<QString, QVariant> prefs = {}) {
        previousHost = setHost(&headless);
        setToolDialogs(&dialogs);
        auto settings = std::make_unique<QSettings>(dir.filePath("k.ini"), QSettings::IniFormat);
        for (auto& [k, v] : prefs) settings->setValue("Preferences/" + k, v);
        frame = std::make_unique<CMainFrame>(std::move(settings));
        frame->resize(1000, 700);
        frame->show();
    }
    ~Fixture() {
        if (frame) frame->automaticAnswer = IDNO;
        frame.reset();
        setToolDialogs(nullptr);
        setHost(previousHost);
        preferences() = savedPrefs;
        CPalette::rebuildPens();
    }
    // Triggers a menu command; the figure it leaves active.
    CPelvantiView* run(int command) {
        frame->action(command)->trigger();
        return frame->activeView();
    }
    // Runs a menu command that leaves dialog D open, lets `fill` use it, then accepts it.
    template <class D, class Fill>
    void answer(int command, Fill fill) {
        run(command);
        D* d = frame->findChild<D*>();
        ASSERT_NE(d, nullptr);
        fill(*d);
        d->accept();
        delete d;
    }
    std::string saveFigureWithPoint(const char* name) {
        CPelvantiDoc doc;
        doc.newFigure();
        doc.addEntry(std::make_unique<CAction>(nat::pointLibre,
                                               std::make_unique<CPointBase>(1000, 500, 4, 0)));
        std::string path = dir.filePath(name).toStdString();
        std::string reason;
        EXPECT_TRUE(doc.saveToFile(path, &reason)) << reason;
        return path;
    }
};
