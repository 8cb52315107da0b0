// The steps that undo and redo walk, and the save point among them. A step is one action, or
// every action between the outermost begin and end of a group, or a run of typed characters.
#pragma once

#include "gap_buffer.h"

#include <memory>
#include <string>
#include <vector>

namespace editor {

enum class ChangeKind { Insert, Delete };

// The text is shared with the change records handed out, so a large text is held once.
using SharedText = std::shared_ptr<const std::string>;

struct UndoAction {
    ChangeKind kind;
    Position position;
    Position length;
    // The bytes. A deletion keeps them from the start; an insertion's are still in the text
    // until it is undone, so they are copied out then (and kept for redo), not on every edit.
    SharedText text;
};

class UndoHistory {
public:
    // Records an action done to the text. Redo steps are dropped. A typed insertion
    // (`typing`) joins the step before when that step is typing that ends where it begins.
    void Record(UndoAction action, bool typing);

    void BeginGroup();
    void EndGroup();

    bool CanUndo() const { return current > 0; }
    bool CanRedo() const { return current < steps.size(); }
    // The step to take back, now counted as undone; its actions are to be reversed last first
    // (the caller fills in the bytes of an insertion it takes back).
    // An open group is closed first, so undo from inside a group takes back what it holds so
    // far, and the group's later actions make a new step.
    std::vector<UndoAction> &Undo();
    // The step to do again, now counted as done; its actions are to be repeated in order.
    const std::vector<UndoAction> &Redo();

    // Forgets every step; an open group goes on collecting into a fresh step. The save point is
    // kept only when it was the current state.
    void Clear();

    void SetSavePoint() { savePoint = Position(current); }
    bool AtSavePoint() const { return savePoint == Position(current); }

private:
    struct Step {
        std::vector<UndoAction> actions;
        bool typing = false;
    };

    bool MayJoin(const UndoAction &action, bool typing) const;
    static void JoinTyping(UndoAction &last, const UndoAction &typed);

    std::vector<Step> steps;  // [0, current) done, [current, size) undone
    size_t current = 0;
    int groupDepth = 0;
    bool groupOpen = false;   // steps[current - 1] still collects the actions of the group
    Position savePoint = 0;   // the value of current at the save point; -1 once unreachable
};

}  // namespace editor
