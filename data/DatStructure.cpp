#include "data/DatStructure.h"

#include <cstdint>
#include <string>

#include "core/Fatal.h"
#include "data/DataFile.h"

namespace ocre {

namespace {

constexpr const char* kNoMemoryForDat = "pas assez de memoire pour allouer la structure DAT ";
constexpr const char* kNameTooLong = "nom de fichier trop long dans ";

bool isSeparator(int c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// Reads the next name into `name`; false at the end of the file. Names
// longer than the format allows refuse the whole file, so no buffer of a
// fixed size can ever be overrun by them.
bool nextName(DataFile& file, std::string& name) {
    name.clear();
    int c = file.nextByte();
    while (c != EOF && isSeparator(c)) c = file.nextByte();
    if (c == EOF) return false;
    while (c != EOF && !isSeparator(c)) {
        if (name.size() == static_cast<size_t>(kMaxDatNameLength))
            fatalf(stdout, "%s%s", kNameTooLong, file.name().c_str());
        name.push_back(static_cast<char>(c));
        c = file.nextByte();
    }
    return true;
}

}  // namespace

void DatStructure::load(const char* fileName) {
    DataFile file(fileName);

    // The first pass only counts (and checks every name) so that the
    // records are allocated once and no sprite file is opened for a list
    // that is refused further on.
    std::string name;
    int32_t nameCount = 0;
    while (nextName(file, name)) {
        if (nameCount == INT32_MAX) {
            file.close();
            fatal(kNoMemoryForDat);
        }
        ++nameCount;
    }

    file.allocateOrDie(kNoMemoryForDat, [&] {
        records.clear();
        records.resize(static_cast<size_t>(nameCount));
        names.assign(static_cast<size_t>(nameCount), std::string());
    });
    file.rewind();
    count = nameCount;

    for (int32_t i = 0; i < count; ++i) {
        nextName(file, name);
        names[static_cast<size_t>(i)] = name;
        records[static_cast<size_t>(i)].load(name.c_str());
    }
    file.close();
}

}  // namespace ocre
