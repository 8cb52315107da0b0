#!/usr/bin/python3
"""Fails when a layer reaches above itself.

The layers, lowest first: engine (src/, include/) -> script language (kscript/) ->
calculator/ -> shell/. The browser bridge (webwin/) stands apart: it uses nothing of ours,
and the shell uses only its public header and its public library.

Every include of every file in a layer folder is resolved as the compiler would find it:
a quoted include first beside the including file, then in the include folders the CMake
files declare for the layers the file may see. An include those folders cannot satisfy but
another folder of the tree can (a higher layer's include folder, a top folder, the tree
itself) only builds because something leaks a higher folder in: it fails too. So a header
name that exists in two layers cannot hide an upward include, and a path that walks out of
its layer ("../") is judged by where it lands. Every file is scanned whatever its extension
(binary files aside), and every top folder with sources must belong to a layer or be named
as standing outside them. The CMake link and include-folder lines are checked the same way.

Run as: check_layers.py <tree>
"""

import os
import re
import sys

LAYERS = [["src", "include"], ["kscript"], ["calculator"], ["shell"]]
APART = "webwin"
APART_PUBLIC_HEADER = "webwin/webwin.h"
APART_PUBLIC_TARGET = "webwin"
# Folders that are no layer: they may use every layer (tests, benchmarks) or hold no code of
# the product (build support, third-party sources, build output).
OUTSIDE = {"tests", "bench", "cmake", "scripts", "third_party", "build"}

INCLUDE_LINE = re.compile(r'^\s*#\s*include(?:_next)?\s*([<"])([^>"]+)[>"]')
CMAKE_COMMAND = re.compile(r'\b(add_library|add_executable|target_link_libraries|target_include_directories)\s*\(',
                           re.IGNORECASE)
CMAKE_KEYWORDS = {"PUBLIC", "PRIVATE", "INTERFACE", "SYSTEM", "BEFORE", "AFTER", "STATIC", "SHARED",
                  "MODULE", "OBJECT", "ALIAS", "IMPORTED", "GLOBAL", "EXCLUDE_FROM_ALL", "WIN32",
                  "MACOSX_BUNDLE", "LINK_PUBLIC", "LINK_PRIVATE", "LINK_INTERFACE_LIBRARIES", "UNKNOWN"}
OUTSIDE_LAYER = -1   # a place that is no layer (tests, third-party sources, ...)
APART_LAYER = -2     # the browser bridge
LEAVES_TREE = -3     # a place outside the tree


def skipped_folder(name):
    return name.startswith(".") or name.startswith("build")


