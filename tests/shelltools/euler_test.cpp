// The Euler-circuit tool: a graph text and the answer the tool shows.
#include <gtest/gtest.h>

#include "euler_graph.h"

namespace {

const std::wstring kNoCircuit = L"该图不存在欧拉回路";

std::wstring circuit(size_t count, const std::wstring &walk) {
    return L"欧拉回路 (共 " + std::to_wstring(count) + L" 个顶点):\n" + walk + L"\n";
}

TEST(Euler, CircuitsByHierholzer) {
    const struct {
        std::string text;
        std::wstring answer;
    } cases[] = {
        {"3 3 1 2 2 3 3 1", circuit(4, L"1 -> 2 -> 3 -> 1")},
        {"3 3\n1 2\n2 3\n3 1\n", circuit(4, L"1 -> 2 -> 3 -> 1")},
        {"4 3 1 2 2 3 3 1", circuit(4, L"1 -> 2 -> 3 -> 1")},
        {"1 1 1 1", circuit(2, L"1 -> 1")},
        {"5 0", circuit(1, L"1")},
        {"2 2 1 2 1 2", circuit(3, L"1 -> 2 -> 1")},
        // two triangles sharing vertex 1: the walk returns to 1 and goes round the second
        {"5 6 1 2 2 3 3 1 1 4 4 5 5 1", circuit(7, L"1 -> 2 -> 3 -> 1 -> 4 -> 5 -> 1")},
        // the walk is back at 1 before 2's other loop is used: that loop is spliced in
        {"5 6 1 2 2 3 3 1 2 4 4 5 5 2", circuit(7, L"1 -> 2 -> 4 -> 5 -> 2 -> 3 -> 1")},
        {"3 3 1 2 2 3 3 1 junk after", circuit(4, L"1 -> 2 -> 3 -> 1")},
        {"+3 3 1 2 2 3 3 1", circuit(4, L"1 -> 2 -> 3 -> 1")},
        {"2 1 1 2", kNoCircuit},
        {"6 6 1 2 2 3 3 1 4 5 5 6 6 4", kNoCircuit},
        {"3 2 1 2 2 1 ", circuit(3, L"1 -> 2 -> 1")},
    };
    for (const auto &c : cases) {
        const EulerAnswer answer = eulerCircuitAnswer(c.text);
        EXPECT_FALSE(answer.error) << c.text;
        EXPECT_EQ(answer.text, c.answer) << c.text;
    }
}

TEST(Euler, TheFiveErrorTexts) {
    const std::wstring format = L"Invalid graph format!\nFirst line must contain two integers: vertices and edges.";
    const std::wstring count = L"Invalid vertex or edge count.";
    const struct {
        std::string text;
        std::wstring message;
    } cases[] = {
        {"", format},
        {"abc", format},
        {"3", format},
        {"3 x", format},
        {"99999999999 1", format},
        {"0 0", count},
        {"3 -1", count},
        {"-2147483648 0", count},
        {"2000000 0", count},
        {"3 2 1 2", L"Not enough edge data or invalid format.\nExpected 2 edges."},
        {"3 2147483647 1 2", L"Not enough edge data or invalid format.\nExpected 2147483647 edges."},
        {"3 1 1 4", L"Vertex index out of range (0-based: 0..2)."},
        {"3 1 -2147483648 1", L"Vertex index out of range (0-based: 0..2)."},
        {"3 1 0 1", L"Vertex index out of range (0-based: 0..2)."},
    };
    for (const auto &c : cases) {
        const EulerAnswer answer = eulerCircuitAnswer(c.text);
        EXPECT_TRUE(answer.error) << c.text;
        EXPECT_EQ(answer.text, c.message) << c.text;
    }
}

TEST(Euler, TheGraphClass) {
    Graph directed(3, true);
    directed.addEdge(0, 1);
    directed.addEdge(1, 2);
    EXPECT_FALSE(directed.hasEulerCircuit()) << "in-degree differs from out-degree";
    directed.addEdge(2, 0);
    EXPECT_EQ(directed.findEulerCircuit(), (std::vector<int>{0, 1, 2, 0}));
    Graph isolated(4, false);
    EXPECT_TRUE(isolated.isConnected());
    EXPECT_EQ(isolated.findEulerCircuit(), std::vector<int>{0});
}

TEST(Euler, ALongCircuitNeedsNoRecursion) {
    // A ring of 200000 vertices: the walk is as deep as the ring is long.
    const int n = 200000;
    std::string text = std::to_string(n) + " " + std::to_string(n);
    for (int v = 1; v <= n; ++v) text += " " + std::to_string(v) + " " + std::to_string(v % n + 1);
    const EulerAnswer answer = eulerCircuitAnswer(text);
    ASSERT_FALSE(answer.error);
    EXPECT_EQ(answer.text.rfind(L" -> 200000 -> 1\n"), answer.text.size() - 16);
}

} // namespace
