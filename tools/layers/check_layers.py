#!/usr/bin/env python3
"""Fails when a product file includes a header from a folder above its own.

The order of the layers is tools/layers/layers.txt. Every folder of the tree
that holds C++ sources is either a layer, a folder beside the stack, or one of
the folders standing above the product (tests, tools, test doubles). The
layout table of README.md must list the layers in the same order.
"""
import os
import re
import sys

ABOVE_THE_PRODUCT = {"tests", "tools", "scripted", "testdoubles", "toolsupport", "package", "cmake"}
SOURCE_SUFFIXES = (".h", ".cpp")
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)
README_ROW = re.compile(r"^\|\s*`([a-z_]+)/`", re.MULTILINE)


def read_layers(path):
    """Returns (rank per folder, allowed folders per side folder, folders top-down)."""
    rank, beside, order = {}, {}, []
    stacked = []
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.split("#", 1)[0].strip()
            if not line:
                continue
            if ":" in line:
                folder, uses = line.split(":", 1)
                beside[folder.strip()] = set(uses.split())
            else:
                stacked.append(line.split())
    for depth, folders in enumerate(stacked):
        for folder in folders:
            rank[folder] = len(stacked) - depth
            order.append(folder)
    order.extend(beside)
    return rank, beside, order


def may_include(folder, target, rank, beside):
    if folder == target:
        return True
    if folder in beside:
        return target in beside[folder]
    return target in rank and rank[target] < rank[folder]


def top_folder(root, path):
    return os.path.relpath(path, root).split(os.sep, 1)[0]


def resolve(root, source, include):
    for base in (os.path.dirname(source), root):
        candidate = os.path.normpath(os.path.join(base, include))
        if os.path.isfile(candidate):
            return candidate
    return None


def check_includes(root, rank, beside):
    faults = []
    for folder in sorted(os.listdir(root)):
        top = os.path.join(root, folder)
        if not os.path.isdir(top) or folder.startswith(".") or folder.startswith("build"):
            continue
        if folder in ABOVE_THE_PRODUCT:
            continue
        sources = [os.path.join(d, n) for d, _, names in os.walk(top) for n in names
                   if n.endswith(SOURCE_SUFFIXES)]
        if not sources:
            continue
        if folder not in rank and folder not in beside:
            faults.append(f"{folder}/: holds sources but is in no layer of tools/layers/layers.txt")
            continue
        for source in sorted(sources):
            with open(source, encoding="utf-8", errors="replace") as f:
                text = f.read()
            for match in INCLUDE.finditer(text):
                line = text.count("\n", 0, match.start()) + 1
                where = f"{os.path.relpath(source, root)}:{line}"
                target = resolve(root, source, match.group(1))
                if target is None:
                    faults.append(f"{where}: \"{match.group(1)}\" is no file of the tree")
                    continue
                target_folder = top_folder(root, target)
                if not may_include(folder, target_folder, rank, beside):
                    faults.append(f"{where}: {folder}/ includes {os.path.relpath(target, root)}, "
                                  f"which {folder}/ may not use")
    return faults


def check_readme(root, order):
    with open(os.path.join(root, "README.md"), encoding="utf-8") as f:
        readme = f.read()
    start = readme.find("## Layout")
    if start < 0:
        return ["README.md: no \"## Layout\" section"]
    end = readme.find("\n## ", start + 1)
    rows = README_ROW.findall(readme[start:end if end > 0 else len(readme)])
    listed = [folder for folder in rows if folder in order]
    present = [folder for folder in order if os.path.isdir(os.path.join(root, folder))]
    if listed != present:
        return ["README.md: the layout table lists the layers as " + " ".join(listed) +
                "; tools/layers/layers.txt has " + " ".join(present)]
    return []


def main():
    root = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else
                           os.path.join(os.path.dirname(__file__), "..", ".."))
    rank, beside, order = read_layers(os.path.join(root, "tools", "layers", "layers.txt"))
    faults = check_includes(root, rank, beside) + check_readme(root, order)
    for fault in faults:
        print(fault)
    if faults:
        print(f"{len(faults)} layer fault(s)")
        return 1
    print("every include points down the layers")
    return 0


if __name__ == "__main__":
    sys.exit(main())
