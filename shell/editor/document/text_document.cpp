#include "text_document.h"

#include <algorithm>

namespace editor {

std::string TextDocument::Text(Position start, Position end) const {
    start = std::clamp<Position>(start, 0, Length());
    end = std::clamp<Position>(end, start, Length());
    // appended piece by piece: a string sized first would be zero-filled and then overwritten
    std::string out;
    out.reserve(size_t(end - start));
    text.ForEachPiece(start, end, [&](const char *piece, Position, Position count) { out.append(piece, size_t(count)); });
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

void TextDocument::ApplyInsert(Position pos, std::string_view bytes, const SharedText &held, ChangeSource source,
                               Changes *changes) {
    text.Insert(pos, bytes);
    Position added = lines.Inserted(text, pos, Position(bytes.size()));
    ++version;
    if (changes) changes->push_back(Change{ChangeKind::Insert, source, pos, bytes, held, added});
}

void TextDocument::ApplyDelete(Position pos, const SharedText &removed, ChangeSource source, Changes *changes) {
    text.Erase(pos, Position(removed->size()));
    Position added = lines.Deleted(text, pos, Position(removed->size()));
    ++version;
    if (changes) changes->push_back(Change{ChangeKind::Delete, source, pos, *removed, removed, added});
}

bool TextDocument::Insert(Position pos, std::string_view bytes, Changes *changes, bool typing) {
    if (readOnly || pos < 0 || pos > Length()) return false;
    if (bytes.empty()) return true;
    // the bytes stay in the text until this is undone: the record copies them out only then
    history.Record(UndoAction{ChangeKind::Insert, pos, Position(bytes.size()), nullptr}, typing);
    ApplyInsert(pos, bytes, nullptr, ChangeSource::User, changes);
    return true;
}

bool TextDocument::Delete(Position pos, Position length, Changes *changes) {
    if (readOnly || pos < 0 || length < 0 || length > Length() - pos) return false;
    if (length == 0) return true;
    auto removed = std::make_shared<std::string>(Text(pos, pos + length));
    history.Record(UndoAction{ChangeKind::Delete, pos, length, removed}, false);
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
    std::vector<UndoAction> &actions = history.Undo();
    for (auto it = actions.rbegin(); it != actions.rend(); ++it) {
        if (it->kind == ChangeKind::Insert) {
            // the later actions are taken back, so the inserted bytes are where they went in
            if (!it->text) it->text = std::make_shared<std::string>(Text(it->position, it->position + it->length));
            ApplyDelete(it->position, it->text, ChangeSource::Undo, changes);
        } else {
            ApplyInsert(it->position, *it->text, it->text, ChangeSource::Undo, changes);
        }
    }
    return true;
}

bool TextDocument::Redo(Changes *changes) {
    if (!CanRedo()) return false;
    for (const UndoAction &action : history.Redo()) {
        if (action.kind == ChangeKind::Insert)
            ApplyInsert(action.position, *action.text, action.text, ChangeSource::Redo, changes);
        else
            ApplyDelete(action.position, action.text, ChangeSource::Redo, changes);
    }
    return true;
}

}  // namespace editor
