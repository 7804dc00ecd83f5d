// Throughput of the layer's spatial index beside SQLite's own R*Tree module
// answering the same inserts, deletes and rectangle queries (an in-memory
// database, prepared statements, one transaction). Both sides get the same
// random rectangles of mixed sizes, flat lines and points included.
#include "model/index/RTree.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Rect = CRTree::Rect;
constexpr float kWorld = 1e6f;
constexpr int kQueries = 1000;

struct Data {
    std::vector<Rect> rects;     // entry i has id i + 1
    std::vector<int> order;      // a shuffled order of indexes, for deletes
    std::vector<Rect> queries;
};

Rect RandomRect(std::mt19937& random)
{
    std::uniform_real_distribution<float> pos(0, kWorld);
    std::uniform_real_distribution<float> unit(0, 1);
    const float x = pos(random), y = pos(random);
    const float kind = unit(random);
    auto extent = [&](float lo, float hi) { return lo * std::pow(hi / lo, unit(random)); };
    float w, h;
    if (kind < 0.1f) {
        w = h = 0;                                  // points
    } else if (kind < 0.2f) {
        w = extent(1, 2000), h = 0;                 // horizontal lines
    } else if (kind < 0.3f) {
        w = 0, h = extent(1, 2000);                 // vertical lines
    } else if (kind < 0.99f) {
        w = extent(1, 2000), h = extent(1, 2000);   // ordinary objects
    } else {
        w = extent(2000, 50000), h = extent(2000, 50000);  // a few large ones
    }
    return {x, y, x + w, y + h};
}

const Data& DataFor(int n)
{
    static std::map<int, std::unique_ptr<Data>> cache;
    std::unique_ptr<Data>& data = cache[n];
    if (!data) {
        data = std::make_unique<Data>();
        std::mt19937 random(12345u + (unsigned)n);
        for (int i = 0; i < n; ++i)
            data->rects.push_back(RandomRect(random));
        data->order.resize((size_t)n);
        for (int i = 0; i < n; ++i)
            data->order[(size_t)i] = i;
        std::shuffle(data->order.begin(), data->order.end(), random);
        std::uniform_real_distribution<float> pos(0, kWorld), size(5000, 20000);
        for (int i = 0; i < kQueries; ++i) {
            const float x = pos(random), y = pos(random);
            data->queries.push_back({x, y, x + size(random), y + size(random)});
        }
    }
    return *data;
}

// ---------------------------------------------------------------- the project

bool CollectId(int id, void* ids)
{
    static_cast<std::vector<int>*>(ids)->push_back(id);
    return true;
}

// The index as the layer uses it; the same calls as the peer below.
class ProjectIndex {
public:
    void Fill(const Data& data)
    {
        for (size_t i = 0; i < data.rects.size(); ++i) {
            const Rect& r = data.rects[i];
            m_tree.Insert(r.minX, r.minY, r.maxX, r.maxY, (int)i + 1);
        }
    }
    void DeleteAll(const Data& data)
    {
        for (int i : data.order) {
            const Rect& r = data.rects[(size_t)i];
            m_tree.Remove(r.minX, r.minY, r.maxX, r.maxY, i + 1);
        }
    }
    void BeginQueries() {}
    void Search(const Rect& q, std::vector<int>& ids) { m_tree.Search(q, CollectId, &ids); }
    void EndQueries() {}
    int Count() { return m_tree.Count(); }

private:
    CRTree m_tree;
};

// ---------------------------------------------------------------- the peer

// An in-memory database with one R*Tree table and its prepared statements.
class PeerIndex {
public:
    PeerIndex()
    {
        Check(sqlite3_open(":memory:", &m_db));
        Exec("create virtual table rt using rtree(id, minX, maxX, minY, maxY);");
        Prepare("insert into rt values(?1, ?2, ?3, ?4, ?5);", &m_insert);
        Prepare("delete from rt where id = ?1;", &m_delete);
        Prepare("select id from rt where minX <= ?2 and maxX >= ?1 and minY <= ?4 and maxY >= ?3;", &m_search);
    }
    ~PeerIndex()
    {
        sqlite3_finalize(m_insert);
        sqlite3_finalize(m_delete);
        sqlite3_finalize(m_search);
        sqlite3_close(m_db);
    }
    PeerIndex(const PeerIndex&) = delete;
    PeerIndex& operator=(const PeerIndex&) = delete;

