#include "app/FigureProgress.h"

#include <QProgressDialog>
#include <algorithm>

namespace {
constexpr int kRange = 1000;
// The window's first computation and drawing after a load.
constexpr int kModelShare = 900;
}  // namespace

CFigureProgress::CFigureProgress(QWidget* parent, const QString& label)
    : dialog_(std::make_unique<QProgressDialog>(label, QString(), 0, kRange, parent)) {
    dialog_->setWindowTitle(QStringLiteral("Korvendal32"));
    dialog_->setCancelButton(nullptr);
    // Modal once shown, so that nothing reaches the figures while the dialog handles events.
    dialog_->setWindowModality(Qt::WindowModal);
    dialog_->setMinimumDuration(minimumDurationMs);
    dialog_->setValue(0);
}

CFigureProgress::~CFigureProgress() = default;

void CFigureProgress::report(uint64_t done, uint64_t total) {
    if (total == 0) return;
    const int value = static_cast<int>(kModelShare * std::min(done, total) / total);
    if (value > dialog_->value()) dialog_->setValue(value);
}

void CFigureProgress::windowStage() {
    if (dialog_->value() < kModelShare) dialog_->setValue(kModelShare);
}
