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

void TextDocument::ApplyInsert(Position pos, const SharedText &bytes, ChangeSource source, Changes *changes) {
    text.Insert(pos, *bytes);
    Position added = lines.Inserted(text, pos, Position(bytes->size()));
    ++version;
    if (changes) changes->push_back(Change{ChangeKind::Insert, source, pos, bytes, added});
}

void TextDocument::ApplyDelete(Position pos, const SharedText &removed, ChangeSource source, Changes *changes) {
    text.Erase(pos, Position(removed->size()));
    Position added = lines.Deleted(text, pos, Position(removed->size()));
    ++version;
    if (changes) changes->push_back(Change{ChangeKind::Delete, source, pos, removed, added});
}

bool TextDocument::Insert(Position pos, std::string_view bytes, Changes *changes, bool typing) {
    if (readOnly || pos < 0 || pos > Length()) return false;
    if (bytes.empty()) return true;
    auto shared = std::make_shared<std::string>(bytes);
    history.Record(UndoAction{ChangeKind::Insert, pos, shared}, typing);
    ApplyInsert(pos, shared, ChangeSource::User, changes);
    return true;
}

bool TextDocument::Delete(Position pos, Position length, Changes *changes) {
    if (readOnly || pos < 0 || length < 0 || length > Length() - pos) return false;
    if (length == 0) return true;
    auto removed = std::make_shared<std::string>(Text(pos, pos + length));
    history.Record(UndoAction{ChangeKind::Delete, pos, removed}, false);
    ApplyDelete(pos, removed, ChangeSource::User, changes);
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
            ApplyDelete(it->position, it->text, ChangeSource::Undo, changes);
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
            ApplyDelete(action.position, action.text, ChangeSource::Redo, changes);
    }
    return true;
}

}  // namespace editor
