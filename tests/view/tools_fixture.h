// A shown figure view with the tools, driven by logical clicks: the tests call the current
// mouse handler with pixel positions, answer the dialogs from queues and read the messages
// the host recorded.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <initializer_list>
#include <memory>
#include <utility>

#include "core/CHost.h"
#include "core/CPreferences.h"
#include "document/CPelvantiDoc.h"
#include "geometry/CPointAncetre.h"
#include "view/CCapture.h"
#include "view/COutil.h"
#include "view/COutilsRegistry.h"
#include "view/CPelvantiView.h"
#include "view/Commands.h"

// The answer to a dialog of checked fields: values of its text fields (the first ones; the
// others keep their prefilled text), indexes of its choices, states of its boxes.
struct FormulaAnswer {
    std::vector<std::string> values;
    std::vector<int> choices = {};
    std::vector<bool> boxes = {};
};

class ScriptedDialogs : public CToolDialogs {
public:
    // Each answer is tried in turn until the dialog's check accepts one; a refusal records the
    // field and caret it gave back. Out of answers: Cancel.
    bool editFormula(FormulaDialog& d) override {
        titles.push_back(d.title);
        prefilled = d.values;
        while (!formulaAnswers.empty()) {
            FormulaAnswer a = formulaAnswers.front();
            formulaAnswers.pop_front();
            for (size_t i = 0; i < a.values.size() && i < d.values.size(); ++i)
                d.values[i] = a.values[i];
            for (size_t i = 0; i < a.choices.size() && i < d.choices.size(); ++i)
                d.choices[i].index = a.choices[i];
            for (size_t i = 0; i < a.boxes.size() && i < d.boxes.size(); ++i)
                d.boxes[i].checked = a.boxes[i];
            int caret = 0;
            const int field = d.check ? d.check(d, caret) : -1;
            if (field < 0) return true;
            refusals.push_back({field, caret});
        }
        return false;
    }
    std::deque<FormulaAnswer> formulaAnswers;
    std::vector<std::pair<int, int>> refusals;  // field, caret
    std::vector<std::string> prefilled;

    int chooseNature(const std::vector<std::string>& names) override {
        natureLists.push_back(names);
        return pop(natureAnswers, 0);
    }
    int chooseFirstOrLast() override {
        ++firstOrLastCalls;
        return pop(firstOrLastAnswers, 0);
    }
    bool editFields(const std::string& title, const std::vector<std::string>&,
                    std::vector<std::string>& values) override {
        titles.push_back(title);
        if (fieldAnswers.empty()) return false;
        values = fieldAnswers.front();
        fieldAnswers.pop_front();
        return true;
    }
    bool chooseItem(const std::string&, const std::vector<std::string>&, int& index) override {
        index = pop(itemAnswers, index);
        return true;
    }

    std::vector<std::vector<std::string>> natureLists;
    std::deque<int> natureAnswers, firstOrLastAnswers, itemAnswers;
    std::deque<std::vector<std::string>> fieldAnswers;
    std::vector<std::string> titles;
    int firstOrLastCalls = 0;

private:
    static int pop(std::deque<int>& q, int fallback) {
        if (q.empty()) return fallback;
        int v = q.front();
        q.pop_front();
        return v;
    }
};

class ToolsTest : public ::testing::Test {
protected:
    void SetUp() override {
        previousHost_ = setHost(&host);
        setToolDialogs(&dialogs);
        savedNameAuto_ = preferences().nameAuto;
        preferences().nameAuto = true;
        auto doc = std::make_unique<CPelvantiDoc>();
        doc->newFigure();
        view = std::make_unique<CPelvantiView>(std::move(doc));
        view->resize(640, 480);
        view->show();
        CPelvantiView::setActiveView(view.get());
        view->recomputeAndRedraw();
        toolCommands();
        revenirCapture(view.get());
    }
    void TearDown() override {
        if (etatOutils().currentTool) etatOutils().currentTool->deactivate(view.get());
        etatOutils().mouseHandler = nullptr;
        CPelvantiView::setActiveView(nullptr);
        view.reset();
        setToolDialogs(nullptr);
        setHost(previousHost_);
        preferences().nameAuto = savedNameAuto_;
    }

    CPelvantiDoc& doc() { return *view->document(); }
    CListeAction& list() { return doc().list(); }
    CPelvantiView* v() { return view.get(); }

    bool select(int command) { return selectToolCommand(command, v()); }
    void move(int x, int y) { etatOutils().mouseHandler->onMouseMove(v(), x, y); }
    void click(int x, int y) {
        move(x, y);
        etatOutils().mouseHandler->onLButtonDown(v(), x, y);
    }
    void clicks(std::initializer_list<std::pair<int, int>> points) {
        for (auto [x, y] : points) click(x, y);
    }
    void release(int x, int y) { etatOutils().mouseHandler->onLButtonUp(v(), x, y); }
    void rightClick(int x, int y) { etatOutils().mouseHandler->onRButtonDown(v(), x, y); }

    // A free point placed with the free-point tool at pixel (x, y).
    CPointBase* freePoint(int x, int y) {
        select(Cmd::freePoint);
        click(x, y);
        return dynamic_cast<CPointBase*>(list().elementAt(list().count() - 1));
    }
    // Two free points and the line (or circle: centre, then point) through them, by clicks.
    void twoPointsAnd(int command, int x1, int y1, int x2, int y2) {
        freePoint(x1, y1);
        freePoint(x2, y2);
        select(command);
        click(x1, y1);
        click(x2, y2);
    }
    void line(int x1, int y1, int x2, int y2) { twoPointsAnd(Cmd::lineTwoPoints, x1, y1, x2, y2); }
    // An object added to the figure directly, the figure recomputed.
    template <class T, class... Args>
    T* add(Nature nature, Args&&... args) {
        auto object = std::make_unique<T>(std::forward<Args>(args)...);
        T* raw = object.get();
        doc().addEntry(std::make_unique<CAction>(nature, std::move(object)));
        view->recomputeAndRedraw();
        return raw;
    }
    template <class T>
    T* last() {
        return dynamic_cast<T*>(list().elementAt(list().count() - 1));
    }
    std::string lastMessage() const {
        return host.messages.empty() ? std::string() : host.messages.back().text;
    }

    CHeadlessHost host;
    ScriptedDialogs dialogs;
    std::unique_ptr<CPelvantiView> view;

private:
    CHost* previousHost_ = nullptr;
    bool savedNameAuto_ = false;
};
