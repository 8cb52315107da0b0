#include <gtest/gtest.h>

#include <sstream>

#include "engine/matrix_test_support.h"
#include "matrix.h"

namespace {

using Rows = std::vector<std::vector<std::string>>;

struct Split {
    bool closed;
    Rows rows;
    std::string normalised;
    int32_t rowCount, colCount;
    size_t linesTaken;
};

Split split(const std::string &literal, const std::vector<std::string> &more = {}) {
    Split s;
    s.linesTaken = 0;
    s.closed = splitMatrixRows(s.rows, literal, s.normalised, s.rowCount, s.colCount, more, s.linesTaken);
    return s;
}

}  // namespace

TEST(MatrixLiterals, Normalisers) {
    const struct {
        const char *in;
        char previous;
        bool fill;
        const char *want;
    } cases[] = {
        {"[1  2 ;3 4]", ' ', false, "[1,2;3,4]"}, {"[1, ,2]", ' ', true, "[1,0,2]"}, {"[1,,2]", ' ', true, "[1,0,2]"},
        {"[1, 2 3]", ' ', true, "[1,2,3]"},       {"[,1]", ' ', true, "[,1]"},        {"[1,]", ' ', true, "[1,]"},
        {"3 4]", '2', false, ",3,4]"},            {"3 4]", ';', false, "3,4]"},       {",5]", ',', true, "0,5]"},
        {"", ' ', true, ""},                      {"   ", ' ', false, ""},
    };
    for (const auto &c : cases) {
        std::string out;
        std::string got = c.fill ? normalizeMatrixLineFillZeros(c.in, ',', c.previous, out)
                                 : normalizeMatrixLine(c.in, ',', c.previous, out);
        EXPECT_EQ(got, c.want) << c.in;
        EXPECT_EQ(out, c.want) << c.in;
    }
}

TEST(MatrixLiterals, SplitRows) {
    const struct {
        const char *literal;
        std::vector<std::string> more;
        Rows rows;
        int32_t rowCount, colCount;
        const char *normalised;
        const char *matrix;
    } cases[] = {
        {"[1 2;3 4]", {}, {{"1", "2"}, {"3", "4"}}, 2, 2, "[1,2;3,4]", "[1,2;3,4]"},
        {"[1,,2]", {}, {{"1", "0", "2"}}, 1, 3, "[1,0,2]", "[1,0,2]"},
        {"[1 2;3]", {}, {{"1", "2"}, {"3"}}, 2, 2, "[1,2;3]", "[1,2;3,0]"},
        {"[5]", {}, {{"5"}}, 1, 1, "[5]", "[5]"},
        {"[1,1/2;-3.2,4]", {}, {{"1", "1/2"}, {"-3.2", "4"}}, 2, 2, "[1,1/2;-3.2,4]", "[1,1/2;-3.2,4]"},
        // A line after an unfinished row continues it; after ";" it starts the next row.
        {"[1 2", {"3 4]"}, {{"1", "2", "3", "4"}}, 1, 4, "[1,2,3,4]", "[1,2,3,4]"},
        {"[1 2;", {"3 4]"}, {{"1", "2"}, {"3", "4"}}, 2, 2, "[1,2;3,4]", "[1,2;3,4]"},
        {"[1;2,", {"3]", "unused"}, {{"1"}, {"2", "3"}}, 2, 2, "[1;2,3]", "[1,0;2,3]"},
    };
    for (const auto &c : cases) {
        Split s = split(c.literal, c.more);
        EXPECT_TRUE(s.closed) << c.literal;
        EXPECT_EQ(s.rows, c.rows) << c.literal;
        EXPECT_EQ(s.rowCount, c.rowCount) << c.literal;
        EXPECT_EQ(s.colCount, c.colCount) << c.literal;
        EXPECT_EQ(s.normalised, c.normalised) << c.literal;
        EXPECT_EQ(literal(KV_Matrix(s.rows, uint64_t(s.rowCount), uint64_t(s.colCount))), c.matrix) << c.literal;
        EXPECT_EQ(s.linesTaken, std::min<size_t>(c.more.size(), 1)) << c.literal;
    }
}

