// The Collatz routines append to their result files; each test writes into a folder of
// its own under the system's temporary folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "number_routines.h"

namespace fs = std::filesystem;

namespace {

class Collatz : public testing::Test {
protected:
    void SetUp() override {
        std::random_device seed;
        folder = fs::temp_directory_path() / ("kavlo-collatz-" + std::to_string(seed()));
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    // The file's text with CRLF line ends read as LF.
    std::string file(const char *name) const {
        std::ifstream in(folder / name, std::ios::binary);
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::string plain;
        for (size_t i = 0; i < text.size(); i++)
            if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) plain += text[i];
        return plain;
    }

    fs::path folder;
};

const std::string kLong = "-----------------------------\n";
const std::string kShort = "---------------\n";

}  // namespace

TEST_F(Collatz, MapShowsAndAppendsTheSequence) {
    std::stringstream out;
    out << "out> stale text";
    EXPECT_EQ(collatz_map("6", out, folder), 8);
    std::string block = kLong + "Collatz(6)\n6-->3-->10-->5-->16-->8-->4-->2-->1\n\ncount: 8\n" + kShort;
    EXPECT_EQ(out.str(), block);  // the stream was emptied first
    EXPECT_EQ(file("CollatzMap.txt"), block);
    EXPECT_EQ(collatz_map("6", out, folder), 8);
    EXPECT_EQ(file("CollatzMap.txt"), block + block);

    EXPECT_EQ(collatz_map("1", out, folder), 0);
    EXPECT_EQ(out.str(), kLong + "Collatz(1)\n1\n\ncount: 0\n" + kShort);
    EXPECT_EQ(collatz_map("27", out, folder), 111);
    EXPECT_EQ(collatz_map("+0027", out, folder), 111);
    EXPECT_EQ(out.str().substr(0, kLong.size() + 17), kLong + "Collatz(27)\n27-->");
    // a long start value: 2^100 halves a hundred times
    EXPECT_EQ(collatz_map("1267650600228229401496703205376", out, folder), 100);
}

TEST_F(Collatz, StartValuesThatNeverReachOneAreRefused) {
    for (const char *n : {"0", "-3", "2.5", "abc", "", "-0", "1/2"}) {
        std::stringstream out;
        EXPECT_EQ(collatz_map(n, out, folder), -1) << n;
        EXPECT_EQ(out.str(), "Error: the start value of a Collatz sequence should be a positive integer.\n") << n;
        std::ostringstream screen;
        EXPECT_EQ(collatz_orbit_to_file(n, screen, folder), -1) << n;
        EXPECT_EQ(print_3x1_maps(n, "5", screen, folder), -1) << n;
    }
    std::stringstream out;
    EXPECT_EQ(collatz_map(std::string(1001, '9'), out, folder), -1);
    EXPECT_EQ(out.str(), "Error: the start value of a Collatz sequence has at most 1000 digits.\n");
    EXPECT_FALSE(fs::exists(folder / "CollatzMap.txt"));
    EXPECT_FALSE(fs::exists(folder / "CollatzMaps.txt"));
}

TEST_F(Collatz, MapsOfARange) {
    std::ostringstream screen;
    EXPECT_EQ(collatz_orbit_to_file("6", screen, folder), 8);
    EXPECT_EQ(screen.str(), "6-->3-->10-->5-->16-->8-->4-->2-->1\n\n");
    std::string six = kLong + "6-->3-->10-->5-->16-->8-->4-->2-->1\n\n" + kShort + "count: 8\n";
    EXPECT_EQ(file("CollatzMaps.txt"), six);

    screen.str("");
    EXPECT_EQ(print_3x1_maps("3", "2", screen, folder), -1);
    EXPECT_EQ(screen.str(), "2 is less than 3\n");
    EXPECT_EQ(file("CollatzMaps.txt"), six);  // untouched

    EXPECT_EQ(print_3x1_maps("5", "5", screen, folder), 1);
    EXPECT_EQ(print_3x1_maps("1", "10", screen, folder), 10);
    EXPECT_EQ(print_3x1_maps("8", "010", screen, folder), 3);  // bounds by value
    std::string text = file("CollatzMaps.txt");
    size_t blocks = 0;
    for (size_t at = text.find(kLong); at != std::string::npos; at = text.find(kLong, at + 1)) blocks++;
    EXPECT_EQ(blocks, 1u + 1u + 10u + 3u);
    EXPECT_NE(text.find(kLong + "1\n\n" + kShort + "count: 0\n"), std::string::npos);

    screen.str("");
    EXPECT_EQ(print_3x1_maps("1", "100000000000", screen, folder), -1);
    EXPECT_EQ(screen.str(), "Error: at most 1000000 start values at once.\n");
}
