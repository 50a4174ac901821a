#include "ReferenceReaders.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace tessaplot::bench {

namespace {

// Converts every TAB-separated column of a line; returns how many.
int convertColumns(char* line, double* columns, int capacity) {
    int count = 0;
    char* p = line;
    while (count < capacity) {
        char* end = nullptr;
        columns[count++] = std::strtod(p, &end);
        char* tab = std::strchr(end, '\t');
        if (tab == nullptr)
            break;
        p = tab + 1;
    }
    return count;
}

} // namespace

int FgetsStrtodFabricLayer(const std::string& path, int layerIndex, int layerCount, int column,
                           std::vector<float>& values) {
    values.clear();
    std::FILE* file = std::fopen(path.c_str(), "r");
    if (file == nullptr)
        return 0;
    char line[1024];
    double columns[16];
    long long lineNumber = 0;
    while (std::fgets(line, sizeof line, file) != nullptr) {
        const int count = convertColumns(line, columns, 16);
        const long long block = lineNumber / 6;
        if (block % layerCount == layerIndex && column < count)
            values.push_back(static_cast<float>(columns[column]));
        ++lineNumber;
    }
    std::fclose(file);
    return static_cast<int>(values.size());
}

int FgetsStrtodComfort(const std::string& path, std::vector<float>& values) {
    values.clear();
    std::FILE* file = std::fopen(path.c_str(), "r");
    if (file == nullptr)
        return 0;
    char line[1024];
    double columns[16];
    while (std::fgets(line, sizeof line, file) != nullptr) {
        const int count = convertColumns(line, columns, 16);
        if (count == 10)
            for (int c : {0, 7, 8, 9})
                values.push_back(static_cast<float>(columns[c]));
    }
    std::fclose(file);
    return static_cast<int>(values.size() / 4);
}

long long NewlineScan(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return 0;
    std::fseek(file, 0, SEEK_END);
    const long size = std::ftell(file);
    std::fseek(file, 0, SEEK_SET);
    std::unique_ptr<char[]> bytes(new char[static_cast<size_t>(size) + 1]);
    const size_t got = std::fread(bytes.get(), 1, static_cast<size_t>(size), file);
    std::fclose(file);
    long long lines = 0;
    const char* p = bytes.get();
    const char* end = p + got;
    while ((p = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)))) !=
           nullptr) {
        ++lines;
        ++p;
    }
    return lines;
}

} // namespace tessaplot::bench
