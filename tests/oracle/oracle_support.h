// Helpers of the oracle tests: running a peer program on a script file, random digit texts.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <vector>

// Writes `program` to a temporary file, runs `command` followed by the file's path and
// returns the lines of its standard output (and error).
inline std::vector<std::string> runProgramLines(const std::string &command, const std::string &program) {
    char path[] = "/tmp/kavlo-oracle-XXXXXX";
    int fd = mkstemp(path);
    if (fd < 0) return {};
    close(fd);
    std::ofstream(path) << program;
    std::vector<std::string> lines;
    if (FILE *out = popen((command + " " + path + " 2>&1").c_str(), "r")) {
        std::string line;
        for (int ch; (ch = fgetc(out)) != EOF;) {
            if (ch != '\n') {
                line += char(ch);
                continue;
            }
            lines.push_back(line);
            line.clear();
        }
        pclose(out);
    }
    std::remove(path);
    return lines;
}

// A positive integer text of 1 to maxDigits digits, without leading zeros.
inline std::string randomPositiveDigits(std::mt19937_64 &rng, size_t maxDigits) {
    size_t n = 1 + rng() % maxDigits;
    std::string s(n, '0');
    for (auto &c : s) c = char('0' + rng() % 10);
    s[0] = char('1' + rng() % 9);
    return s;
}
