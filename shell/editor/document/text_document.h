// The document of the editing component: UTF-8 bytes, their lines, undo and redo with a save
// point, and a read-only flag that refuses every change (undo and redo included). It knows no
// window: each change is reported as a record, and whoever edits passes the records on.
#pragma once

#include "gap_buffer.h"
#include "line_index.h"
#include "undo_history.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace editor {

enum class ChangeSource { User, Undo, Redo };

// One insertion or deletion as it happened: positions are those of the text at that moment.
struct Change {
    ChangeKind kind;
    ChangeSource source;
    Position position;
    // The bytes inserted or deleted. Those of a typed or pasted insertion are the caller's own
    // bytes, valid while the caller's edit call lasts (a large text is not copied for the
    // record); all others are held by `held`.
    std::string_view text;
    SharedText held;
    Position linesAdded;  // negative when lines were removed
};

using Changes = std::vector<Change>;

class TextDocument {
public:
    Position Length() const { return text.Length(); }
    char CharAt(Position pos) const { return text.At(pos); }
    // The bytes of [start, end), both clamped into the text.
    std::string Text(Position start, Position end) const;
    // Copies [start, end) (in the text, start <= end) to out; no NUL is added.
    void CopyText(Position start, Position end, char *out) const;
    // [start, end) (in the text) as one piece of memory, valid until the next change.
    std::string_view View(Position start, Position end) { return text.Contiguous(start, end - start); }
    // Visits the pieces of memory that hold [start, end) (in the text), see GapBuffer.
    template <typename Visit> void ForEachPiece(Position start, Position end, Visit visit) const {
        text.ForEachPiece(start, end, visit);
    }

    Position LineCount() const { return lines.Count(); }
    Position LineStart(Position line) const { return lines.Start(line); }
    // Where the line's text ends, before its line end.
    Position LineEnd(Position line) const;
    Position LineFromPosition(Position pos) const { return lines.LineOf(pos); }

    bool ReadOnly() const { return readOnly; }
    void SetReadOnly(bool on) { readOnly = on; }

    // Edits answer false and change nothing when the document is read-only or the range lies
    // outside the text. Each change done is appended to `changes` (which may be null).
    // `typing` lets a run of typed characters become one undo step.
    bool Insert(Position pos, std::string_view bytes, Changes *changes, bool typing = false);
    bool Delete(Position pos, Position length, Changes *changes);
    // [start, end) replaced by bytes, as one undo step.
    bool Replace(Position start, Position end, std::string_view bytes, Changes *changes, bool typing = false);

    void BeginUndoGroup() { history.BeginGroup(); }
    void EndUndoGroup() { history.EndGroup(); }
    bool CanUndo() const { return !readOnly && history.CanUndo(); }
    bool CanRedo() const { return !readOnly && history.CanRedo(); }
    // After it nothing can be undone or redone (a loaded file is not taken back to the empty
    // text it replaced).
    void EmptyUndoHistory() { history.Clear(); }
    bool Undo(Changes *changes);
    bool Redo(Changes *changes);

    void SetSavePoint() { history.SetSavePoint(); }
    bool AtSavePoint() const { return history.AtSavePoint(); }

    // Counts every change of the text, so a caller can tell whether the text moved under it.
    std::uint64_t Version() const { return version; }

private:
    // `held` owns `bytes` when the caller does not.
    void ApplyInsert(Position pos, std::string_view bytes, const SharedText &held, ChangeSource source,
                     Changes *changes);
    void ApplyDelete(Position pos, const SharedText &removed, ChangeSource source, Changes *changes);

    GapBuffer text;
    LineIndex lines;
    UndoHistory history;
    bool readOnly = false;
    std::uint64_t version = 0;
};

}  // namespace editor
