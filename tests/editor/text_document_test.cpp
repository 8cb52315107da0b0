// The editing component's document: bytes, lines, undo and redo, the save point and read-only.
#include "text_document.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using editor::Change;
using editor::ChangeKind;
using editor::ChangeSource;
using editor::Changes;
using editor::Position;
using editor::TextDocument;

namespace {

// The line starts of a text, found the plain way.
std::vector<Position> StartsOf(const std::string &text) {
    std::vector<Position> starts{0};
    for (size_t i = 0; i < text.size(); ++i) {
        bool lone_cr = text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n');
        if (text[i] == '\n' || lone_cr) starts.push_back(Position(i + 1));
    }
    return starts;
}

std::vector<Position> StartsOf(const TextDocument &doc) {
    std::vector<Position> starts;
    for (Position line = 0; line < doc.LineCount(); ++line) starts.push_back(doc.LineStart(line));
    return starts;
}

std::string All(const TextDocument &doc) { return doc.Text(0, doc.Length()); }

void Load(TextDocument &doc, const std::string &text) { ASSERT_TRUE(doc.Insert(0, text, nullptr)); }

}  // namespace

TEST(TextDocument, InsertsAndDeletesKeepTextAndLines) {
    struct Edit {
        bool insert;
        Position pos;
        std::string text;  // inserted text, or the expected deleted text
    };
    struct Case {
        std::string start;
        std::vector<Edit> edits;
        std::string result;
    };
    const Case cases[] = {
        {"", {{true, 0, "abc"}}, "abc"},
        {"abc", {{true, 3, "\n"}, {true, 4, "d"}}, "abc\nd"},
        {"abc", {{true, 0, "x"}, {true, 2, "y"}, {true, 5, "z"}}, "xaybcz"},
        {"one\ntwo\nthree", {{false, 3, "\ntwo"}}, "one\nthree"},
        // a "\r" before an insertion stops being half of "\r\n", and becomes it again
        {"a\r\nb", {{true, 2, "x"}}, "a\rx\nb"},
        {"a\rx\nb", {{false, 2, "x"}}, "a\r\nb"},
        {"a\rb", {{true, 2, "\n"}}, "a\r\nb"},
        {"a\r\nb", {{false, 1, "\r"}}, "a\nb"},
        {"a\r\nb", {{false, 2, "\n"}}, "a\rb"},
        {"\n\n\n", {{false, 0, "\n\n\n"}}, ""},
        {"abc", {{true, 1, "1\r2\n3\r\n4"}}, "a1\r2\n3\r\n4bc"},
        {"ab\r", {{true, 3, "\n"}}, "ab\r\n"},
        {"x", {{true, 1, "\r"}, {true, 0, "\n"}}, "\nx\r"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.start);
        TextDocument doc;
        Load(doc, c.start);
        for (const Edit &e : c.edits) {
            if (e.insert) {
                ASSERT_TRUE(doc.Insert(e.pos, e.text, nullptr));
            } else {
                EXPECT_EQ(doc.Text(e.pos, e.pos + Position(e.text.size())), e.text);
                ASSERT_TRUE(doc.Delete(e.pos, Position(e.text.size()), nullptr));
            }
        }
        EXPECT_EQ(All(doc), c.result);
        EXPECT_EQ(doc.Length(), Position(c.result.size()));
        EXPECT_EQ(StartsOf(doc), StartsOf(c.result));
    }
}

TEST(TextDocument, EditsOutsideTheTextAreRefused) {
    TextDocument doc;
    Load(doc, "abc");
    EXPECT_FALSE(doc.Insert(-1, "x", nullptr));
    EXPECT_FALSE(doc.Insert(4, "x", nullptr));
    EXPECT_FALSE(doc.Delete(2, 2, nullptr));
    EXPECT_FALSE(doc.Delete(-1, 1, nullptr));
    EXPECT_FALSE(doc.Delete(1, -1, nullptr));
    EXPECT_FALSE(doc.Replace(2, 1, "x", nullptr));
    EXPECT_FALSE(doc.Replace(0, 4, "x", nullptr));
    EXPECT_EQ(All(doc), "abc");
    EXPECT_EQ(doc.Text(-5, 99), "abc");
    EXPECT_EQ(doc.Text(2, 1), "");
    EXPECT_EQ(doc.CharAt(-1), '\0');
    EXPECT_EQ(doc.CharAt(3), '\0');
}

