// Undo and redo of whole figure states: each state is the figure list written in the file
// format into memory. The document header (background, options, window size) is not part of a
// state, so undo and redo never change it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class CPelvantiDoc;

class CUndoHistory {
public:
    // The current state and the 11 that can be undone.
    static constexpr int kStates = 12;

    explicit CUndoHistory(CPelvantiDoc* document) : document_(document) {}
    CUndoHistory(const CUndoHistory&) = delete;
    CUndoHistory& operator=(const CUndoHistory&) = delete;

    // After a figure is created, opened or saved: the current list becomes the only state.
    void resetHistory();
    // After an action is complete: the current list becomes the newest state, labelled, and
    // whatever could have been redone is dropped.
    void record(const std::string& label);

    bool canUndo() const { return current_ > 0; }
    bool canRedo() const { return current_ >= 0 && current_ < top_; }
    // Restore the previous (next) state into the document's list, rebuild its graphic list and
    // recompute it. False when there is nothing to undo (redo), or when the state could not be
    // read back: the list is then left empty but for "pi" and `reason` says why. The caller
    // redraws, reopens the windows of variables and returns to the capture tool.
    bool undo(std::string* reason = nullptr);
    bool redo(std::string* reason = nullptr);

    // Label of the action that undo would cancel, and of the one redo would repeat.
    std::string undoText() const;
    std::string redoText() const;
    // Texts of the "Annuler" and "Refaire" menu items; the item is enabled with canUndo() and
    // canRedo().
    std::string undoMenuText() const;
    std::string redoMenuText() const;

    // Actions recorded, undone or redone since the document was created: how much work a
    // copy of the figure taken at another count would lose.
    uint64_t changeCount() const { return changes_; }

    int current() const { return current_; }
    int top() const { return top_; }

private:
    bool restore(int index, std::string* reason);

    CPelvantiDoc* document_;
    std::array<std::vector<uint8_t>, kStates> states_;
    std::array<std::string, kStates> labels_;
    int top_ = 0;
    int current_ = -1;
    uint64_t changes_ = 0;
};
