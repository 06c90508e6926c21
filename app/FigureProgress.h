// The progress of a long read or write of a figure, in a dialog over the main window: it
// appears only when the operation lasts, and offers no cancel (a save is never left half
// done, and a load that fails leaves nothing behind anyway).
#pragma once

#include <QString>
#include <memory>

#include "core/CProgress.h"

class QProgressDialog;
class QWidget;

class CFigureProgress : public CProgress {
public:
    CFigureProgress(QWidget* parent, const QString& label);
    ~CFigureProgress() override;
    CFigureProgress(const CFigureProgress&) = delete;
    CFigureProgress& operator=(const CFigureProgress&) = delete;

    // The model's reports fill the bar up to the window's own part.
    void report(uint64_t done, uint64_t total) override;
    // The model is done: the window computes and draws the figure.
    void windowStage();

    // How long an operation lasts before the dialog appears (Qt's estimate included).
    static inline int minimumDurationMs = 500;

private:
    std::unique_ptr<QProgressDialog> dialog_;
};
