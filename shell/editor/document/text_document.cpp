#include "text_document.h"

#include <algorithm>

namespace editor {

std::string TextDocument::Text(Position start, Position end) const {
    start = std::clamp<Position>(start, 0, Length());
    end = std::clamp<Position>(end, start, Length());
    std::string out(size_t(end - start), '\0');
    CopyText(start, end, out.data());
    return out;
}

void TextDocument::CopyText(Position start, Position end, char *out) const { text.Copy(start, end - start, out); }

Position TextDocument::LineEnd(Position line) const {
    line = std::clamp<Position>(line, 0, LineCount() - 1);
    if (line == LineCount() - 1) return Length();
    Position end = lines.Start(line + 1);
    if (text.At(end - 1) == '\n') --end;
    if (text.At(end - 1) == '\r' && end > lines.Start(line)) --end;
    return end;
}

void TextDocument::ApplyInsert(Position pos, std::string_view bytes, ChangeSource source, Changes *changes) {
    text.Insert(pos, bytes);
    Position added = lines.Inserted(text, pos, Position(bytes.size()));
    ++version;
    if (changes) changes->push_back(Change{ChangeKind::Insert, source, pos, std::string(bytes), added});
}

void TextDocument::ApplyDelete(Position pos, Position length, ChangeSource source, Changes *changes) {
    std::string removed;
    if (changes) removed = Text(pos, pos + length);
    text.Erase(pos, length);
    Position added = lines.Deleted(text, pos, length);
    ++version;
    if (changes) changes->push_back(Change{ChangeKind::Delete, source, pos, std::move(removed), added});
}

bool TextDocument::Insert(Position pos, std::string_view bytes, Changes *changes, bool typing) {
    if (readOnly || pos < 0 || pos > Length()) return false;
    if (bytes.empty()) return true;
    history.Record(UndoAction{ChangeKind::Insert, pos, std::string(bytes)}, typing);
    ApplyInsert(pos, bytes, ChangeSource::User, changes);
    return true;
}

bool TextDocument::Delete(Position pos, Position length, Changes *changes) {
    if (readOnly || pos < 0 || length < 0 || length > Length() - pos) return false;
    if (length == 0) return true;
    history.Record(UndoAction{ChangeKind::Delete, pos, Text(pos, pos + length)}, false);
    ApplyDelete(pos, length, ChangeSource::User, changes);
    return true;
}

bool TextDocument::Replace(Position start, Position end, std::string_view bytes, Changes *changes,
                           bool typing) {
    if (readOnly || start < 0 || start > end || end > Length()) return false;
    // an insertion alone may join the typing before it; a replacement is a step of its own
    if (start == end) return Insert(start, bytes, changes, typing);
    history.BeginGroup();
    Delete(start, end - start, changes);
    Insert(start, bytes, changes);
    history.EndGroup();
    return true;
}

bool TextDocument::Undo(Changes *changes) {
    if (!CanUndo()) return false;
    const std::vector<UndoAction> &actions = history.Undo();
    for (auto it = actions.rbegin(); it != actions.rend(); ++it) {
        if (it->kind == ChangeKind::Insert)
            ApplyDelete(it->position, Position(it->text.size()), ChangeSource::Undo, changes);
        else
            ApplyInsert(it->position, it->text, ChangeSource::Undo, changes);
    }
    return true;
}

bool TextDocument::Redo(Changes *changes) {
    if (!CanRedo()) return false;
    for (const UndoAction &action : history.Redo()) {
        if (action.kind == ChangeKind::Insert)
            ApplyInsert(action.position, action.text, ChangeSource::Redo, changes);
        else
            ApplyDelete(action.position, Position(action.text.size()), ChangeSource::Redo, changes);
    }
    return true;
}

}  // namespace editor
