#include "app/CDocumentCommands.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/CMainFrame.h"
#include "core/CHost.h"
#include "document/CPelvantiDoc.h"
#include "document/FigureTemplates.h"
#include "document/ObjectListing.h"
#include "view/CFigureRenderer.h"
#include "view/COutil.h"
#include "view/CPelvantiView.h"
#include "view/ToolTexts.h"

namespace {
QDialogButtonBox* okCancel(QDialog* d, bool withCancel = true) {
    auto* box = new QDialogButtonBox(withCancel ? QDialogButtonBox::Ok | QDialogButtonBox::Cancel
                                                : QDialogButtonBox::Ok);
    box->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    if (withCancel) box->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annuler"));
    QObject::connect(box, &QDialogButtonBox::accepted, d, &QDialog::accept);
    QObject::connect(box, &QDialogButtonBox::rejected, d, &QDialog::reject);
    return box;
}

// The view's figure changed: one undo state when the list changed, then redraw.
void figureChanged(CPelvantiView* view, const char* undoLabel) {
    if (undoLabel) view->document()->history().record(undoLabel);
    view->recomputeAndRedraw();
    view->setModified(true);
    emit view->figureChanged();
}

// Lines end with "\r\n" in stored texts, as the figures written elsewhere have them.
QString shownText(const std::string& stored) {
    return QString::fromStdString(stored).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}
}  // namespace

CPelvantiView* newFigureFromTemplate(CMainFrame& frame, FigureTemplate which) {
    CPelvantiView* view = frame.newFigure();
    if (!view) return nullptr;
    if (!buildFigureTemplate(*view->document(), which, view->drawingArea()))
        host().messageBox("La fenêtre est trop petite pour construire cette figure.", "Korvendal32",
                          MB_OK | MB_ICONEXCLAMATION);
    view->recomputeAndRedraw();
    view->markSaved();
    emit view->figureChanged();
    return view;
}

// ---------------------------------------------------------------------------------------------
// Text of the figure

CFigureTextDialog::CFigureTextDialog(CPelvantiView* view, bool readOnly, QWidget* parent)
    : QDialog(parent), view_(view) {
    setWindowTitle(readOnly ? QStringLiteral("Voir texte de la figure")
                            : QStringLiteral("Texte de la figure"));
    auto* layout = new QVBoxLayout(this);
    editor_ = new QPlainTextEdit;
    editor_->setPlainText(shownText(view->document()->reservedText));
    // Compared with what the editor made of the text, so that only an edit changes it.
    shown_ = editor_->toPlainText();
    editor_->setReadOnly(readOnly);
    layout->addWidget(editor_);
    layout->addWidget(okCancel(this, !readOnly));
    resize(520, 380);
}

void CFigureTextDialog::accept() {
    const QString text = editor_->toPlainText();
    if (view_ && !editor_->isReadOnly() && text != shown_) {
        QString stored = text;
        view_->document()->reservedText =
            stored.replace(QStringLiteral("\n"), QStringLiteral("\r\n")).toStdString();
        view_->setModified(true);
        emit view_->figureChanged();
    }
    QDialog::accept();
}

void openFigureText(CMainFrame& frame, bool readOnly) {
    CPelvantiView* view = frame.activeView();
    if (!view) return;
    auto* d = new CFigureTextDialog(view, readOnly, &frame);
    d->setAttribute(Qt::WA_DeleteOnClose);
    d->open();
}

// ---------------------------------------------------------------------------------------------
// List of the objects

