#include "euler_graph.h"

#include <algorithm>
#include <climits>
#include <deque>
#include <optional>

#include "tools.h"

namespace {

constexpr size_t kCircuitReserve = 1024;

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

// Reads integers as a stream does: blanks skipped, an optional sign, then digits; the next
// read goes on right after the digits. A value outside int is a failed read.
class IntegerReader {
  public:
    explicit IntegerReader(std::string_view text) : text_(text) {}
    std::optional<int> next() {
        while (at_ < text_.size() && isSpace(text_[at_])) ++at_;
        size_t end = at_;
        if (end < text_.size() && (text_[end] == '+' || text_[end] == '-')) ++end;
        const size_t digits = end;
        while (end < text_.size() && text_[end] >= '0' && text_[end] <= '9') ++end;
        if (end == digits) return std::nullopt;
        int64_t value = 0;
        if (!checkedInt64(text_.substr(at_, end - at_), INT_MIN, INT_MAX, value)) return std::nullopt;
        at_ = end;
        return int(value);
    }

  private:
    std::string_view text_;
    size_t at_ = 0;
};

int firstVertexWithEdges(const std::vector<std::list<int>> &lists) {
    for (size_t v = 0; v < lists.size(); ++v)
        if (!lists[v].empty()) return int(v);
    return -1;
}

std::wstring circuitText(const std::vector<int> &circuit) {
    std::wstring text = L"欧拉回路 (共 " + std::to_wstring(circuit.size()) + L" 个顶点):\n";
    for (size_t i = 0; i < circuit.size(); ++i) {
        if (i > 0) text += L" -> ";
        text += std::to_wstring(circuit[i] + 1);
    }
    return text + L"\n";
}

EulerAnswer failure(const std::wstring &message) {
    return EulerAnswer{true, message};
}

} // namespace

Graph::Graph(int vertexCount, bool directed)
    : vertexCount_(std::max(vertexCount, 0)), adjacency_(size_t(vertexCount_)), directed_(directed) {}

void Graph::addEdge(int u, int v) {
    adjacency_[size_t(u)].push_back(v);
    if (!directed_) adjacency_[size_t(v)].push_back(u);
}

void Graph::computeDegrees() {
    inDegrees_.assign(size_t(vertexCount_), 0);
    outDegrees_.assign(size_t(vertexCount_), 0);
    for (size_t v = 0; v < adjacency_.size(); ++v) {
        outDegrees_[v] = int(adjacency_[v].size());
        for (int u : adjacency_[v]) ++inDegrees_[size_t(u)];
    }
}

bool Graph::hasEulerCircuit() {
    if (directed_) {
        computeDegrees();
        for (size_t v = 0; v < adjacency_.size(); ++v)
            if (inDegrees_[v] != outDegrees_[v]) return false;
    } else {
        for (const std::list<int> &neighbours : adjacency_)
            if (neighbours.size() % 2 != 0) return false;
    }
    return isConnected();
}

// Over the lists as given: for a directed graph this asks that every vertex with edges be
// reached from the first one along the edges' directions.
bool Graph::isConnected() const {
    const int start = firstVertexWithEdges(adjacency_);
    if (start < 0) return true;
    std::vector<bool> visited(adjacency_.size(), false);
    std::deque<int> queue{start};
    visited[size_t(start)] = true;
    while (!queue.empty()) {
        const int v = queue.front();
        queue.pop_front();
        for (int u : adjacency_[size_t(v)])
            if (!visited[size_t(u)]) {
                visited[size_t(u)] = true;
                queue.push_back(u);
            }
    }
    for (size_t v = 0; v < adjacency_.size(); ++v)
        if (!adjacency_[v].empty() && !visited[v]) return false;
    return true;
}

std::vector<int> Graph::findEulerCircuit() {
    std::vector<int> circuit;
    if (!hasEulerCircuit()) return circuit;
    circuit.reserve(kCircuitReserve);
    std::vector<std::list<int>> lists = adjacency_;
    const int start = firstVertexWithEdges(lists);
    if (start < 0) return {0};
    std::vector<int> stack{start};
    while (!stack.empty()) {
        const int v = stack.back();
        std::list<int> &neighbours = lists[size_t(v)];
        if (neighbours.empty()) {
            circuit.push_back(v);
            stack.pop_back();
            continue;
        }
        const int u = neighbours.front();
        neighbours.pop_front();
        if (!directed_) {
            std::list<int> &back = lists[size_t(u)];
            const auto reverse = std::find(back.begin(), back.end(), v);
            if (reverse != back.end()) back.erase(reverse);
        }
        stack.push_back(u);
    }
    std::reverse(circuit.begin(), circuit.end());
    return circuit;
}

EulerAnswer eulerCircuitAnswer(std::string_view graphText) {
    IntegerReader reader(graphText);
    const std::optional<int> n = reader.next();
    const std::optional<int> m = n ? reader.next() : std::nullopt;
    if (!n || !m)
        return failure(L"Invalid graph format!\nFirst line must contain two integers: vertices and edges.");
    if (*n < 1 || *m < 0 || *n > kEulerVertexLimit) return failure(L"Invalid vertex or edge count.");
    Graph graph(*n, false);
    for (int edge = 0; edge < *m; ++edge) {
        const std::optional<int> u = reader.next();
        const std::optional<int> v = u ? reader.next() : std::nullopt;
        if (!u || !v)
            return failure(L"Not enough edge data or invalid format.\nExpected " + std::to_wstring(*m) + L" edges.");
        // Compared before the step down, so that the lowest int cannot wrap.
        if (*u < 1 || *u > *n || *v < 1 || *v > *n)
            return failure(L"Vertex index out of range (0-based: 0.." + std::to_wstring(*n - 1) + L").");
        graph.addEdge(*u - 1, *v - 1);
    }
    if (!graph.hasEulerCircuit()) return EulerAnswer{false, L"该图不存在欧拉回路"};
    return EulerAnswer{false, circuitText(graph.findEulerCircuit())};
}
