// The main window: one child window per open figure in a multiple-document area, the menus and
// toolbars built from the command table, the palettes, the status bar and the prompt bar.
#pragma once

#include <QMainWindow>
#include <QMdiSubWindow>
#include <QPointer>
#include <QSettings>
#include <QStringList>
#include <map>
#include <memory>
#include <vector>

#include "app/CommandTable.h"

class QAction;
class QActionGroup;
class QLabel;
class QMdiArea;
class QMenu;

class QToolBar;
class CPelvantiView;
class CPelvantiDoc;
class CToolGrid;

class CMainFrame;

// The child window of a figure: asks before a modified figure is closed.
class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    CChildFrame(CMainFrame* frame, CPelvantiView* view);
    CPelvantiView* view() const { return view_; }
    QSize sizeHint() const override;
    // The size the figure asks for (its file's window size).
    QSize preferredSize{800, 560};

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    CMainFrame* frame_;
    CPelvantiView* view_;
};

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    // `settings`: the store of preferences and recent files (the user's store when null).
    explicit CMainFrame(std::unique_ptr<QSettings> settings = nullptr);
    ~CMainFrame() override;

    CPelvantiView* activeView() const;
    QList<CPelvantiView*> views() const;
    QMdiArea* mdiArea() const { return mdi_; }

    // Document commands.
    CPelvantiView* newFigure();
    // Opens a figure file in a new window; a file already open is brought to the front. A file
    // that cannot be read opens nothing and its reason is shown.
    CPelvantiView* openFile(const QString& path);
    // Opens a figure brought back from a copy of a session that did not end: modified, under
    // the title it had.
    CPelvantiView* openRecovered(std::unique_ptr<CPelvantiDoc> doc, const QString& title);
    void openWithDialog();
    bool save();
    bool saveAs();
    bool saveView(CPelvantiView* view, const QString& path);
    void closeActive();
    void exportWithDialog();
    void print();
    void printPreview();
    void undo();
    void redo();
    void copy();
    void copyBitmap();
    void editPreferences();
    void toggleLineEnforcement();
    void redrawAll();
    void recomputeAll();
    void cascade();
    void tile();
    void about();

    // Asks whether to save a modified figure; false when the user cancels (or the save failed).
    bool maybeSave(CPelvantiView* view);
    // The answer given instead of asking (tests); 0 asks the user.
    int automaticAnswer = 0;

    // Menus and buttons follow the state of the active figure.
    void updateActions();
    QAction* action(int commandId) const;
    QToolBar* toolBar(ToolBarId id) const;
    // The command buttons of a bar, in order, separators left out.
    QList<QAction*> toolBarButtons(ToolBarId id) const;
    QToolBar* toolBarOfBit(uint32_t bit) const;
    QStringList recentFiles() const { return recent_; }
    QString promptText() const;
    // The folder where the file dialogs open for `view` (null: no figure).
    QString dialogFolder(CPelvantiView* view) const;
    // Shows or hides a bar and keeps its bit of "ToolBars".
    void setBarVisible(uint32_t bit, bool visible);

    // Writes the preferences and the recent files to the store.
    void savePreferencesNow();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildCommands();
    void buildPalettes();
    void buildPromptBar();
    void buildBarsMenu();
    void applyToolBarBits();
    // The construction bar's buttons, shorter in school-level mode.
    void applyToolBarLevel();
    void updateRecentMenu();
    void addRecent(const QString& path);
    void updateWindowMenu();
    CPelvantiView* addView(std::unique_ptr<CPelvantiDoc> doc, const QString& title);
    void updateTitle(CPelvantiView* view);
    QMenu* menuFor(const QString& path);
    void onSubWindowActivated(QMdiSubWindow* w);
    // Moves and shrinks a figure window so that it lies within the visible area.
    void keepInside(QMdiSubWindow* w);

    std::unique_ptr<QSettings> settings_;
    QMdiArea* mdi_ = nullptr;
    std::map<QString, QMenu*> menus_;
    std::map<int, QAction*> actions_;
    std::vector<int> toolActions_;
    std::map<ToolBarId, QToolBar*> toolBars_;
    QPointer<CToolGrid> constructionGrid_;
    std::map<uint32_t, QWidget*> bars_;
    std::map<uint32_t, QAction*> barActions_;
    QMenu* recentMenu_ = nullptr;
    QAction* recentSeparator_ = nullptr;
    QList<QAction*> recentActions_;
    QMenu* windowMenu_ = nullptr;
    QList<QAction*> windowActions_;
    QLabel* prompt_ = nullptr;
    QStringList recent_;
    int untitledCount_ = 0;
};