TEST(TextDocument, LinesAndPositions) {
    TextDocument doc;
    Load(doc, "ab\r\ncd\ref\n\nlast");
    ASSERT_EQ(doc.LineCount(), 5);
    const Position starts[] = {0, 4, 7, 10, 11};
    const Position ends[] = {2, 6, 9, 10, 15};
    for (Position line = 0; line < 5; ++line) {
        EXPECT_EQ(doc.LineStart(line), starts[line]) << line;
        EXPECT_EQ(doc.LineEnd(line), ends[line]) << line;
    }
    // every byte of a line end belongs to its line
    const Position lineOf[][2] = {{0, 0}, {2, 0}, {3, 0}, {4, 1}, {6, 1}, {7, 2}, {9, 2}, {10, 3}, {11, 4}, {15, 4}};
    for (auto [pos, line] : lineOf) EXPECT_EQ(doc.LineFromPosition(pos), line) << pos;
    // outside the text: clamped
    EXPECT_EQ(doc.LineFromPosition(-3), 0);
    EXPECT_EQ(doc.LineFromPosition(99), 4);
    EXPECT_EQ(doc.LineStart(-1), 0);
    EXPECT_EQ(doc.LineStart(9), 11);
    EXPECT_EQ(doc.LineEnd(9), 15);
}

TEST(TextDocument, ChangeRecordsTellWhatHappenedAndWhere) {
    TextDocument doc;
    Changes changes;
    ASSERT_TRUE(doc.Insert(0, "a\nb", &changes));
    ASSERT_TRUE(doc.Replace(1, 2, "XY\nZ", &changes));
    ASSERT_TRUE(doc.Undo(&changes));
    ASSERT_TRUE(doc.Redo(&changes));
    struct Expected {
        ChangeKind kind;
        ChangeSource source;
        Position position;
        std::string text;
        Position linesAdded;
    };
    const Expected expected[] = {
        {ChangeKind::Insert, ChangeSource::User, 0, "a\nb", 1},
        {ChangeKind::Delete, ChangeSource::User, 1, "\n", -1},
        {ChangeKind::Insert, ChangeSource::User, 1, "XY\nZ", 1},
        // undo reverses the step last action first
        {ChangeKind::Delete, ChangeSource::Undo, 1, "XY\nZ", -1},
        {ChangeKind::Insert, ChangeSource::Undo, 1, "\n", 1},
        {ChangeKind::Delete, ChangeSource::Redo, 1, "\n", -1},
        {ChangeKind::Insert, ChangeSource::Redo, 1, "XY\nZ", 1},
    };
    ASSERT_EQ(changes.size(), std::size(expected));
    for (size_t i = 0; i < changes.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(changes[i].kind, expected[i].kind);
        EXPECT_EQ(changes[i].source, expected[i].source);
        EXPECT_EQ(changes[i].position, expected[i].position);
        EXPECT_EQ(changes[i].text, expected[i].text);
        EXPECT_EQ(changes[i].linesAdded, expected[i].linesAdded);
    }
    EXPECT_EQ(All(doc), "aXY\nZb");
}

TEST(TextDocument, UndoAndRedoWalkTheSteps) {
    TextDocument doc;
    ASSERT_TRUE(doc.Insert(0, "one", nullptr));
    ASSERT_TRUE(doc.Insert(3, " two", nullptr));
    ASSERT_TRUE(doc.Delete(0, 1, nullptr));
    EXPECT_EQ(All(doc), "ne two");
    ASSERT_TRUE(doc.Undo(nullptr));
    EXPECT_EQ(All(doc), "one two");
    ASSERT_TRUE(doc.Undo(nullptr));
    EXPECT_EQ(All(doc), "one");
    ASSERT_TRUE(doc.Redo(nullptr));
    EXPECT_EQ(All(doc), "one two");
    ASSERT_TRUE(doc.Undo(nullptr));
    ASSERT_TRUE(doc.Undo(nullptr));
    EXPECT_EQ(All(doc), "");
    EXPECT_FALSE(doc.Undo(nullptr));
    EXPECT_FALSE(doc.CanUndo());
    // a new edit drops what could be redone
    ASSERT_TRUE(doc.Insert(0, "new", nullptr));
    EXPECT_FALSE(doc.CanRedo());
    EXPECT_FALSE(doc.Redo(nullptr));
    EXPECT_EQ(All(doc), "new");
}