    void Exec(const char* sql) { Check(sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr)); }

    void Fill(const Data& data)
    {
        Exec("BEGIN;");
        for (size_t i = 0; i < data.rects.size(); ++i) {
            const Rect& r = data.rects[i];
            sqlite3_bind_int(m_insert, 1, (int)i + 1);
            sqlite3_bind_double(m_insert, 2, r.minX);
            sqlite3_bind_double(m_insert, 3, r.maxX);
            sqlite3_bind_double(m_insert, 4, r.minY);
            sqlite3_bind_double(m_insert, 5, r.maxY);
            StepDone(m_insert);
        }
        Exec("COMMIT;");
    }
    void DeleteAll(const Data& data)
    {
        Exec("BEGIN;");
        for (int i : data.order) {
            sqlite3_bind_int(m_delete, 1, i + 1);
            StepDone(m_delete);
        }
        Exec("COMMIT;");
    }
    void BeginQueries() { Exec("BEGIN;"); }
    void EndQueries() { Exec("COMMIT;"); }
    void Search(const Rect& q, std::vector<int>& ids)
    {
        sqlite3_bind_double(m_search, 1, q.minX);
        sqlite3_bind_double(m_search, 2, q.maxX);
        sqlite3_bind_double(m_search, 3, q.minY);
        sqlite3_bind_double(m_search, 4, q.maxY);
        while (sqlite3_step(m_search) == SQLITE_ROW)
            ids.push_back(sqlite3_column_int(m_search, 0));
        sqlite3_reset(m_search);
    }
    int Count()
    {
        sqlite3_stmt* stmt = nullptr;
        Prepare("select count(*) from rt;", &stmt);
        const int count = sqlite3_step(stmt) == SQLITE_ROW ? sqlite3_column_int(stmt, 0) : -1;
        sqlite3_finalize(stmt);
        return count;
    }

private:
    void Check(int rc)
    {
        if (rc != SQLITE_OK)
            throw std::runtime_error(m_db ? sqlite3_errmsg(m_db) : "sqlite3_open failed");
    }
    void Prepare(const char* sql, sqlite3_stmt** stmt) { Check(sqlite3_prepare_v2(m_db, sql, -1, stmt, nullptr)); }
    void StepDone(sqlite3_stmt* stmt)
    {
        const int rc = sqlite3_step(stmt);
        sqlite3_reset(stmt);
        if (rc != SQLITE_DONE)
            throw std::runtime_error(sqlite3_errmsg(m_db));
    }

    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_insert = nullptr;
    sqlite3_stmt* m_delete = nullptr;
    sqlite3_stmt* m_search = nullptr;
};

// ---------------------------------------------------------------- the figures
// A fresh index each iteration: `prepare` runs untimed, `timed` is measured,
// and the index must then hold `expected` entries.
template <class Index, class Prepare, class Timed>
void OnFreshIndex(benchmark::State& state, const Prepare& prepare, const Timed& timed, int expected)
{
    const Data& data = DataFor((int)state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto index = std::make_unique<Index>();
        prepare(*index, data);
        state.ResumeTiming();
        timed(*index, data);
        state.PauseTiming();
        if (index->Count() != expected)
            state.SkipWithError("wrong number of entries afterwards");
        index.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * (int64_t)data.rects.size());
}

template <class Index> void Insert(benchmark::State& state)
{
    OnFreshIndex<Index>(
        state, [](Index&, const Data&) {}, [](Index& index, const Data& data) { index.Fill(data); },
        (int)state.range(0));
}

template <class Index> void Delete(benchmark::State& state)
{
    OnFreshIndex<Index>(
        state, [](Index& index, const Data& data) { index.Fill(data); },
        [](Index& index, const Data& data) { index.DeleteAll(data); }, 0);
}

template <class Index> void Search(benchmark::State& state)
{
    const Data& data = DataFor((int)state.range(0));
    Index index;
    index.Fill(data);
    std::vector<int> ids;
    ids.reserve(4096);
    int64_t hits = 0;
    index.BeginQueries();
    for (auto _ : state) {
        for (const Rect& q : data.queries) {
            ids.clear();
            index.Search(q, ids);
            hits += (int64_t)ids.size();
        }
    }
    index.EndQueries();
    state.SetItemsProcessed(state.iterations() * kQueries);
    state.SetLabel("hits/query " + std::to_string(hits / (state.iterations() * kQueries)));
}

void BM_RTreeInsert_Project(benchmark::State& state) { Insert<ProjectIndex>(state); }
void BM_RTreeInsert_Peer(benchmark::State& state) { Insert<PeerIndex>(state); }
void BM_RTreeDelete_Project(benchmark::State& state) { Delete<ProjectIndex>(state); }
void BM_RTreeDelete_Peer(benchmark::State& state) { Delete<PeerIndex>(state); }
void BM_RTreeSearch_Project(benchmark::State& state) { Search<ProjectIndex>(state); }
void BM_RTreeSearch_Peer(benchmark::State& state) { Search<PeerIndex>(state); }

void Sizes(benchmark::internal::Benchmark* b)
{
    b->Unit(benchmark::kMillisecond)->UseRealTime()->Arg(100000)->Arg(1000000);
}

BENCHMARK(BM_RTreeInsert_Project)->Apply(Sizes);
BENCHMARK(BM_RTreeInsert_Peer)->Apply(Sizes);
BENCHMARK(BM_RTreeDelete_Project)->Apply(Sizes);
BENCHMARK(BM_RTreeDelete_Peer)->Apply(Sizes);
BENCHMARK(BM_RTreeSearch_Project)->Apply(Sizes);
BENCHMARK(BM_RTreeSearch_Peer)->Apply(Sizes);

}

BENCHMARK_MAIN();
