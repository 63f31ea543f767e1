// Recalculation: collect the formulas downstream of the changed cells, order them with Tarjan's
// strongly-connected-components algorithm (iterative, so long chains cannot exhaust the
// stack), evaluate them in dependency order, and give every member of a cycle #CIRC!.
#include "workbook/engine/CellStore.h"
#include "workbook/engine/DependencyGraph.h"
#include "workbook/engine/Evaluator.h"
#include "workbook/engine/Workbook.h"

#include <QHash>
#include <unordered_map>

namespace vela::workbook {

namespace {

/// Formula cells to recompute with their dependency edges in compressed form.
struct Subgraph {
    std::vector<CellKey> nodes;
    std::vector<int> edgeStart; // edges of node i: edges[edgeStart[i] .. edgeStart[i+1])
    std::vector<int> edges;
    std::unordered_map<CellKey, int> index;

    int add(CellKey k)
    {
        const auto [it, inserted] = index.try_emplace(k, int(nodes.size()));
        if (inserted)
            nodes.push_back(k);
        return it->second;
    }
};

Subgraph collect(const DependencyGraph& g, const std::vector<CellKey>& starts, bool all)
{
    Subgraph sg;
    sg.index.reserve(all ? g.formulaCount() * 2 : 64);
    if (all)
        g.forEachFormula([&](CellKey k) { sg.add(k); });
    for (CellKey k : starts) {
        if (g.hasFormula(k))
            sg.add(k);
        else // a literal: its dependents are the roots
            g.forEachDependent(k, [&](CellKey d) { sg.add(d); });
    }
    for (CellKey k : g.volatileCells())
        sg.add(k);
    for (size_t i = 0; i < sg.nodes.size(); ++i) {
        sg.edgeStart.push_back(int(sg.edges.size()));
        g.forEachDependent(sg.nodes[i], [&](CellKey d) { sg.edges.push_back(sg.add(d)); });
    }
    sg.edgeStart.push_back(int(sg.edges.size()));
    return sg;
}

/// Components in dependency order (precedents first); a component of one node without a
/// self-edge is an ordinary cell, anything else is a cycle.
std::vector<std::vector<int>> orderedComponents(const Subgraph& sg)
{
    const int n = int(sg.nodes.size());
    std::vector<int> idx(size_t(n), -1), low(size_t(n), 0);
    std::vector<char> onStack(size_t(n), 0);
    std::vector<int> stack;
    std::vector<std::pair<int, int>> calls; // node, next edge position
    std::vector<std::vector<int>> comps;
    int counter = 0;
    for (int root = 0; root < n; ++root) {
        if (idx[size_t(root)] >= 0)
            continue;
        calls.push_back({root, sg.edgeStart[size_t(root)]});
        idx[size_t(root)] = low[size_t(root)] = counter++;
        stack.push_back(root);
        onStack[size_t(root)] = 1;
        while (!calls.empty()) {
            auto& [v, pos] = calls.back();
            if (pos < sg.edgeStart[size_t(v) + 1]) {
                const int w = sg.edges[size_t(pos++)];
                if (idx[size_t(w)] < 0) {
                    idx[size_t(w)] = low[size_t(w)] = counter++;
                    stack.push_back(w);
                    onStack[size_t(w)] = 1;
                    calls.push_back({w, sg.edgeStart[size_t(w)]});
                } else if (onStack[size_t(w)]) {
                    low[size_t(v)] = std::min(low[size_t(v)], idx[size_t(w)]);
                }
                continue;
            }
            const int done = v;
            calls.pop_back();
            if (!calls.empty())
                low[size_t(calls.back().first)] = std::min(low[size_t(calls.back().first)], low[size_t(done)]);
            if (low[size_t(done)] == idx[size_t(done)]) {
                std::vector<int> comp;
                int w;
                do {
                    w = stack.back();
                    stack.pop_back();
                    onStack[size_t(w)] = 0;
                    comp.push_back(w);
                } while (w != done);
                comps.push_back(std::move(comp));
            }
        }
    }
    // Tarjan emits dependents before what they depend on; evaluation needs the reverse.
    std::reverse(comps.begin(), comps.end());
    return comps;
}

bool hasSelfEdge(const Subgraph& sg, int v)
{
    for (int e = sg.edgeStart[size_t(v)]; e < sg.edgeStart[size_t(v) + 1]; ++e)
        if (sg.edges[size_t(e)] == v)
            return true;
    return false;
}

} // namespace

void Workbook::recalcFrom(const std::vector<quint64>& starts, bool all)
{
    if (m_calculating)
        return;
    m_calculating = true;
    const Subgraph sg = collect(*m_graph, starts, all);
    const auto comps = orderedComponents(sg);
    QHash<int, Sheet*> sheets;
    for (const auto& s : m_sheets)
        sheets.insert(s->id(), s.get());
    QHash<int, Range> changed;
    int count = 0;
    for (const auto& comp : comps) {
        const bool cycle = comp.size() > 1 || hasSelfEdge(sg, comp.front());
        for (int v : comp) {
            const CellKey k = sg.nodes[size_t(v)];
            Sheet* s = sheets.value(keySheet(k));
            Cell* c = s ? s->store().getMutable(keyRow(k), keyCol(k)) : nullptr;
            if (!c || !c->formula)
                continue;
            ++count;
            const Value v2 = cycle ? Value::error(ErrorCode::Circular)
                                   : evaluateFormula(*c->formula, EvalContext(*this, *s, {keyRow(k), keyCol(k)}));
            if (!(v2 == c->value)) {
                c->value = v2;
                const Range r(keyRow(k), keyCol(k), keyRow(k), keyCol(k));
                auto it = changed.find(s->id());
                if (it == changed.end())
                    changed.insert(s->id(), r);
                else
                    *it = it->united(r);
            }
        }
    }
    m_lastRecalcCount = count;
    m_calculating = false;
    for (auto it = changed.constBegin(); it != changed.constEnd(); ++it)
        pendingCells(sheets.value(it.key())->index(), it.value());
}

} // namespace vela::workbook
