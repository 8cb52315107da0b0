// Shared helpers of the script-language tests: a fresh machine per test and captured output.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "BigNumber.h"
#include "compiler/compiler.h"
#include "disassembler.h"
#include "memory.h"
#include "object.h"
#include "vm/vm.h"

class ScriptVmTest : public ::testing::Test {
  protected:
    void SetUp() override { vm_init(); }
    void TearDown() override {
        gc_set_stress(false);
        vm_free();
    }
};

inline std::string capture_stdout(const std::function<void()> &body) {
    ::testing::internal::CaptureStdout();
    body();
    std::fflush(stdout);
    return ::testing::internal::GetCapturedStdout();
}

inline std::string capture_stderr(const std::function<void()> &body) {
    ::testing::internal::CaptureStderr();
    body();
    std::fflush(stderr);
    return ::testing::internal::GetCapturedStderr();
}

// What a FILE stream receives, read back from a scratch file.
inline std::string capture_stream(const std::function<void(FILE *)> &body) {
    auto path = std::filesystem::temp_directory_path() /
                ("kscript_stream_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".txt");
    FILE *file = std::fopen(path.string().c_str(), "wb");
    EXPECT_NE(file, nullptr);
    if (file == nullptr) return {};
    body(file);
    std::fclose(file);
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    in.close();
    std::filesystem::remove(path);
    return text.str();
}

// The listing of a compiled script: its own chunk, then every function it defines, depth first.
inline void disassemble_function_tree(FunctionObject *function) {
    disassemble_chunk(&function->chunk, function->name == nullptr ? "<script>" : function->name->chars);
    for (int i = 0; i < function->chunk.constants.count; ++i) {
        ScriptValue constant = function->chunk.constants.values[i];
        if (is_object_kind(constant, OBJ_FUNCTION)) disassemble_function_tree(value_as_function(constant));
    }
}

inline std::string compile_listing(const char *source) {
    return capture_stdout([&] {
        FunctionObject *function = compiler_compile(source);
        if (function == nullptr) {
            std::printf("compile failed\n");
            return;
        }
        disassemble_function_tree(function);
    });
}

// The compile errors written with reporting on ("" when the script compiles).
inline std::string compile_errors(const char *source) {
    vm_set_error_report(1);
    FunctionObject *function = nullptr;
    std::string errors = capture_stderr([&] { function = compiler_compile(source); });
    EXPECT_EQ(function == nullptr, !errors.empty()) << source;
    return errors;
}

// What a run with an output stream left: its status, what it printed, its error reports.
struct ScriptOutcome {
    int status;
    std::string out;
    std::string err;
};

inline bool operator==(const ScriptOutcome &a, const ScriptOutcome &b) {
    return a.status == b.status && a.out == b.out && a.err == b.err;
}

inline std::ostream &operator<<(std::ostream &os, const ScriptOutcome &o) {
    return os << "{status " << o.status << ", out \"" << o.out << "\", err \"" << o.err << "\"}";
}

// A fresh machine and engine per test; scripts run with a stream, error reports on.
class ScriptRunTest : public ScriptVmTest {
  protected:
    ScriptOutcome run(const std::string &source) {
        ScriptOutcome outcome{-1, {}, {}};
        outcome.err = capture_stderr([&] {
            outcome.out = capture_stream(
                [&](FILE *stream) { outcome.status = vm_interpret_stream(&engine, source.c_str(), stream); });
        });
        return outcome;
    }
    // The printed text of a run that must succeed.
    std::string output(const std::string &source) {
        ScriptOutcome outcome = run(source);
        EXPECT_EQ(outcome.status, VM_OK) << source << "\n" << outcome.err;
        return outcome.out;
    }

    BigNumber engine;
};

// A typed script and exactly what the run prints.
struct Transcript {
    const char *source;
    const char *printed;
};
