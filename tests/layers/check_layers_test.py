#!/usr/bin/python3
"""The layer check on a small tree of its own: it passes on the clean tree and fails on each
kind of upward reach planted into a copy of it."""

import os
import subprocess
import sys
import tempfile
import unittest

CHECKER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "cmake", "check_layers.py")

# A tree shaped like ours: every layer with a CMake file, an include folder and sources; a
# header name (panel.h) that exists both in the engine and in the shell.
CLEAN = {
    "CMakeLists.txt": "add_subdirectory(src)\nadd_subdirectory(kscript)\n",
    "cmake/Options.cmake": "add_library(kavlo_options INTERFACE)\n",
    "src/CMakeLists.txt": "add_library(kavlo_engine STATIC a.cpp)\n"
                          "target_include_directories(kavlo_engine PUBLIC ${PROJECT_SOURCE_DIR}/include\n"
                          "  PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})  # the engine's own folders\n"
                          "target_link_libraries(kavlo_engine PUBLIC kavlo_options)\n",
    "src/nat/limbs.cpp": '#include "BigNumber.h"\n#include "nat/limbs.h"\n#include <vector>\n',
    "src/nat/limbs.h": "#pragma once\n",
    "include/BigNumber.h": "#pragma once\n#include <string>\n",
    "include/panel.h": "#pragma once\n",
    "kscript/CMakeLists.txt": "add_library(kscript STATIC vm.cpp)\n"
                              "target_include_directories(kscript PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/include\n"
                              "  PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})\n"
                              "target_link_libraries(kscript PUBLIC kavlo_engine kavlo_options)\n",
    "kscript/include/kscript.h": "#pragma once\n",
    "kscript/vm/vm.cpp": '#include "kscript.h"\n#include "BigNumber.h"\n#include "vm/vm.h"\n',
    "kscript/vm/vm.h": "#pragma once\n",
    "calculator/CMakeLists.txt": "add_library(kavlo_calculator STATIC c.cpp)\n"
                                 "target_include_directories(kavlo_calculator PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})\n"
                                 "target_link_libraries(kavlo_calculator PUBLIC kscript kavlo_engine dl)\n",
    "calculator/Calculator.h": "#pragma once\n#include \"kscript.h\"\n",
    "calculator/entry/entry.cpp": '#include "Calculator.h"\n#include "panel.h"\n#include "entry/entry.h"\n',
    "calculator/entry/entry.h": "#pragma once\n",
    "shell/CMakeLists.txt": "add_library(kavlo_shell STATIC app/app.cpp)\n"
                            "target_include_directories(kavlo_shell PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/app)\n"
                            "target_link_libraries(kavlo_shell PUBLIC kavlo_calculator webwin comctl32)\n",
    "shell/app/app.cpp": '#include "panel.h"\n#include "webwin.h"\n#include "Calculator.h"\n#include <windows.h>\n',
    "shell/app/panel.h": "#pragma once\n",
    "shell/resource/resource.rc": '#include "resource.h"\n',
    "shell/resource/resource.h": "#pragma once\n",
    "shell/resource/icon.ico": b"\0\0\1\0#include \"Calculator.h\"\n",
    "webwin/CMakeLists.txt": "add_library(webwin_portable STATIC portable/rules.cpp)\n"
                             "target_include_directories(webwin_portable PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})\n"
                             "add_library(webwin STATIC http/request.cpp)\n"
                             "target_include_directories(webwin PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})\n"
                             "target_link_libraries(webwin PUBLIC webwin_portable civetweb::civetweb kavlo_options)\n",
    "webwin/webwin.h": "#pragma once\n",
    "webwin/http/request.h": "#pragma once\n",
    "webwin/http/request.cpp": '#include "http/request.h"\n#include "webwin.h"\n#include "civetweb.h"\n',
    "webwin/portable/rules.cpp": '#include "http/request.h"\n',
    "tests/CMakeLists.txt": "add_executable(all_tests t.cpp)\n"
                            "target_include_directories(all_tests PRIVATE ${PROJECT_SOURCE_DIR}/src)\n"
                            "target_link_libraries(all_tests PRIVATE kavlo_shell webwin_portable)\n",
    "tests/t.cpp": '#include "nat/limbs.h"\n#include "app.h"\n#include "http/request.h"\n',
    "third_party/civetweb/include/civetweb.h": "#pragma once\n",
}

