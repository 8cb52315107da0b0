// Changes of the text and of the selection. A change is complete (document, undo step, caret,
// view) before the parent hears of it, so a handler may send any message back, undo included;
// when the handler changes the text, the remaining notices of the old change are not sent.
#include "editor_window.h"
#include "text_search.h"
#include "utf8_text.h"

#include <algorithm>

namespace editor {

namespace {

// Where a position ends up after a change before or around it.
Position MovedBy(const Change &change, Position pos) {
    auto length = Position(change.text.size());
    if (change.kind == ChangeKind::Insert) return pos > change.position ? pos + length : pos;
    if (pos <= change.position) return pos;
    return pos >= change.position + length ? pos - length : change.position;
}

}  // namespace

bool EditorWindow::Commit(const Changes &changes, Position caretAt) {
    if (changes.empty()) return true;
    Position first = doc.Length();
    for (const Change &change : changes) {
        anchor = MovedBy(change, anchor);
        caret = MovedBy(change, caret);
        first = std::min(first, change.position);
    }
    // a line end just before the change may have joined or split with it
    const RowPlace topBefore = top;
    InvalidateLayout(doc.LineFromPosition(first - 1), true, false);
    // the rows above the change look as they did, unless the view moved
    if (top != topBefore) InvalidateRect(hwnd, nullptr, FALSE);
    else InvalidateFrom(first);
    if (caretAt >= 0) {
        SetSelection(caretAt, caretAt);
    } else {
        SetSelection(anchor, caret, false);
    }
    std::uint64_t version = doc.Version();
    for (const Change &change : changes) {
        if (destroyed || doc.Version() != version) break;
        NotifyChange(change);
        if (!destroyed) NotifySavePoint();
    }
    if (!destroyed) NotifySavePoint();
    return !destroyed;
}

bool EditorWindow::ReplaceRange(Position start, Position end, std::string_view bytes, CaretAfter after,
                                bool typing) {
    Changes changes;
    if (!doc.Replace(start, end, bytes, &changes, typing)) return false;
    Position caretAt = -1;
    if (after == CaretAfter::AtEnd) caretAt = start + Position(bytes.size());
    if (after == CaretAfter::AtStart) caretAt = start;
    Commit(changes, caretAt);
    return true;
}

bool EditorWindow::ReplaceSelection(std::string_view bytes, bool typing) {
    return ReplaceRange(SelectionStart(), SelectionEnd(), bytes, CaretAfter::AtEnd, typing);
}

bool EditorWindow::UndoOrRedo(bool undo) {
    Changes changes;
    if (!(undo ? doc.Undo(&changes) : doc.Redo(&changes))) return false;
    // the caret goes where the step's last change left the text
    const Change &last = changes.back();
    Position caretAt = last.position;
    if (last.kind == ChangeKind::Insert) caretAt += Position(last.text.size());
    Commit(changes, caretAt);
    return true;
}

void EditorWindow::DeleteBack(bool word) {
    if (SelectionStart() < SelectionEnd()) {
        ReplaceSelection("");
        return;
    }
    Position from = word ? WordLeft(caret) : PreviousCharacter(doc, caret);
    if (from < caret) ReplaceRange(from, caret, "", CaretAfter::AtStart);
}

void EditorWindow::DeleteForward(bool word) {
    if (SelectionStart() < SelectionEnd()) {
        ReplaceSelection("");
        return;
    }
    Position to = word ? WordRight(caret) : NextCharacter(doc, caret);
    if (to > caret) ReplaceRange(caret, to, "", CaretAfter::AtStart);
}

void EditorWindow::SetText(std::string_view bytes) { ReplaceRange(0, doc.Length(), bytes, CaretAfter::AtStart); }

void EditorWindow::InsertNewLine() { ReplaceSelection("\r\n"); }

void EditorWindow::InsertTab() {
    if (useTabs) {
        ReplaceSelection("\t");
        return;
    }
    Position step = indent > 0 ? indent : tabWidth;
    Position spaces = step - Column(SelectionStart()) % step;
    ReplaceSelection(std::string(size_t(spaces), ' '));
}

void EditorWindow::SetSelection(Position newAnchor, Position newCaret, bool scroll) {
    // a selection shown before or after is painted again; a lone caret only where it was and is
    if (anchor != caret || newAnchor != newCaret) InvalidateRect(hwnd, nullptr, FALSE);
    anchor = std::clamp<Position>(newAnchor, 0, doc.Length());
    caret = std::clamp<Position>(newCaret, 0, doc.Length());
    caretColumnX = -1;
    RestartCaretBlink();
    if (scroll) EnsureCaretVisible();
    RequestUpdateUI();
}

void EditorWindow::MoveCaret(Position pos, bool extend, bool keepColumn) {
    int column = caretColumnX;
    SetSelection(extend ? anchor : pos, pos);
    if (keepColumn) caretColumnX = column;
}

Position EditorWindow::WordLeft(Position pos) const {
    auto classAt = [&](Position p) { return ClassOf(doc.CharAt(p)); };
    while (pos > 0 && classAt(pos - 1) == CharClass::Blank) --pos;
    if (pos > 0) {
        CharClass kind = classAt(pos - 1);
        while (pos > 0 && classAt(pos - 1) == kind) --pos;
    }
    return CharacterStart(doc, pos);
}

Position EditorWindow::WordRight(Position pos) const {
    auto classAt = [&](Position p) { return ClassOf(doc.CharAt(p)); };
    Position length = doc.Length();
    if (pos < length) {
        CharClass kind = classAt(pos);
        while (pos < length && classAt(pos) == kind) ++pos;
    }
    while (pos < length && classAt(pos) == CharClass::Blank) ++pos;
    return CharacterStart(doc, pos);
}

Position EditorWindow::Column(Position pos) {
    pos = CharacterStart(doc, pos);
    Position start = doc.LineStart(doc.LineFromPosition(pos));
    std::string_view text = doc.View(start, pos);
    Position column = 0;
    for (size_t at = 0; at < text.size(); at += size_t(Utf8SequenceLength(text.substr(at))))
        column = text[at] == '\t' ? (column / tabWidth + 1) * tabWidth : column + 1;
    return column;
}

}  // namespace editor