TEST(TextDocument, TypingAndGroupsMakeOneStep) {
    TextDocument doc;
    ASSERT_TRUE(doc.Insert(0, "x ", nullptr));
    // typed as the editor types: an empty selection replaced by each character
    for (char c : std::string("hello")) {
        Position end = doc.Length();
        ASSERT_TRUE(doc.Replace(end, end, std::string(1, c), nullptr, true));
    }
    // typing elsewhere starts a new step, and so does typing over a selection
    ASSERT_TRUE(doc.Insert(0, "!", nullptr, true));
    ASSERT_TRUE(doc.Replace(1, 2, "X", nullptr, true));
    ASSERT_TRUE(doc.Insert(2, "y", nullptr, true));
    EXPECT_EQ(All(doc), "!Xy hello");
    ASSERT_TRUE(doc.Undo(nullptr));
    EXPECT_EQ(All(doc), "!X hello");
    ASSERT_TRUE(doc.Undo(nullptr));
    EXPECT_EQ(All(doc), "!x hello");
    ASSERT_TRUE(doc.Undo(nullptr));
    EXPECT_EQ(All(doc), "x hello");
    ASSERT_TRUE(doc.Undo(nullptr));
    EXPECT_EQ(All(doc), "x ");

    doc.BeginUndoGroup();
    doc.BeginUndoGroup();
    ASSERT_TRUE(doc.Insert(2, "a", nullptr));
    doc.EndUndoGroup();  // the inner end does not close the step
    ASSERT_TRUE(doc.Delete(0, 1, nullptr));
    doc.EndUndoGroup();
    ASSERT_TRUE(doc.Insert(0, "b", nullptr));
    EXPECT_EQ(All(doc), "b a");
    ASSERT_TRUE(doc.Undo(nullptr));
    ASSERT_TRUE(doc.Undo(nullptr));
    EXPECT_EQ(All(doc), "x ");
    // an end without a begin changes nothing
    doc.EndUndoGroup();
    ASSERT_TRUE(doc.Insert(0, "1", nullptr));
    ASSERT_TRUE(doc.Insert(0, "2", nullptr));
    ASSERT_TRUE(doc.Undo(nullptr));
    EXPECT_EQ(All(doc), "1x ");
}

// Undo and redo move the right bytes although an insertion is not copied when it is made: the
// caller's buffer changes after the edit, and typing extends a step that was undone and redone.
TEST(TextDocument, UndoneInsertionsKeepTheirBytes) {
    TextDocument doc;
    std::string typed = "ab";
    ASSERT_TRUE(doc.Insert(0, typed, nullptr, true));
    typed = "zz";
    Changes changes;
    ASSERT_TRUE(doc.Undo(&changes));
    ASSERT_TRUE(doc.Redo(&changes));
    ASSERT_TRUE(doc.Insert(2, "c", &changes, true));
    ASSERT_TRUE(doc.Undo(&changes));
    EXPECT_EQ(All(doc), "");
    EXPECT_FALSE(doc.CanUndo());
    ASSERT_TRUE(doc.Redo(&changes));
    EXPECT_EQ(All(doc), "abc");
    std::vector<std::string> moved;
    for (const Change &change : changes) moved.emplace_back(change.text);
    EXPECT_EQ(moved, (std::vector<std::string>{"ab", "ab", "c", "abc", "abc"}));
}

