// The face table against a node map: random inserts, erases and finds over addresses that share
// their home slots often (the backward shift on erase must keep every run searchable).
#include "popup/face_table.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <unordered_map>

namespace plicato {

namespace {

struct Row {
    const char* what;
    std::size_t faces; // distinct addresses in play
    int operations;
};

TEST(FaceTable, AgreesWithAMapOverRandomOperations) {
    const Row rows[] = {
        {"few faces, crowded runs", 40, 4000},
        {"a table that grows several times", 700, 20000},
        {"one face", 1, 200},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        // Faces from the heap, a face's size apart as the rebuild's are.
        std::vector<std::unique_ptr<Face>> faces;
        for (std::size_t i = 0; i < row.faces; ++i)
            faces.push_back(std::make_unique<Face>(FacePlane::Vertical, 0.0));
        std::mt19937 rng(5);
        std::uniform_int_distribution<std::size_t> pick(0, row.faces - 1);
        FaceTable<int> table;
        std::unordered_map<const Face*, int> expected;
        for (int op = 0; op < row.operations; ++op) {
            const Face* f = faces[pick(rng)].get();
            switch (rng() % 3) {
            case 0:
                if (!expected.contains(f)) {
                    table.insert(f, op);
                    expected[f] = op;
                }
                break;
            case 1:
                EXPECT_EQ(table.erase(f), expected.erase(f) == 1);
                break;
            default: {
                const int* found = table.find(f);
                const auto it = expected.find(f);
                ASSERT_EQ(found != nullptr, it != expected.end()) << "operation " << op;
                if (found) {
                    EXPECT_EQ(*found, it->second);
                }
            }
            }
        }
        for (const auto& f : faces) {
            const int* found = table.find(f.get());
            const auto it = expected.find(f.get());
            ASSERT_EQ(found != nullptr, it != expected.end());
            if (found) {
                EXPECT_EQ(*found, it->second);
            }
        }
        table.clear();
        for (const auto& f : faces)
            EXPECT_EQ(table.find(f.get()), nullptr);
    }
}

} // namespace

} // namespace plicato