// A literal that does not close reads only the lines it is given; when they run out it is
// an input error, whatever it read so far.
TEST(MatrixLiterals, UnfinishedLiteralsEndWithTheGivenLines) {
    const std::vector<std::string> inputs[] = {{"["},          {"[,1]"},     {"[1,]"}, {"[]"},
                                               {"[1 2", "3"}, {"[1,2] 3"}, {""}};
    for (const auto &in : inputs) {
        std::vector<std::string> more(in.begin() + 1, in.end());
        Split s = split(in[0], more);
        EXPECT_FALSE(s.closed) << in[0];
        EXPECT_EQ(s.linesTaken, more.size()) << in[0];
    }
    // An unfinished literal completed by a later line.
    Split s = split("[1,", {"", "2]"});
    EXPECT_TRUE(s.closed);
    EXPECT_EQ(s.rows, (Rows{{"1", "2"}}));
}

TEST(MatrixLiterals, ParseAssignment) {
    const struct {
        const char *text;
        int code;
        const char *name, *literal;
        Rows rows;
        uint64_t rowCount, colCount;
    } cases[] = {
        {"A=[1,,2]", 2, "A", "[1,,2]", {{"1", "2"}}, 1, 2},
        {"A=[1 2\r\n3 4]", 2, "A", "[1 2;3 4]", {{"1", "2"}, {"3", "4"}}, 2, 2},
        {"A=[1 2;;3 4]", 2, "A", "[1 2;3 4]", {{"1", "2"}, {"3", "4"}}, 2, 2},
        {"A=[]", 2, "A", "[]", {{}}, 1, 0},
        {"  B=[1,2;3]  ", 2, "B", "[1,2;3]", {{"1", "2"}, {"3"}}, 2, 2},
        {"B = [1,2]", 1, "B", " [1,2]", {}, 0, 0},
        {"C=[1 2;3 4", 2, "C", "[1 2;3 4]", {{"1", "2"}, {"3", "4"}}, 2, 2},
        {"x=5", 1, "x", "5", {}, 0, 0},
        {"x= 5 ", 1, "x", " 5", {}, 0, 0},
        {"1x=[1]", -1, "", "1x=[1]", {}, 0, 0},
        {"1x=5", -1, "", "1x=5", {}, 0, 0},
        {"abc", 0, "", "abc", {}, 0, 0},
        {"ab", 0, "", "", {}, 0, 0},
    };
    for (const auto &c : cases) {
        std::string name = "old", literal = "old";
        uint64_t rows = 9, cols = 9;
        std::vector<std::string> list = {"old"};
        Rows cells = {{"old"}};
        EXPECT_EQ(parseMatrixAssignment(c.text, name, literal, rows, cols, list, cells), c.code) << c.text;
        EXPECT_EQ(name, c.name) << c.text;
        EXPECT_EQ(literal, c.literal) << c.text;
        EXPECT_EQ(cells, c.rows) << c.text;
        EXPECT_EQ(rows, c.rowCount) << c.text;
        EXPECT_EQ(cols, c.colCount) << c.text;
        EXPECT_EQ(list.size(), c.code == 0 && std::string(c.text).size() <= 2 ? 0u : 1u) << c.text;
    }
    std::string name, literal;
    uint64_t rows, cols;
    std::vector<std::string> list;
    Rows cells;
    parseMatrixAssignment("A=[1 2\r\n3 4]", name, literal, rows, cols, list, cells);
    EXPECT_EQ(list, std::vector<std::string>{"A=[1 2;3 4]"});
    EXPECT_TRUE(KV_Matrix(Rows{{}}, 1, 0).isEmpty());
}