// What a change handler that undoes at once sees: the step being built is taken back alone, and
// the rest of the group makes a step of its own.
TEST(TextDocument, UndoInsideAnOpenGroupTakesBackWhatItHoldsSoFar) {
    TextDocument doc;
    Load(doc, "base");
    doc.BeginUndoGroup();
    ASSERT_TRUE(doc.Insert(4, "1", nullptr));
    ASSERT_TRUE(doc.Insert(5, "2", nullptr));
    ASSERT_TRUE(doc.Undo(nullptr));
    EXPECT_EQ(All(doc), "base");
    ASSERT_TRUE(doc.Insert(4, "3", nullptr));
    ASSERT_TRUE(doc.Insert(5, "4", nullptr));
    doc.EndUndoGroup();
    EXPECT_EQ(All(doc), "base34");
    ASSERT_TRUE(doc.Undo(nullptr));
    EXPECT_EQ(All(doc), "base");
    ASSERT_TRUE(doc.Undo(nullptr));
    EXPECT_EQ(All(doc), "");
}

TEST(TextDocument, SavePointFollowsUndoAndRedo) {
    TextDocument doc;
    EXPECT_TRUE(doc.AtSavePoint());
    ASSERT_TRUE(doc.Insert(0, "a", nullptr, true));
    EXPECT_FALSE(doc.AtSavePoint());
    ASSERT_TRUE(doc.Undo(nullptr));
    EXPECT_TRUE(doc.AtSavePoint());
    ASSERT_TRUE(doc.Redo(nullptr));
    EXPECT_FALSE(doc.AtSavePoint());
    doc.SetSavePoint();
    EXPECT_TRUE(doc.AtSavePoint());
    // typing after the save point must not join the step before it
    ASSERT_TRUE(doc.Insert(1, "b", nullptr, true));
    EXPECT_FALSE(doc.AtSavePoint());
    ASSERT_TRUE(doc.Undo(nullptr));
    EXPECT_TRUE(doc.AtSavePoint());
    EXPECT_EQ(All(doc), "a");
    // a save point among undone steps is gone once a new edit drops them
    ASSERT_TRUE(doc.Undo(nullptr));
    ASSERT_TRUE(doc.Insert(0, "c", nullptr));
    EXPECT_FALSE(doc.AtSavePoint());
    ASSERT_TRUE(doc.Undo(nullptr));
    EXPECT_FALSE(doc.AtSavePoint());
    EXPECT_EQ(All(doc), "");
    // a save point set inside a group splits the group's step
    doc.SetSavePoint();
    doc.BeginUndoGroup();
    ASSERT_TRUE(doc.Insert(0, "x", nullptr));
    doc.SetSavePoint();
    ASSERT_TRUE(doc.Insert(1, "y", nullptr));
    doc.EndUndoGroup();
    EXPECT_FALSE(doc.AtSavePoint());
    ASSERT_TRUE(doc.Undo(nullptr));
    EXPECT_TRUE(doc.AtSavePoint());
    EXPECT_EQ(All(doc), "x");
}

TEST(TextDocument, ReadOnlyRefusesEveryChange) {
    TextDocument doc;
    Load(doc, "keep");
    ASSERT_TRUE(doc.Insert(4, "!", nullptr));
    ASSERT_TRUE(doc.Undo(nullptr));
    doc.SetReadOnly(true);
    Changes changes;
    EXPECT_FALSE(doc.Insert(0, "x", &changes));
    EXPECT_FALSE(doc.Delete(0, 1, &changes));
    EXPECT_FALSE(doc.Replace(0, 4, "y", &changes));
    EXPECT_FALSE(doc.CanUndo());
    EXPECT_FALSE(doc.Undo(&changes));
    EXPECT_FALSE(doc.Redo(&changes));
    EXPECT_TRUE(changes.empty());
    EXPECT_EQ(All(doc), "keep");
    doc.SetReadOnly(false);
    ASSERT_TRUE(doc.Redo(nullptr));
    EXPECT_EQ(All(doc), "keep!");
}

