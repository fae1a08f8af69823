// Damaged versions of a valid file of every kind, each loaded in a child: a
// loader may accept or refuse them, but must always end cleanly, and
// `ocre-data inspect` must give the same verdict in the same words.

#include <gtest/gtest.h>

#include <unistd.h>

#include <map>
#include <random>

#include "data/DatStructure.h"
#include "data/FrameSet.h"
#include "data/Map.h"
#include "data/Path.h"
#include "dialogue/DialogueTree.h"
#include "tests/data/DataFiles.h"
#include "tools/defaultset/Cp1252.h"

namespace ocre {
namespace {

using LoaderRobustnessTest = test::LoaderTest;

// About 25 cut lengths and 35 copies with one to three bits flipped.
std::vector<test::File> damagedVersions(const test::File& valid, uint32_t seed) {
    std::vector<test::File> versions;
    for (size_t length = 0; length < valid.size(); length += valid.size() / 25 + 1)
        versions.emplace_back(valid.begin(), valid.begin() + static_cast<std::ptrdiff_t>(length));
    std::mt19937 random(seed);
    std::uniform_int_distribution<size_t> anyBit(0, valid.size() * 8 - 1);
    for (int i = 0; i < 35; ++i) {
        versions.push_back(valid);
        for (int flips = i % 3; flips >= 0; --flips) {
            const size_t bit = anyBit(random);
            versions.back()[bit / 8] ^= static_cast<uint8_t>(1u << (bit % 8));
        }
    }
    return versions;
}

// Runs ocre-data inspect on the files; each file's block of the output.
std::map<std::string, std::string> inspectBlocks(const std::vector<std::string>& files, const std::string& tiles) {
    const test::ChildResult r = test::runInChild([&] {
        std::vector<std::string> words = {OCRE_DATA_TOOL, "inspect", "--tiles", tiles};
        words.insert(words.end(), files.begin(), files.end());
        std::vector<char*> argv;
        for (std::string& w : words) argv.push_back(w.data());
        argv.push_back(nullptr);
        execv(OCRE_DATA_TOOL, argv.data());
        _exit(127);
    }, 120000);
    std::map<std::string, std::string> blocks;
    std::string* block = nullptr;
    size_t at = 0;
    while (at < r.out.size()) {
        const size_t end = std::min(r.out.find('\n', at), r.out.size());
        const std::string line = r.out.substr(at, end - at);
        if (!line.empty() && line[0] != ' ')
            block = &blocks[line];
        else if (block != nullptr)
            *block += line + "\n";
        at = end + 1;
    }
    return blocks;
}

TEST_F(LoaderRobustnessTest, DamagedFilesOfEveryKindEndTheLoaderCleanly) {
    const std::string tiles = write("t.tle", test::tileFile(4, 4, {1, 0}));
    const std::string a = write("a.spr", test::plainSprite(1, 2, 2)), b = write("b.spr", test::plainSprite(2, 1, 1));
    const std::string dat = a + "\r\n" + b + "\t" + a + "\n";
    const std::string dialogue = "1|1|1|Bonjour\n2|1|1|2|Oui\n3|1|1|0|1|Au revoir\n4|1|2|2|Non\r\n";
    const std::pair<test::File, std::function<void(const char*)>> kinds[] = {
        {test::spriteFile(2, 2, 2, 1, {1, 2, 3, 4, 0, 0, 0, 0, 9, 9, 9, 9, 5, 6, 7, 8}, {0, 0, 1, 0, 1, 0, 1, 0}),
         [](const char* path) { FrameSet().load(path); }},
        {test::tileFile(3, 2, {1, 0}),
         [](const char* path) {
             Map map(path, nullptr);
             for (uint32_t i = 0; i < map.tileCount(); ++i)
                 if (map.tile(i)->surface == nullptr) _exit(7);
         }},
        {test::mapFile(4, 3, 4, 4, {0, 1, 0, 1, 1, 0, 1, 0, 0, 0, 1, 1}),
         [&](const char* path) {
             Map map(tiles.c_str(), nullptr);
             map.load(path);
             // A loaded map answers every query without leaving its grid.
             for (int32_t d = -8; d <= 40; d += 4) {
                 map.isWalkable(static_cast<uint32_t>(d), static_cast<uint32_t>(d), 4, d, -d);
                 map.cellWalkable(d / 4, d / 4);
             }
         }},
        {test::File(dat.begin(), dat.end()), [](const char* path) { DatStructure().load(path); }},
        {test::pathFile(1, {{1, 2, 3}, {4, 5, 6}, {-7, -8, -9}}),
         [](const char* path) {
             Path route(path);
             for (int i = 0; i < 10; ++i) route.advance();
         }},
        {test::File(dialogue.begin(), dialogue.end()),
         [](const char* path) {
             DialogueTree tree(path);
             tree.reset();
             tree.highlight(0);
             tree.validate();
         }},
    };
    const char* extensions[] = {".spr", ".tle", ".map", ".dat", ".pat", ".dlg"};
    for (size_t kind = 0; kind < std::size(kinds); ++kind) {
        const auto versions = damagedVersions(kinds[kind].first, static_cast<uint32_t>(kind));
        std::vector<std::string> files;
        std::vector<test::ChildResult> loads;
        for (size_t i = 0; i < versions.size(); ++i) {
            files.push_back(dir.file("v" + std::to_string(i) + extensions[kind]));
            test::writeFile(files.back(), versions[i]);
            // From the data set's folder, as the server runs: a DAT list's
            // names are opened from there.
            loads.push_back(test::runInChild([&] {
                if (chdir(dir.path().c_str()) != 0) _exit(8);
                const bool byName = std::string(extensions[kind]) == ".dat";
                kinds[kind].second(byName ? files.back().substr(dir.path().size() + 1).c_str() : files.back().c_str());
            }, 10000));
            const test::ChildResult& r = loads.back();
            ASSERT_TRUE(r.exited && (r.exitStatus == 0 || r.exitStatus == 255))
                << "kind " << kind << " version " << i << ": status " << r.exitStatus << ", signal " << r.signal;
        }
        const auto blocks = inspectBlocks(files, tiles);
        for (size_t i = 0; i < files.size(); ++i) {
            const std::string& block = blocks.count(files[i]) ? blocks.at(files[i]) : "(no report)";
            if (loads[i].exitStatus == 0) {
                EXPECT_NE(block.find("the server accepts it"), std::string::npos) << files[i] << "\n" << block;
                continue;
            }
            std::string message = loads[i].out + loads[i].err;
            while (!message.empty() && message.back() == '\n') message.pop_back();
            EXPECT_NE(block.find("problem: the server refuses it: \"" + cp1252ToUtf8(message) + "\""), std::string::npos)
                << files[i] << "\n" << block;
        }
    }
}

}  // namespace
}  // namespace ocre