# Each plant: what it adds or replaces, and a text the failure names.
PLANTS = [
    # a header name in two layers: the old check saw "panel.h" below and passed
    ("upward path beside a same-named lower header",
     {"calculator/entry/up.cpp": '#include "../../shell/app/panel.h"\n'}, "shell/app/panel.h"),
    ("upward folder path", {"calculator/entry/up.cpp": '#include "app/panel.h"\n'}, "shell/app/panel.h"),
    ("upward header found only in a higher include folder",
     {"kscript/vm/up.cpp": '#include "Calculator.h"\n'}, "calculator/Calculator.h"),
    # extensions the old check never read
    ("inline file", {"kscript/vm/table.inl": '#include "Calculator.h"\n'}, "kscript/vm/table.inl"),
    ("cc file", {"src/nat/extra.cc": '#  include <Calculator.h>\n'}, "src/nat/extra.cc"),
    ("hh file", {"calculator/entry/view.hh": '#include "panel.h"\n#include "app.cpp"\n'},
     "calculator/entry/view.hh"),
    ("cxx file", {"include/more.cxx": '#include "kscript.h"\n'}, "include/more.cxx"),
    ("file without extension", {"src/nat/table": '#include "entry/entry.h"\n'}, "src/nat/table"),
    # the bridge stands apart
    ("bridge includes an engine header", {"webwin/http/engine.cpp": '#include "BigNumber.h"\n'},
     "include/BigNumber.h"),
    ("bridge includes the shell by path", {"webwin/http/up.cpp": '#include "../../shell/app/panel.h"\n'},
     "shell/app/panel.h"),
    ("shell includes a private bridge header", {"shell/app/bridge.cpp": '#include "http/request.h"\n'},
     "webwin/http/request.h"),
    ("engine includes the bridge's public header", {"src/nat/web.cpp": '#include "webwin.h"\n'},
     "webwin/webwin.h"),
    ("a layer includes a test header", {"calculator/entry/t.cpp": '#include "../../tests/t.cpp"\n'},
     "tests/t.cpp"),
    # the CMake lines
    ("upward link", {"calculator/CMakeLists.txt": CLEAN["calculator/CMakeLists.txt"] +
                     "target_link_libraries(kavlo_calculator PRIVATE kavlo_shell)\n"}, "links kavlo_shell"),
    ("engine links the script language", {"src/CMakeLists.txt": CLEAN["src/CMakeLists.txt"] +
                                          "target_link_libraries(kavlo_engine PRIVATE\n  kscript)\n"},
     "links kscript"),
    ("bridge links ours", {"webwin/CMakeLists.txt": CLEAN["webwin/CMakeLists.txt"] +
                           "target_link_libraries(webwin_portable PUBLIC kavlo_engine)\n"}, "links kavlo_engine"),
    ("shell links the bridge's private library",
     {"shell/CMakeLists.txt": CLEAN["shell/CMakeLists.txt"] +
      "target_link_libraries(kavlo_shell PUBLIC webwin_portable)\n"}, "links webwin_portable"),
    ("upward include folder", {"kscript/CMakeLists.txt": CLEAN["kscript/CMakeLists.txt"] +
                               "target_include_directories(kscript PRIVATE ${PROJECT_SOURCE_DIR}/calculator)\n"},
     "adds the include folder calculator"),
    ("shell adds a private bridge folder",
     {"shell/CMakeLists.txt": CLEAN["shell/CMakeLists.txt"] +
      "target_include_directories(kavlo_shell PRIVATE ../webwin/http)\n"}, "adds the include folder webwin/http"),
    # a top folder nobody placed
    ("unplaced top folder", {"plugins/p.cpp": "int p;\n"}, "belongs to no layer"),
]


def write_tree(root, files):
    for name, text in files.items():
        path = os.path.join(root, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(text if isinstance(text, bytes) else text.encode())


def run_checker(root):
    return subprocess.run([sys.executable, CHECKER, root], capture_output=True, text=True)


class LayerCheckTest(unittest.TestCase):
    def test_clean_tree_passes(self):
        with tempfile.TemporaryDirectory() as root:
            write_tree(root, CLEAN)
            result = run_checker(root)
            self.assertEqual(result.returncode, 0, result.stdout + result.stderr)

    def test_each_planted_violation_fails(self):
        for title, files, named in PLANTS:
            with self.subTest(title), tempfile.TemporaryDirectory() as root:
                write_tree(root, {**CLEAN, **files})
                result = run_checker(root)
                self.assertEqual(result.returncode, 1, result.stdout + result.stderr)
                self.assertIn(named, result.stdout)
                # the plant is the only failure: the check names what is wrong, nothing else
                self.assertEqual(result.stdout.count("\n  "), 1, result.stdout)

    def test_usage_is_refused(self):
        self.assertEqual(run_checker("/nonexistent/tree").returncode, 2)


if __name__ == "__main__":
    unittest.main()
