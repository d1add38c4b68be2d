// Figures of the classification code trees over full-size tables: 150,000
// UNSPSC rows and 20,000 auction categories, generated into the shipped
// schemas. Each figure is printed beside its target: the first level read,
// a node expanded, a keyword search up to its first hit selected in the
// tree, and the next hit found when asked.
#include "BenchTiming.h"
#include "catalog/codes/CodeTree.h"
#include "common/FileContent.h"
#include "storage/QueryGuard.h"
#include "storage/SQLiteConnectionFactory.h"
#include "storage/ShippedData.h"
#include "support/TempFolder.h"

#include <algorithm>
#include <cstdio>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kRuns = 7;

const char* const kAdjectives[] = {"standard", "industrial", "portable", "electric", "manual", "digital", "heavy",
                                   "light", "coated", "recycled", "sterile", "flexible", "rigid", "plastic",
                                   "steel", "wooden", "glass", "ceramic", "cotton", "leather"};
const char* const kNouns[] = {
    "paper", "pump", "valve", "cable", "printer", "lamp", "filter", "bottle", "brush", "sensor", "motor",
    "adhesive", "tape", "label", "envelope", "folder", "binder", "marker", "screw", "bolt", "nut", "washer",
    "hinge", "lock", "key", "glove", "mask", "gown", "bandage", "syringe", "scale", "meter", "gauge", "drill",
    "saw", "hammer", "wrench", "plier", "chisel", "ladder", "table", "chair", "desk", "shelf", "cabinet",
    "container", "bag", "box", "crate", "pallet", "film", "sheet", "board", "panel", "tile", "pipe", "hose",
    "fitting", "coupling", "bearing"};

// A small repeatable generator: the same tables every run.
struct TRandom {
    std::uint32_t state = 12345;
    std::uint32_t Next(std::uint32_t range)
    {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) % range;
    }
};

std::string Name(TRandom& random)
{
    return std::string(kAdjectives[random.Next(std::size(kAdjectives))]) + " " + kNouns[random.Next(std::size(kNouns))] +
           " " + kNouns[random.Next(std::size(kNouns))];
}

std::string Two(int number)
{
    return std::string(1, char('0' + number / 10)) + char('0' + number % 10);
}

// The CREATE statements of a shipped code table, without its rows.
void CreateShippedSchema(TAbstractDBConnection& connection, const std::string& name)
{
    std::istringstream lines(
        ReadFileContent(TShippedData::BuildTreeDataDir() + "/codes/" + name + ".sql").value_or(std::string()));
    std::string statement;
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with("--"))
            continue;
        statement += line + "\n";
        if (line.ends_with(";")) {
            if (statement.find("CREATE ") != std::string::npos && statement.find("INSERT ") == std::string::npos) {
                TQueryGuard query(connection);
                query->SetSQL(statement);
                query->ExecSQL();
            }
            statement.clear();
        }
    }
}

int FillUnspsc(TAbstractDBConnection& connection)
{
    TRandom random;
    TQueryGuard query(connection);
    query->SetSQL("INSERT INTO unspsc (Segment, Family, Class, Commodity, DataValue, IsTolvexCode) "
                  "VALUES (:S, :F, :C, :M, :Name, :Mark)");
    int rows = 0;
    const auto add = [&](int s, int f, int c, int m) {
        query->SetParam("S", Two(s));
        query->SetParam("F", Two(f));
        query->SetParam("C", Two(c));
        query->SetParam("M", Two(m));
        query->SetParam("Name", Name(random));
        query->SetParam("Mark", random.Next(50) == 0 ? 1 : 0);
        query->ExecSQL();
        ++rows;
    };
    // 55 segments of 8 families of 10 classes of 33 commodities: 150,095 rows.
    for (int s = 10; s < 65; ++s) {
        add(s, 0, 0, 0);
        for (int f = 10; f < 18; ++f) {
            add(s, f, 0, 0);
            for (int c = 15; c < 25; ++c) {
                add(s, f, c, 0);
                for (int m = 1; m <= 33; ++m)
                    add(s, f, c, m);
            }
        }
    }
    return rows;
}

int FillCategories(TAbstractDBConnection& connection)
{
    TRandom random;
    TQueryGuard query(connection);
    query->SetSQL("INSERT INTO EBayCategory (CategoryId, CategoryName, CategoryParentId, CategoryLevel) "
                  "VALUES (:Id, :Name, :Parent, :Level)");
    int next = 100;
    const auto add = [&](int parent, int level) {
        const int id = next++;
        query->SetParam("Id", id);
        query->SetParam("Name", Name(random));
        query->SetParam("Parent", parent == 0 ? id : parent);
        query->SetParam("Level", level);
        query->ExecSQL();
        return id;
    };
    // 35 top categories, 8 below each down to the fourth level, cut at 20,000 rows.
    int rows = 0;
    for (int top = 0; top < 35 && rows < 20000; ++top) {
        const int a = add(0, 1);
        ++rows;
        for (int i = 0; i < 8 && rows < 20000; ++i) {
            const int b = add(a, 2);
            ++rows;
            for (int j = 0; j < 8 && rows < 20000; ++j) {
                const int c = add(b, 3);
                ++rows;
                for (int k = 0; k < 8 && rows < 20000; ++k, ++rows)
                    add(c, 4);
            }
        }
    }
    return rows;
}