void openObjectListing(CMainFrame& frame) {
    CPelvantiView* view = frame.activeView();
    if (!view) return;
    std::string reason;
    const std::string text = objectListing(*view->document(), &reason);
    if (!reason.empty()) {
        host().messageBox("La liste des objets n'a pas pu être faite : " + reason, "Korvendal32",
                          MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    auto* d = new QDialog(&frame);
    d->setObjectName(QStringLiteral("objectListing"));
    d->setAttribute(Qt::WA_DeleteOnClose);
    d->setWindowTitle(QStringLiteral("Liste des objets de la figure"));
    auto* layout = new QVBoxLayout(d);
    auto* editor = new QPlainTextEdit;
    editor->setReadOnly(true);
    editor->setPlainText(text.empty() ? QStringLiteral("La figure ne contient aucun objet.")
                                      : QString::fromStdString(text));
    layout->addWidget(editor);
    auto* box = new QDialogButtonBox(QDialogButtonBox::Close);
    box->button(QDialogButtonBox::Close)->setText(QStringLiteral("Fermer"));
    QPushButton* print =
        box->addButton(QStringLiteral("Imprimer..."), QDialogButtonBox::ActionRole);
    QObject::connect(print, &QPushButton::clicked, d, [d, editor] {
        QPrinter printer;
        QPrintDialog dialog(&printer, d);
        if (dialog.exec() == QDialog::Accepted) editor->print(&printer);
    });
    QObject::connect(box, &QDialogButtonBox::rejected, d, &QDialog::reject);
    layout->addWidget(box);
    d->resize(560, 420);
    d->open();
}

// ---------------------------------------------------------------------------------------------
// History of the created objects

CHistoryDialog::CHistoryDialog(CPelvantiView* view, QWidget* parent)
    : QDialog(parent), view_(view) {
    setWindowTitle(QStringLiteral("Historique des objets créés"));
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    const int last = view->document()->list().count() - 1;
    auto button = [&](const char* text, auto target) {
        auto* b = new QPushButton(QString::fromUtf8(text));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, [this, target] { showStep(target(step_)); });
        row->addWidget(b);
    };
    button("<<", [](int) { return 0; });
    button("<", [](int n) { return n - 1; });
    number_ = new QSpinBox;
    number_->setRange(0, std::max(last, 0));
    row->addWidget(number_);
    button(">", [](int n) { return n + 1; });
    button(">>", [last](int) { return last; });
    layout->addLayout(row);
    info_ = new QPlainTextEdit;
    info_->setReadOnly(true);
    layout->addWidget(info_);
    layout->addWidget(okCancel(this, false));
    connect(number_, &QSpinBox::valueChanged, this, [this](int n) { showStep(n); });
    resize(460, 260);
    // The tool in progress lets go of what it designated: the blinking is the history's now.
    revenirCapture(view);
    showStep(0);
}

CHistoryDialog::~CHistoryDialog() {
    stopShowing();
}

void CHistoryDialog::showStep(int n) {
    if (!view_) return;
    CListeAction& list = view_->document()->list();
    n = std::clamp(n, 0, list.count() - 1);
    if (n == step_) return;
    step_ = n;
    number_->setValue(n);
    EtatOutils& st = etatOutils();
    st.blinkList.clear();
    st.blinkList2.clear();
    CActionAncetre* entry = list.entryAt(n);
    CElementBase* parents[3] = {nullptr, nullptr, nullptr};
    QString text = QString::fromStdString(
        entry->element->getConstructionInfo(&parents[0], &parents[1], &parents[2]));
    const std::string description = entry->element->getDescription();
    if (!description.empty()) text += QStringLiteral("\n") + QString::fromStdString(description);
    info_->setPlainText(shownText(text.toStdString()));
    st.blinkList.append(entry);
    illustration_ = entry->element->createIllustration();
    if (illustration_) {
        illustration_->element->computePosition();
        st.blinkList.append(illustration_.get());
    }
    for (CElementBase* p : parents)
        if (CActionAncetre* e = p ? list.entryOf(p) : nullptr) st.blinkList2.append(e);
    view_->setStepDisplay(n);
    view_->startBlinking();
    if (!st.blinkList2.empty())
        view_->startBlinking2();
    else
        view_->stopBlinking2();
}

QString CHistoryDialog::constructionText() const {
    return info_->toPlainText();
}

void CHistoryDialog::stopShowing() {
    if (!illustration_ && step_ < 0) return;
    EtatOutils& st = etatOutils();
    st.blinkList.clear();
    st.blinkList2.clear();
    illustration_.reset();
    step_ = -1;
    if (!view_) return;
    view_->stopBlinking();
    view_->stopBlinking2();
    view_->setStepDisplay(-1);
}

void CHistoryDialog::done(int result) {
    stopShowing();
    QDialog::done(result);
}

void openHistory(CMainFrame& frame) {
    CPelvantiView* view = frame.activeView();
    if (!view) return;
    auto* d = new CHistoryDialog(view, &frame);
    d->setAttribute(Qt::WA_DeleteOnClose);
    d->open();
}

// ---------------------------------------------------------------------------------------------
// Options of the figure

CFigureOptionsDialog::CFigureOptionsDialog(CPelvantiView* view, QWidget* parent)
    : QDialog(parent), view_(view) {
    CPelvantiDoc& doc = *view->document();
    CListeAction& list = doc.list();
    setWindowTitle(QStringLiteral("Choix des options de la figure en cours"));
    auto* tabs = new QTabWidget;

    auto* unitPage = new QWidget;
    auto* unitLayout = new QVBoxLayout(unitPage);
    radian = new QRadioButton(QStringLiteral("Radian"));
    degree = new QRadioButton(QStringLiteral("Degré"));
    (list.angleUnit ? degree : radian)->setChecked(true);
    unitLayout->addWidget(radian);
    unitLayout->addWidget(degree);
    unitLayout->addStretch();
    tabs->addTab(unitPage, QStringLiteral("Unité d'angle"));

    auto* backPage = new QWidget;
    auto* backLayout = new QFormLayout(backPage);
    colour = QColor(doc.backgroundRed, doc.backgroundGreen, doc.backgroundBlue);
    colourButton = new QPushButton(QStringLiteral("Choisir..."));
    connect(colourButton, &QPushButton::clicked, this, [this] {
        QColor c = QColorDialog::getColor(colour, this, QStringLiteral("Couleur du fond"));
        if (c.isValid()) colour = c;
        showColour();
    });
    showColour();
    backLayout->addRow(QStringLiteral("Couleur du fond :"), colourButton);
    picture = new QLineEdit(QString::fromStdString(doc.backgroundPictureFile));
    auto* browse = new QPushButton(QStringLiteral("Parcourir..."));
    connect(browse, &QPushButton::clicked, this, [this] {
        QString file = QFileDialog::getOpenFileName(
            this, QStringLiteral("Image de fond"), QFileInfo(picture->text()).absolutePath(),
            QStringLiteral("Images (*.png *.jpg *.jpeg *.bmp *.gif)"));
        if (!file.isEmpty()) picture->setText(file);
    });
    auto* pictureRow = new QHBoxLayout;
    pictureRow->addWidget(picture);
    pictureRow->addWidget(browse);
    backLayout->addRow(QStringLiteral("Image de fond :"), pictureRow);
    tabs->addTab(backPage, QStringLiteral("Fond"));

    auto* pinPage = new QWidget;
    auto* pinLayout = new QVBoxLayout(pinPage);
    displaysPinned = new QCheckBox(QStringLiteral("Affichages et commentaires punaisés"));
    displaysPinned->setChecked(doc.displaysPinned);
    angleMarksPinned = new QCheckBox(QStringLiteral("Marques d'angle punaisées"));
    angleMarksPinned->setChecked(doc.angleMarksPinned);
    pinLayout->addWidget(displaysPinned);
    pinLayout->addWidget(angleMarksPinned);
    pinLayout->addStretch();
    tabs->addTab(pinPage, QStringLiteral("Eléments punaisés"));

    auto* capturePage = new QWidget;
    auto* captureLayout = new QVBoxLayout(capturePage);
    dynamicSurfaces = new QCheckBox(QStringLiteral("Surfaces redessinées pendant la capture"));
    dynamicSurfaces->setChecked(doc.dynamicSurfaces);
    captureLayout->addWidget(dynamicSurfaces);
    captureLayout->addStretch();
    tabs->addTab(capturePage, QStringLiteral("Capture"));

    auto* clipPage = new QWidget;
    auto* clipLayout = new QFormLayout(clipPage);
    clipboardCm = new QDoubleSpinBox;
    clipboardCm->setRange(0, 100);
    clipboardCm->setDecimals(2);
    clipboardCm->setSuffix(QStringLiteral(" cm"));
    clipboardCm->setSpecialValueText(QStringLiteral("Automatique"));
    clipboardCm->setValue(doc.clipboardUnitCm);
    // Without a unit length there is nothing to give a size to.
    clipboardCm->setEnabled(list.unitLength != nullptr);
    clipLayout->addRow(QStringLiteral("Longueur unité :"), clipboardCm);
    tabs->addTab(clipPage, QStringLiteral("Presse-papier"));

    auto* macroPage = new QWidget;
    auto* macroLayout = new QFormLayout(macroPage);
    defaultMacro = new QComboBox;
    defaultMacro->addItem(QStringLiteral("Aucune"));
    for (CActionAncetre* e : list.entries()) {
        if (!(e->nature & nat::macro)) continue;
        defaultMacro->addItem(QString::fromStdString(e->element->getDisplayName()),
                              QVariant::fromValue(static_cast<void*>(e->element)));
        if (e->element == list.defaultMacro)
            defaultMacro->setCurrentIndex(defaultMacro->count() - 1);
    }
    macroLayout->addRow(QStringLiteral("Macro par défaut :"), defaultMacro);
    tabs->addTab(macroPage, QStringLiteral("Macro par défaut"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(okCancel(this));
    // Wide enough for every tab to show its title.
    setMinimumWidth(tabs->tabBar()->sizeHint().width() + 40);
}

void CFigureOptionsDialog::showColour() {
    colourButton->setStyleSheet(QStringLiteral("background-color: %1").arg(colour.name()));
}

void CFigureOptionsDialog::accept() {
    if (!view_) return QDialog::reject();
    CPelvantiDoc& doc = *view_->document();
    CListeAction& list = doc.list();
    bool listChanged = false;
    const int unit = degree->isChecked() ? 1 : 0;
    if (unit != (list.angleUnit ? 1 : 0)) {
        doc.changeAngleUnit(unit);
        listChanged = true;
    }
    auto* macro = static_cast<CElementBase*>(defaultMacro->currentData().value<void*>());
    if (macro != list.defaultMacro) {
        list.defaultMacro = macro;
        listChanged = true;
    }
    doc.setBackgroundColour(RGB(colour.red(), colour.green(), colour.blue()));
    doc.displaysPinned = displaysPinned->isChecked();
    doc.angleMarksPinned = angleMarksPinned->isChecked();
    doc.dynamicSurfaces = dynamicSurfaces->isChecked();
    if (list.unitLength) doc.clipboardUnitCm = clipboardCm->value();

    const QString file = picture->text().trimmed();
    if (file.toStdString() != doc.backgroundPictureFile) {
        // Kept relative to the figure's folder when it has one, so that both move together.
        const QString absolute =
            QFileInfo(file).isAbsolute() || doc.path.empty()
                ? file
                : QFileInfo(QString::fromStdString(doc.path)).dir().absoluteFilePath(file);
        doc.backgroundPictureFile = doc.path.empty() || file.isEmpty()
                                        ? file.toStdString()
                                        : QFileInfo(QString::fromStdString(doc.path))
                                              .dir()
                                              .relativeFilePath(absolute)
                                              .toStdString();
        doc.backgroundPicturePath = absolute.toStdString();
        doc.backgroundPictureSize = {};
        doc.loadBackgroundPicture();
        if (doc.backgroundPicture) {
            LSize px = doc.backgroundPicture->sizeInPixels();
            doc.backgroundPictureSize = {px.cx * 10, px.cy * 10};
        } else if (!file.isEmpty()) {
            host().messageBox("Impossible de lire l'image « " + file.toStdString() + " ».",
                              "Korvendal32", MB_OK | MB_ICONEXCLAMATION);
        }
    }
    applyBackgroundColour(doc);
    figureChanged(view_, listChanged ? "Figure en cours" : nullptr);
    QDialog::accept();
}

void openFigureOptions(CMainFrame& frame) {
    CPelvantiView* view = frame.activeView();
    if (!view) return;
    auto* d = new CFigureOptionsDialog(view, &frame);
    d->setAttribute(Qt::WA_DeleteOnClose);
    d->open();
}
