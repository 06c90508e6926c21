// "Voir tous les calculs": the figure's numeric objects, one line each (name, value,
// definition); a double click opens the dialog that modifies the object.
#pragma once

#include <QDialog>
#include <vector>

class QTreeWidget;
class CElementBase;
class CPelvantiView;

class CCalculsWindow : public QDialog {
    Q_OBJECT
public:
    explicit CCalculsWindow(CPelvantiView* view, QWidget* parent = nullptr);

    // Lists the numeric objects of the figure again.
    void fill();
    int rowCount() const { return static_cast<int>(objects_.size()); }
    CElementBase* objectAt(int row) const { return objects_[row]; }
    QString rowText(int row, int column) const;
    // Opens the modification dialog of row `row`; true when the figure changed.
    bool modifyRow(int row);

private:
    CPelvantiView* view_;
    QTreeWidget* tree_;
    std::vector<CElementBase*> objects_;
};

// Opens the window over the view's figure (modal).
void showCalculationsWindow(CPelvantiView* view);