void Print(const char* what, double ms, double target)
{
    std::printf("%-58s %8.1f ms   target < %5.0f ms   %s\n", what, ms, target, ms < target ? "met" : "MISSED");
}

// The figures of one system.
void Measure(const char* system, TCodeDatabase& database, const std::string& deepCode,
             const std::vector<const char*>& searches)
{
    std::printf("-- %s\n", system);
    Print("first level read", Median([&] {
              std::vector<double> times;
              for (int run = 0; run < kRuns; ++run)
                  times.push_back(Milliseconds([&] { TCodeTree tree(database); }));
              return times;
          }()), 100);

    // Every level on the way down to DeepCode, each expansion timed; the slowest counts.
    std::vector<double> slowest;
    for (int run = 0; run < kRuns; ++run) {
        TCodeTree tree(database);
        double worst = 0;
        const TCodeNode* target = tree.Locate(deepCode);
        if (!target) {
            std::printf("   %s is not in the table\n", deepCode.c_str());
            return;
        }
        TCodeTree fresh(database);
        TCodeNode* node = &fresh.Root();
        std::vector<const TCodeNode*> path;
        for (const TCodeNode* n = target; n && n->Level >= 0; n = n->Parent)
            path.insert(path.begin(), n);
        for (const TCodeNode* step : path) {
            TCodeNode* child = nullptr;
            for (auto& c : node->Children)
                if (c->Row.Code == step->Row.Code)
                    child = c.get();
            if (!child)
                break;
            worst = std::max(worst, Milliseconds([&] { fresh.Expand(*child); }));
            node = child;
        }
        slowest.push_back(worst);
    }
    Print("slowest node expansion on the way to a leaf", Median(slowest), 50);

    for (const char* keywords : searches) {
        std::size_t hits = 0;
        std::vector<double> first;
        std::vector<double> next;
        for (int run = 0; run < kRuns; ++run) {
            TCodeTree tree(database);
            const TCodeNode* shown = nullptr;
            first.push_back(Milliseconds([&] {
                hits = tree.Search(keywords);
                shown = tree.Locate(tree.NextHit(nullptr));
            }));
            // "Next" twenty times: the slowest step counts.
            double worst = 0;
            for (int step = 0; step < 20 && shown; ++step)
                worst = std::max(worst, Milliseconds([&] { shown = tree.Locate(tree.NextHit(shown)); }));
            next.push_back(worst);
        }
        const std::string what = std::string("search \"") + keywords + "\" (" + std::to_string(hits) + " hits)";
        Print((what + ": first hit shown").c_str(), Median(first), 1000);
        Print((what + ": slowest of 20 \"Next\"").c_str(), Median(next), 50);
    }
}

}  // namespace

int main()
{
    const TTempFolder folder;
    TSQLiteConnectionFactory unspscFactory("SQLite", "", {});
    unspscFactory.CreateDatabase(folder.Path(), "", "unspsc", "", "", 0);
    unspscFactory.OpenDatabase(folder.Path(), "unspsc", "", "");
    TSQLiteConnectionFactory ebayFactory("SQLite", "", {});
    ebayFactory.CreateDatabase(folder.Path(), "", "ebay", "", "", 0);
    ebayFactory.OpenDatabase(folder.Path(), "ebay", "", "");
    {
        CreateShippedSchema(unspscFactory.GetConnection(), "unspsc");
        auto writer = unspscFactory.OpenSecondConnection();
        std::printf("UNSPSC rows: %d\n", FillUnspsc(*writer));
        writer->CommitTrans();
    }
    {
        CreateShippedSchema(ebayFactory.GetConnection(), "ebay");
        auto writer = ebayFactory.OpenSecondConnection();
        std::printf("auction category rows: %d\n", FillCategories(*writer));
        writer->CommitTrans();
    }
    std::printf("medians of %d runs\n", kRuns);
    TCodeDatabase unspsc(TCodeSystem::Unspsc, unspscFactory.GetConnection());
    Measure("UNSPSC", unspsc, "64172433", {"paper", "coated  paper", "e"});
    TCodeDatabase ebay(TCodeSystem::EBay, ebayFactory.GetConnection());
    Measure("auction categories", ebay, "19990", {"paper", "coated  paper", "e"});
    return 0;
}
