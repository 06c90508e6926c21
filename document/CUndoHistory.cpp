#include "document/CUndoHistory.h"

#include <utility>

#include "document/CPelvantiDoc.h"

void CUndoHistory::resetHistory() {
    for (auto& state : states_) std::vector<uint8_t>().swap(state);
    for (auto& label : labels_) label.clear();
    states_[0] = document_->writeListState();
    current_ = 0;
    top_ = 0;
}

void CUndoHistory::record(const std::string& label) {
    ++changes_;
    if (current_ < kStates - 1) {
        ++current_;
        labels_[current_] = label;
        states_[current_] = document_->writeListState();
        // Whatever could have been redone is dropped.
        for (int i = current_ + 1; i <= top_ && i < kStates; ++i) {
            std::vector<uint8_t>().swap(states_[i]);
            labels_[i].clear();
        }
        top_ = current_;
        return;
    }
    for (int i = 1; i < kStates; ++i) {
        states_[i - 1] = std::move(states_[i]);
        labels_[i - 1] = std::move(labels_[i]);
    }
    labels_[kStates - 1] = label;
    states_[kStates - 1] = document_->writeListState();
    current_ = top_ = kStates - 1;
}

bool CUndoHistory::restore(int index, std::string* reason) {
    current_ = index;
    ++changes_;
    if (!document_->readListState(states_[index], reason)) return false;
    document_->list().computeAll();
    return true;
}

bool CUndoHistory::undo(std::string* reason) {
    if (!canUndo()) return false;
    return restore(current_ - 1, reason);
}

bool CUndoHistory::redo(std::string* reason) {
    if (!canRedo()) return false;
    return restore(current_ + 1, reason);
}

std::string CUndoHistory::undoText() const {
    return current_ >= 0 && current_ < kStates ? labels_[current_] : std::string();
}

std::string CUndoHistory::redoText() const {
    return current_ + 1 >= 0 && current_ + 1 < kStates ? labels_[current_ + 1] : std::string();
}

std::string CUndoHistory::undoMenuText() const {
    return canUndo() ? "Annuler " + undoText() + "\tCtrl + Z" : "Annuler ";
}

std::string CUndoHistory::redoMenuText() const {
    return canRedo() ? "Rétablir " + redoText() + "\tCtrl + Y" : "Rétablir ";
}