class Tree:
    def __init__(self, root):
        self.root = os.path.realpath(root)
        self.layer_of_top = {}
        for i, folders in enumerate(LAYERS):
            for folder in folders:
                self.layer_of_top[folder] = i
        self.layer_of_top[APART] = APART_LAYER
        self.failures = []
        self.roots = []        # (include folder, layer of the folder)
        self.targets = {}      # target name -> layer of the CMake file that defines it
        self.links = []        # (CMake file, target, linked items)
        self.include_dirs = []  # (CMake file, target, folders)

    # -- places ------------------------------------------------------------------------
    def layer(self, path):
        """The layer a path of the tree lies in."""
        rel = os.path.relpath(os.path.realpath(path), self.root)
        if rel == ".." or rel.startswith(".." + os.sep):
            return LEAVES_TREE
        top = rel.split(os.sep)[0]
        return self.layer_of_top.get(top, OUTSIDE_LAYER)

    def rel(self, path):
        return os.path.relpath(path, self.root)

    def layer_name(self, layer):
        if layer >= 0:
            return "/".join(LAYERS[layer])
        return {APART_LAYER: APART, OUTSIDE_LAYER: "no layer", LEAVES_TREE: "outside the tree"}[layer]

    # -- the CMake files -----------------------------------------------------------------
    def cmake_files(self):
        for dirpath, dirnames, filenames in os.walk(self.root):
            dirnames[:] = sorted(d for d in dirnames
                                 if not skipped_folder(d) and not (dirpath == self.root and d == "third_party"))
            for f in sorted(filenames):
                if f == "CMakeLists.txt" or f.endswith(".cmake"):
                    yield os.path.join(dirpath, f)

    @staticmethod
    def commands(text):
        """(name, argument words) of the commands this checker reads, comments removed."""
        text = re.sub(r'#[^\n]*', '', text)
        for m in CMAKE_COMMAND.finditer(text):
            depth, at = 1, m.end()
            while at < len(text) and depth > 0:
                depth += {"(": 1, ")": -1}.get(text[at], 0)
                at += 1
            words = re.findall(r'"[^"]*"|[^\s"]+', text[m.end():at - 1])
            yield m.group(1).lower(), [w.strip('"') for w in words]

    def folder_word(self, word, here):
        """The folder a word of target_include_directories names, or None when unknown."""
        for var in ("PROJECT_SOURCE_DIR", "CMAKE_SOURCE_DIR"):
            word = word.replace("${%s}" % var, self.root)
        for var in ("CMAKE_CURRENT_SOURCE_DIR", "CMAKE_CURRENT_LIST_DIR"):
            word = word.replace("${%s}" % var, here)
        if "$" in word or word in CMAKE_KEYWORDS:
            return None
        return os.path.normpath(os.path.join(here, word))

    def read_cmake(self):
        for path in self.cmake_files():
            here = os.path.dirname(path)
            with open(path, encoding="utf-8", errors="replace") as f:
                text = f.read()
            for name, words in self.commands(text):
                if not words:
                    continue
                if name in ("add_library", "add_executable"):
                    layer = self.layer(here)
                    if "ALIAS" in words[1:] and words.index("ALIAS") + 1 < len(words):
                        layer = self.targets.get(words[words.index("ALIAS") + 1], layer)
                    self.targets[words[0]] = layer
                elif name == "target_link_libraries":
                    self.links.append((path, words[0], [w for w in words[1:] if w not in CMAKE_KEYWORDS]))
                else:
                    folders = [self.folder_word(w, here) for w in words[1:]]
                    folders = [d for d in folders if d is not None]
                    self.include_dirs.append((path, words[0], folders))
                    for d in folders:
                        self.roots.append((d, self.layer(d)))

    def target_layer(self, target, cmake_file):
        return self.targets.get(target, self.layer(os.path.dirname(cmake_file)))

    def check_cmake(self):
        for path, target, items in self.links:
            here = self.target_layer(target, path)
            for item in items:
                if item not in self.targets:
                    continue  # a system or third-party library
                there = self.targets[item]
                if not self.may_link(here, there, item):
                    self.fail(path, "%s (%s) links %s (%s)" % (target, self.layer_name(here), item,
                                                                self.layer_name(there)))
        for path, target, folders in self.include_dirs:
            here = self.target_layer(target, path)
            for d in folders:
                if not self.may_see_folder(here, d):
                    self.fail(path, "%s (%s) adds the include folder %s (%s)" % (
                        target, self.layer_name(here), self.rel(d), self.layer_name(self.layer(d))))

    @staticmethod
    def may_link(here, there, item):
        if here == OUTSIDE_LAYER or there == OUTSIDE_LAYER:
            return True
        if here == APART_LAYER:
            return there == APART_LAYER
        if there == APART_LAYER:
            return here == len(LAYERS) - 1 and item == APART_PUBLIC_TARGET
        return there <= here

    def may_see_folder(self, here, folder):
        there = self.layer(folder)
        if here == OUTSIDE_LAYER or there == OUTSIDE_LAYER:
            return True
        if there == LEAVES_TREE:
            return False
        if here == APART_LAYER:
            return there == APART_LAYER
        if there == APART_LAYER:
            return here == len(LAYERS) - 1 and os.path.realpath(folder) == os.path.realpath(
                os.path.join(self.root, os.path.dirname(APART_PUBLIC_HEADER)))
        return there <= here

    # -- the includes --------------------------------------------------------------------
    def visible_roots(self, here):
        """The include folders a file of the layer may be compiled with, its own layer first."""
        def rank(layer):
            if here == APART_LAYER:
                return 0 if layer == APART_LAYER else None
            if layer == APART_LAYER:
                return len(LAYERS) if here == len(LAYERS) - 1 else None
            if layer < 0 or layer > here:
                return None
            return here - layer
        ranked = [(rank(layer), folder) for folder, layer in self.roots if rank(layer) is not None]
        return [folder for _, folder in sorted(ranked, key=lambda r: r[0])]

    def fallback_roots(self):
        """Every other folder an include could be found in if the build let it."""
        tops = [os.path.join(self.root, d) for d in sorted(os.listdir(self.root))
                if os.path.isdir(os.path.join(self.root, d)) and not skipped_folder(d) and d != "third_party"]
        return [folder for folder, _ in self.roots] + tops + [self.root]

    @staticmethod
    def find(folders, path):
        for folder in folders:
            candidate = os.path.normpath(os.path.join(folder, path))
            if os.path.isfile(candidate):
                return candidate
        return None

    def may_include(self, here, target):
        there = self.layer(target)
        if there == LEAVES_TREE:
            return False
        if here == APART_LAYER:
            return there in (APART_LAYER, OUTSIDE_LAYER) and not self.in_product_outside(target)
        if there == APART_LAYER:
            return here == len(LAYERS) - 1 and os.path.realpath(target) == os.path.realpath(
                os.path.join(self.root, APART_PUBLIC_HEADER))
        if there == OUTSIDE_LAYER:
            return not self.in_product_outside(target)
        return there <= here

    def in_product_outside(self, target):
        """Tests and benchmarks are no layer, but no layer may include them either."""
        top = self.rel(target).split(os.sep)[0]
        return top in ("tests", "bench")

    def source_files(self, top):
        for dirpath, dirnames, filenames in os.walk(os.path.join(self.root, top)):
            dirnames[:] = sorted(d for d in dirnames if not skipped_folder(d))
            for f in sorted(filenames):
                yield os.path.join(dirpath, f)

    @staticmethod
    def include_lines(path):
        with open(path, "rb") as f:
            data = f.read()
        if b"\0" in data:
            return []  # a binary file (an icon, an image) includes nothing
        lines = data.decode("utf-8", errors="replace").splitlines()
        return [(n + 1, line, m.group(1), m.group(2).strip())
                for n, line in enumerate(lines) for m in [INCLUDE_LINE.match(line)] if m]

    def check_includes(self):
        visible = {}
        fallback = self.fallback_roots()
        for top in sorted(self.layer_of_top):
            if not os.path.isdir(os.path.join(self.root, top)):
                continue
            here = self.layer_of_top[top]
            if here not in visible:
                visible[here] = self.visible_roots(here)
            for path in self.source_files(top):
                for number, line, kind, name in self.include_lines(path):
                    beside = [os.path.dirname(path)] if kind == '"' else []
                    target = self.find(beside + visible[here], name)
                    if target is None:
                        target = self.find(fallback, name)
                    if target is None:
                        continue  # a system or third-party header
                    if not self.may_include(here, target):
                        self.fail(path, "%s (%s) includes %s (%s)" % (
                            line.strip(), self.layer_name(here), self.rel(target),
                            self.layer_name(self.layer(target))), number)

    def check_top_folders(self):
        for d in sorted(os.listdir(self.root)):
            full = os.path.join(self.root, d)
            if not os.path.isdir(full) or skipped_folder(d) or d in OUTSIDE or d in self.layer_of_top:
                continue
            if any(self.include_lines(p) or p.endswith((".c", ".cc", ".cpp", ".cxx", ".h", ".hh", ".hpp"))
                   for p in self.source_files(d)):
                self.fail(full, "the folder %s holds sources but belongs to no layer" % d)

    def fail(self, path, what, line=None):
        where = self.rel(path) + ("" if line is None else ":%d" % line)
        self.failures.append("%s: %s" % (where, what))

    def check(self):
        self.read_cmake()
        self.check_top_folders()
        self.check_cmake()
        self.check_includes()
        return self.failures


def main(argv):
    if len(argv) != 2 or not os.path.isdir(argv[1]):
        print("usage: check_layers.py <tree>", file=sys.stderr)
        return 2
    failures = Tree(argv[1]).check()
    if failures:
        print("A layer reaches above itself:\n  " + "\n  ".join(failures))
        return 1
    print("layers: every include and link looks down")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
