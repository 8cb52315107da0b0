// The script runner: source runs into the print buffer, file runs with their statuses, the
// walk of the "ext" folder, and the machine the runner leaves behind.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "runner/runner.h"
#include "script_test_support.h"

namespace {

namespace fs = std::filesystem;

class RunnerTest : public ScriptVmTest {
  protected:
    BigNumber engine;
};

TEST_F(RunnerTest, SourceRunsLeaveTheLastPrintedValueInTheBuffer) {
    struct Case {
        const char *source;
        int status;
        const char *buffer;
    };
    const Case cases[] = {
        {"print 1+1;", VM_OK, "2"},
        {"println 5;", VM_OK, "5"}, // no line break in the buffer
        {"print 1, 2;", VM_OK, "2"},
        {"print [1, \"a\\nb\", 2.5d, nil];", VM_OK, "[1, a\\nb, 2.5, nil]"}, // escapes stay as written
        {"var g = 3; print g * g;", VM_OK, "9"},
        {"print g + 1;", VM_OK, "4"}, // globals persist from run to run
    };
    for (const Case &c : cases) {
        EXPECT_EQ(runScriptSource(&engine, c.source), c.status) << c.source;
        EXPECT_STREQ(vm_print_result_text(), c.buffer) << c.source;
    }
    vm_set_error_report(0);
    EXPECT_EQ(runScriptSource(&engine, "print 1+;"), VM_COMPILE_ERROR);
    EXPECT_EQ(runScriptSource(&engine, "print nothing;"), VM_RUNTIME_ERROR);
    vm_print_result_clear();
    EXPECT_STREQ(vm_print_result_text(), "");
}

TEST_F(RunnerTest, ALongPrintedTextIsCutToTheBuffer) {
    std::string text(VM_PRINT_RESULT_LENGTH + 10, 'x');
    EXPECT_EQ(runScriptSource(&engine, ("print \"" + text + "\";").c_str()), VM_OK);
    EXPECT_EQ(std::string(vm_print_result_text()), text.substr(0, VM_PRINT_RESULT_LENGTH - 1));
}

// Printing writes into the buffer's characters; the buffer is no key of the strings table, so
// every key there still matches its stored hash, and interning the printed text finds the
// text's own string, not the buffer.
TEST_F(RunnerTest, PrintingKeepsTheStringsTableTrue) {
    for (const char *source : {"print \"abc\";", "print 12 * 12;", "print [1, 2];"}) {
        ASSERT_EQ(runScriptSource(&engine, source), VM_OK) << source;
        for (int i = 0; i < vm_machine.strings.capacity; ++i) {
            StringObject *key = vm_machine.strings.entries[i].key;
            if (key == nullptr) continue;
            EXPECT_NE(key, vm_print_result);
            EXPECT_EQ(key->hash, string_hash(key->chars, key->length)) << key->chars;
        }
        const char *printed = vm_print_result_text();
        EXPECT_NE(string_copy(printed, static_cast<int>(std::strlen(printed))), vm_print_result);
    }
}

// A temporary working folder for file runs, which look for "ext" in the working folder.
class ScriptFolderTest : public RunnerTest {
  protected:
    void SetUp() override {
        RunnerTest::SetUp();
        previous_ = fs::current_path();
        folder_ = fs::temp_directory_path() /
                  ("kscript_runner_" +
                   std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        fs::current_path(folder_);
    }
    void TearDown() override {
        fs::current_path(previous_);
        fs::remove_all(folder_);
        RunnerTest::TearDown();
    }
    static void write(const fs::path &path, const std::string &text) {
        fs::create_directories(path.parent_path().empty() ? fs::path(".") : path.parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }

  private:
    fs::path previous_;
    fs::path folder_;
};

TEST_F(ScriptFolderTest, FileStatuses) {
    fs::create_directory("ext");
    write("ok.kf", ":mode1;");
    write("compile.kf", "print 1 +;");
    write("runtime.kf", "print missing;");
    std::string err;
    std::string out = capture_stdout([&] {
        err = capture_stderr([&] {
            EXPECT_EQ(runScriptFile(&engine, "ok.kf"), SCRIPT_FILE_OK);
            EXPECT_EQ(runScriptFile(&engine, "compile.kf"), SCRIPT_FILE_COMPILE_ERROR);
            EXPECT_EQ(runScriptFile(&engine, "runtime.kf"), SCRIPT_FILE_RUNTIME_ERROR);
            EXPECT_EQ(runScriptFile(&engine, "absent.kf"), SCRIPT_FILE_UNREADABLE);
            EXPECT_EQ(runScriptFile(&engine, "ext"), SCRIPT_FILE_UNREADABLE);
        });
    });
    EXPECT_EQ(out, "switch into fraction mode.\n");
    EXPECT_EQ(engine.getMode(), 1); // the engine keeps what the script changed
    EXPECT_EQ(err, "[line 1] Error at ';': Expect expression.\n"
                   "Undefined variable 'missing'.\n[line 1] in script\n"
                   "Could not open file \"absent.kf\".\n"
                   "Could not open file \"ext\".\n");
}

// After a file run the machine is ready again, reporting as the caller chose, without the
// globals of the run.
TEST_F(ScriptFolderTest, TheMachineIsReadyAfterAFileRun) {
    fs::create_directory("ext");
    write("main.kf", "var fromFile = 1;");
    vm_set_error_report(0);
    EXPECT_EQ(runScriptSource(&engine, "var before = 1;"), VM_OK);
    EXPECT_EQ(runScriptFile(&engine, "main.kf"), SCRIPT_FILE_OK);
    EXPECT_EQ(vm_error_report_switch, 0);
    EXPECT_EQ(runScriptSource(&engine, "print 2 + 2;"), VM_OK);
    EXPECT_STREQ(vm_print_result_text(), "4");
    std::string err = capture_stderr([&] {
        EXPECT_EQ(runScriptSource(&engine, "print fromFile;"), VM_RUNTIME_ERROR);
        EXPECT_EQ(runScriptSource(&engine, "print before;"), VM_RUNTIME_ERROR);
    });
    EXPECT_EQ(err, "");
}

TEST_F(ScriptFolderTest, TheExtWalkLoadsKfFilesAndKfFolders) {
    write("ext/a.kf", "var fromA = 2;");
    write("ext/b.txt", "var fromB = 1;");
    write("ext/README", "var fromReadme = 1;");
    write("ext/notes.markdown", "var fromNotes = 1;");
    write("ext/lib/c.kf", "var fromLib = 1;");
    write("ext/lib.kf/c.kf", "var fromC = 3;");
    write("ext/lib.kf/d.txt", "var fromD = 1;");
    write("ext/broken.kf", "var = ;");
    // Both globals of the walk reach the main script; the other files were never run.
    write("main.kf", "if (fromA * fromC == 6) print unknown;");
    write("others.kf", "print fromB;");
    std::string err;
    std::string out = capture_stdout([&] {
        err =
            capture_stderr([&] { EXPECT_EQ(runScriptFile(&engine, "main.kf"), SCRIPT_FILE_RUNTIME_ERROR); });
    });
    for (const char *loaded : {"load ext/a.kf\n", "load ext/lib.kf/c.kf\n", "load ext/broken.kf\n"})
        EXPECT_NE(out.find(loaded), std::string::npos) << loaded << out;
    EXPECT_NE(out.find("Error copying string"), std::string::npos) << out;
    for (const char *skipped : {"b.txt", "README", "ext/lib/", "d.txt", "notes"})
        EXPECT_EQ(out.find(skipped), std::string::npos) << skipped;
    // The broken extension script is reported and skipped; the walk went on.
    EXPECT_NE(err.find("[line 1] Error at '=': Expect variable name.\n"), std::string::npos) << err;
    EXPECT_NE(err.find("Undefined variable 'unknown'."), std::string::npos) << err;
    capture_stdout([&] {
        capture_stderr([&] { EXPECT_EQ(runScriptFile(&engine, "others.kf"), SCRIPT_FILE_RUNTIME_ERROR); });
    });
}

TEST_F(ScriptFolderTest, AMissingExtFolderIsCreated) {
    write("main.kf", "var x = 1;");
    EXPECT_EQ(runScriptFile(&engine, "main.kf"), SCRIPT_FILE_OK);
    EXPECT_TRUE(fs::is_directory("ext"));
}

TEST_F(ScriptFolderTest, AnExtThatIsAFileIsReportedAndTheScriptStillRuns) {
    write("ext", "not a folder");
    write("main.kf", ":mode1;");
    std::string err;
    capture_stdout(
        [&] { err = capture_stderr([&] { EXPECT_EQ(runScriptFile(&engine, "main.kf"), SCRIPT_FILE_OK); }); });
    EXPECT_EQ(err.rfind("Cannot open ext (", 0), 0u) << err;
    EXPECT_EQ(engine.getMode(), 1);
}

// A path longer than the walk allows is skipped, never cut to another name.
TEST_F(ScriptFolderTest, OverlongPathsAreSkipped) {
    std::string folder = "ext/" + std::string(120, 'f') + ".kf";
    write(folder + "/" + std::string(150, 'g') + ".kf", "var tooLong = 1;");
    write(folder + "/short.kf", "var fine = 1;");
    std::string err;
    std::string out =
        capture_stdout([&] { err = capture_stderr([&] { EXPECT_EQ(loadScriptDir(&engine, "ext"), 1); }); });
    EXPECT_NE(out.find("/short.kf\n"), std::string::npos) << out;
    EXPECT_EQ(out.find("ggg"), std::string::npos) << out;
    EXPECT_EQ(err.rfind("Cannot open ext/fff", 0), 0u) << err;
}

TEST(FileExtension, TheTextAfterTheLastDot) {
    const std::pair<const char *, const char *> cases[] = {{"a.kf", "kf"}, {"x.tar.gz", "gz"},
                                                           {".kf", "kf"},  {"a.", ""},
                                                           {"README", ""}, {"a.1234567", "1234567"}};
    for (auto &[name, extension] : cases) EXPECT_EQ(fileExtension(name), extension) << name;
    std::string extension;
    EXPECT_EQ(capture_stdout([&] { extension = fileExtension("notes.markdown"); }), "Error copying string");
    EXPECT_EQ(extension, "");
}

} // namespace