TEST(TextDocument, TenMegabyteDocument) {
    std::string text;
    const std::string line = "0123456789 the quick brown fox jumps over the lazy dog\r\n";
    while (text.size() < 10u * 1024 * 1024) text += line;
    TextDocument doc;
    Load(doc, text);
    Position lines = Position(text.size() / line.size()) + 1;
    ASSERT_EQ(doc.LineCount(), lines);
    Position middle = doc.LineStart(lines / 2) + 5;
    ASSERT_TRUE(doc.Insert(middle, "X\n", nullptr));
    EXPECT_EQ(doc.LineCount(), lines + 1);
    EXPECT_EQ(doc.CharAt(middle), 'X');
    EXPECT_EQ(doc.LineFromPosition(middle + 2), lines / 2 + 1);
    EXPECT_EQ(doc.LineStart(lines / 2 + 1), middle + 2);
    EXPECT_EQ(doc.LineStart(lines), Position(text.size()) + 2);
    ASSERT_TRUE(doc.Delete(10, 2 * Position(line.size()), nullptr));
    EXPECT_EQ(doc.LineCount(), lines - 1);
    ASSERT_TRUE(doc.Undo(nullptr));
    ASSERT_TRUE(doc.Undo(nullptr));
    EXPECT_EQ(doc.LineCount(), lines);
    EXPECT_TRUE(All(doc) == text);
    EXPECT_EQ(StartsOf(doc), StartsOf(text));
}

// Random edits, undos and redos against a plain string and its saved states.
TEST(TextDocument, RandomEditsMatchAPlainString) {
    std::mt19937 random(20240527);
    const std::string alphabet = "ab\r\n\xC3\xA9 ";
    TextDocument doc;
    std::vector<std::string> done{""};  // the text after each step
    size_t current = 0;
    auto pick = [&](Position n) { return Position(random() % uint32_t(n + 1)); };
    for (int round = 0; round < 4000; ++round) {
        std::string &now = done[current];
        int what = int(random() % 10);
        if (what < 4) {
            std::string piece;
            for (int k = int(random() % 4); k >= 0; --k) piece += alphabet[random() % alphabet.size()];
            Position pos = pick(Position(now.size()));
            ASSERT_TRUE(doc.Insert(pos, piece, nullptr));
            std::string next = now;
            next.insert(size_t(pos), piece);
            done.resize(current + 1);
            done.push_back(next);
            ++current;
        } else if (what < 7 && !now.empty()) {
            Position pos = pick(Position(now.size()) - 1);
            Position length = 1 + pick(std::min<Position>(5, Position(now.size()) - pos - 1));
            ASSERT_TRUE(doc.Delete(pos, length, nullptr));
            std::string next = now;
            next.erase(size_t(pos), size_t(length));
            done.resize(current + 1);
            done.push_back(next);
            ++current;
        } else if (what < 9) {
            EXPECT_EQ(doc.Undo(nullptr), current > 0);
            if (current > 0) --current;
        } else {
            EXPECT_EQ(doc.Redo(nullptr), current + 1 < done.size());
            if (current + 1 < done.size()) ++current;
        }
        ASSERT_EQ(All(doc), done[current]) << "round " << round;
        ASSERT_EQ(StartsOf(doc), StartsOf(done[current])) << "round " << round;
    }
}

// Emptying the history leaves nothing to undo or redo (a loaded text stays), the save point
// holds only where it was the current state, and typing after it starts a step of its own.
TEST(TextDocument, AnEmptiedHistoryCannotTakeTheTextBack) {
    TextDocument doc;
    ASSERT_TRUE(doc.Insert(0, "loaded", nullptr));
    ASSERT_TRUE(doc.Insert(6, "!", nullptr));
    ASSERT_TRUE(doc.Undo(nullptr));
    doc.EmptyUndoHistory();
    EXPECT_FALSE(doc.CanUndo());
    EXPECT_FALSE(doc.CanRedo());
    EXPECT_FALSE(doc.Undo(nullptr));
    EXPECT_FALSE(doc.Redo(nullptr));
    EXPECT_EQ(All(doc), "loaded");
    EXPECT_FALSE(doc.AtSavePoint()) << "the text is not the one saved";
    ASSERT_TRUE(doc.Insert(6, "x", nullptr, true));
    ASSERT_TRUE(doc.Undo(nullptr));
    EXPECT_EQ(All(doc), "loaded");
    EXPECT_FALSE(doc.CanUndo());

    doc.SetSavePoint();
    doc.EmptyUndoHistory();
    EXPECT_TRUE(doc.AtSavePoint());
    ASSERT_TRUE(doc.Insert(0, "y", nullptr, true));
    EXPECT_FALSE(doc.AtSavePoint());
    ASSERT_TRUE(doc.Undo(nullptr));
    EXPECT_TRUE(doc.AtSavePoint());
}
