// The Euler-circuit tool: a graph of linked neighbour lists, the circuit by Hierholzer's
// walk, and the tool's answer to a graph text ("n m" then m pairs "u v", vertices from 1).
#pragma once

#include <list>
#include <string>
#include <string_view>
#include <vector>

class Graph {
  public:
    Graph(int vertexCount, bool directed);
    ~Graph() = default;

    void addEdge(int u, int v); // 0-based vertices, checked by the caller
    bool hasEulerCircuit();
    bool isConnected() const;
    std::vector<int> findEulerCircuit();
    void computeDegrees();

  private:
    int vertexCount_;
    std::vector<std::list<int>> adjacency_;
    bool directed_;
    std::vector<int> inDegrees_, outDegrees_;
};

// Vertex counts past this are refused like a count below 1: each vertex costs a list.
constexpr int kEulerVertexLimit = 1000000;

struct EulerAnswer {
    bool error = false;
    std::wstring text; // the result, or the error message
};

EulerAnswer eulerCircuitAnswer(std::string_view graphText);
