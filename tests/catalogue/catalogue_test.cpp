#include "catalogue/catalogue.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "catalogue/builtin_names.h"

namespace quill::catalogue {
namespace {

using Texts = std::vector<std::string>;

// The pickers' rows and the templates are written out once, by hand, in
// tests/data/catalogue; the end-to-end run reads the same files.
std::string golden(const std::string& name) {
    std::ifstream in(std::string(QUILL_TEST_DATA) + "/catalogue/" + name, std::ios::binary);
    return (std::stringstream() << in.rdbuf()).str();
}
Texts goldenLines(const std::string& name) {
    Texts lines;
    std::istringstream in(golden(name));
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// commands.txt: "caption" or "caption|snippet", one row a line; "\r\n" in a
// snippet stands for CR LF. Every row but the title puts CR LF first.
TEST(Catalogue, EveryRowAsWrittenOutAndTheRowsThatOpenADialog) {
    const Texts rows = goldenLines("commands.txt");
    ASSERT_EQ(rows.size(), 119u);
    ASSERT_EQ(captions().size(), rows.size());
    for (int i = 0; i < kRowCount; ++i) {
        std::string row = rows[static_cast<std::size_t>(i)];
        for (std::size_t at; (at = row.find("\\r\\n")) != std::string::npos;) row.replace(at, 4, "\r\n");
        const std::size_t bar = row.find('|');
        const std::string caption = row.substr(0, bar);
        Texts inserts;
        if (i != 0) inserts.push_back("\r\n");
        if (bar != std::string::npos) inserts.push_back(row.substr(bar + 1));
        EXPECT_EQ(captions()[static_cast<std::size_t>(i)], caption) << i;
        EXPECT_EQ(pick(i, caption).inserts, inserts) << i;
        EXPECT_EQ(pick(i, caption).dialog, i == 11   ? Dialog::CheckFlag
                                           : i == 37 ? Dialog::BatchCreator
                                           : i == 84 ? Dialog::DiceScripter
                                                     : Dialog::None)
            << i;
    }
    // An hour row writes the hour its caption shows; indexes outside the table do nothing.
    EXPECT_EQ(pick(47, "Hour 23").inserts, (Texts{"\r\n", "Hour 23"}));
    EXPECT_EQ(pick(70, "Hour 9").inserts, (Texts{"\r\n", "Hour  9"}));
    for (int outside : {-1, 119}) EXPECT_EQ(pick(outside, "Hour 5").inserts, Texts{}) << outside;
}

TEST(BuiltInNames, RowsAsWrittenOutAndThePickBound) {
    EXPECT_EQ(builtInNames(), goldenLines("names.txt"));
    for (int index : {-1, 0, 100}) EXPECT_EQ(builtInNamePick(index, "x"), Texts{}) << index;
    for (int index : {1, 99}) EXPECT_EQ(builtInNamePick(index, "x"), (Texts{"\r\n", "x"})) << index;
}

}  // namespace
}  // namespace quill::catalogue
