#include "undo_history.h"

namespace editor {

namespace {

// Appends to a shared text; one that a change record still holds is copied first.
void join(std::shared_ptr<std::string> &text, const std::string &more) {
    if (text.use_count() == 1)
        *text += more;
    else
        text = std::make_shared<std::string>(*text + more);
}

}  // namespace

bool UndoHistory::MayJoin(const UndoAction &action, bool typing) const {
    // joining at the save point would change the text without leaving the save point
    if (current == 0 || savePoint == Position(current)) return false;
    if (groupOpen) return true;
    if (!typing || groupDepth > 0 || !steps.back().typing) return false;
    const UndoAction &last = steps.back().actions.back();
    return last.kind == ChangeKind::Insert && action.kind == ChangeKind::Insert &&
           last.position + Position(last.text->size()) == action.position;
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
            join(step.actions.back().text, *action.text);
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

const std::vector<UndoAction> &UndoHistory::Undo() {
    groupOpen = false;
    return steps[--current].actions;
}

const std::vector<UndoAction> &UndoHistory::Redo() {
    groupOpen = false;
    return steps[current++].actions;
}

}  // namespace editor
