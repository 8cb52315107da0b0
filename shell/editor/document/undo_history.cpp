#include "undo_history.h"

namespace editor {

// A typed insertion joins the one before it; bytes kept from an earlier undo no longer cover
// the whole and are copied out again when the step is undone.
void UndoHistory::JoinTyping(UndoAction &last, const UndoAction &typed) {
    last.length += typed.length;
    last.text.reset();
}

bool UndoHistory::MayJoin(const UndoAction &action, bool typing) const {
    // joining at the save point would change the text without leaving the save point
    if (current == 0 || savePoint == Position(current)) return false;
    if (groupOpen) return true;
    if (!typing || groupDepth > 0 || !steps.back().typing) return false;
    const UndoAction &last = steps.back().actions.back();
    return last.kind == ChangeKind::Insert && action.kind == ChangeKind::Insert &&
           last.position + last.length == action.position;
}

void UndoHistory::Record(UndoAction action, bool typing) {
    if (current < steps.size()) {
        if (savePoint > Position(current)) savePoint = -1;
        steps.resize(current);
        groupOpen = false;
    }
    if (MayJoin(action, typing)) {
        Step &step = steps.back();
        if (groupOpen)
            step.actions.push_back(std::move(action));
        else
            JoinTyping(step.actions.back(), action);
        return;
    }
    steps.push_back(Step{{std::move(action)}, typing && groupDepth == 0});
    current = steps.size();
    groupOpen = groupDepth > 0;
}

void UndoHistory::BeginGroup() {
    if (groupDepth++ == 0) groupOpen = false;
}

void UndoHistory::EndGroup() {
    if (groupDepth > 0 && --groupDepth == 0) groupOpen = false;
}

std::vector<UndoAction> &UndoHistory::Undo() {
    groupOpen = false;
    return steps[--current].actions;
}

const std::vector<UndoAction> &UndoHistory::Redo() {
    groupOpen = false;
    return steps[current++].actions;
}

void UndoHistory::Clear() {
    savePoint = savePoint == Position(current) ? 0 : -1;
    steps.clear();
    current = 0;
    groupOpen = false;
}

}  // namespace editor
