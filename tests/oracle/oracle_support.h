// What the oracle tests share: the seeds, random operands, and the run of a peer program.
//
// Every test draws from a stream of its own, seeded by the run's seed and the test's salt.
// The run's seed comes from KAVLO_ORACLE_SEED like the fuzzers' from KAVLO_FUZZ_SEED:
// default 1, so that a run repeats the one before it; 0 picks a new seed, which the run
// prints so that a failure can be repeated.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace oracle {

using Rng = std::mt19937_64;

inline uint64_t runSeed() {
    static const uint64_t seed = [] {
        const char *text = std::getenv("KAVLO_ORACLE_SEED");
        uint64_t s = text && *text ? std::strtoull(text, nullptr, 10) : 1;
        if (s == 0) s = (uint64_t(std::random_device{}()) << 32) | std::random_device{}();
        std::printf("[oracle] KAVLO_ORACLE_SEED=%llu\n", static_cast<unsigned long long>(s));
        return s;
    }();
    return seed;
}

// The stream of one test.
inline Rng rngFor(uint64_t salt) {
    uint64_t seed = runSeed();
    std::seed_seq seq{uint32_t(seed), uint32_t(seed >> 32), uint32_t(salt), uint32_t(salt >> 32)};
    return Rng(seq);
}

// n random digits, the first one not 0 unless `leadingZero` allows it. Half of the texts
// favour the carries and borrows that travel far: mostly nines, mostly zeros, or a first half
// that is one run of either.
inline std::string randomDigits(Rng &rng, size_t n, bool leadingZero) {
    std::string s(n, '0');
    unsigned style = unsigned(rng() % 6);
    for (char &c : s) c = style < 2 && rng() % 8 ? (style == 0 ? '9' : '0') : char('0' + rng() % 10);
    if (style == 2 && n > 4) std::fill(s.begin() + 1, s.begin() + long(n / 2), rng() % 2 ? '9' : '0');
    if (!leadingZero && n > 0 && s[0] == '0') s[0] = char('1' + rng() % 9);
    return s;
}

// An integer of 1 to maxDigits digits without leading zeros, negative half of the time when
// signs are allowed.
inline std::string randomInteger(Rng &rng, size_t maxDigits, bool signs) {
    std::string s = randomDigits(rng, 1 + rng() % maxDigits, false);
    return signs && rng() % 2 ? "-" + s : s;
}

// intDigits digits (none: "0") and, when fracDigits is not zero, a point and that many more.
inline std::string randomDecimal(Rng &rng, size_t intDigits, size_t fracDigits) {
    std::string s = intDigits ? randomDigits(rng, intDigits, intDigits == 1) : "0";
    if (fracDigits > 0) s += "." + randomDigits(rng, fracDigits, true);
    return s;
}

// Writes `program` to a temporary file, runs `command` followed by the file's path and
// returns the lines it writes to standard output (and to standard error with `withErrors`).
inline std::vector<std::string> runProgramLines(const std::string &command, const std::string &program,
                                                bool withErrors = true) {
    char path[] = "/tmp/kavlo-oracle-XXXXXX";
    int fd = mkstemp(path);
    if (fd < 0) return {};
    close(fd);
    std::ofstream(path) << program;
    std::vector<std::string> lines;
    if (FILE *out = popen((command + " " + path + (withErrors ? " 2>&1" : "")).c_str(), "r")) {
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

// Runs a peer (bc, gp) on a program, ended by "quit"; returns the lines it writes.
inline std::vector<std::string> runPeer(const std::string &command, const std::string &program) {
    return runProgramLines(command, program + "quit\n", false);
}

// Runs one gp program and returns its output lines (its errors among them).
inline std::vector<std::string> runGp(const std::string &program) {
    return runPeer("2>&1 gp -q -f -s 256000000", program);
}

// A gp vector [a, b, c] in the engine's list form (a,b,c).
inline std::string listForm(const std::string &line) {
    if (line.empty() || line[0] != '[') return line;
    std::string text;
    for (char c : line)
        if (c != ' ') text += c == '[' ? '(' : c == ']' ? ')' : c;
    return text;
}

// Answers of the engine and the gp expressions that should print the same, checked in one
// run of gp.
struct GpCases {
    std::vector<std::string> labels, answers;
    std::string program;

    void add(const std::string &label, const std::string &answer, const std::string &gpExpression) {
        labels.push_back(label);
        answers.push_back(answer);
        program += "print(" + gpExpression + ");\n";
    }
    void check() const {
        std::vector<std::string> lines = runGp(program);
        ASSERT_EQ(lines.size(), answers.size()) << (lines.empty() ? "gp gave no answer" : lines.back());
        for (size_t i = 0; i < lines.size(); i++) ASSERT_EQ(answers[i], listForm(lines[i])) << labels[i];
    }
};

}  // namespace oracle
