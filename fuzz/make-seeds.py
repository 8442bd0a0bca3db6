#!/usr/bin/env python3
"""Writes the harnesses' starting corpora into fuzz/corpus from the project's own
test data and table, and from conversations built by the radio's framing
rules. Run again after the table or the test data change:
    python3 fuzz/make-seeds.py [BUILD]     (BUILD/bin/MXR77C.rcs joins the image seeds)
"""
import os
import re
import shutil
import sys

here = os.path.dirname(os.path.abspath(__file__))
root = os.path.dirname(here)
corpus = os.path.join(here, "corpus")


def put(harness, name, data):
    folder = os.path.join(corpus, harness)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def fresh(harness):
    shutil.rmtree(os.path.join(corpus, harness), ignore_errors=True)


def sj(text):
    return text.encode("cp932")


# ---- image files and CSV files: the test data as they are

def image_seeds(build):
    fresh("ImageFileFuzz")
    with open(os.path.join(root, "tests/data/pattern.rcf"), "rb") as f:
        put("ImageFileFuzz", "pattern.rcf", f.read())
    initial = os.path.join(build, "bin/MXR77C.rcs") if build else None
    if initial and os.path.exists(initial):
        with open(initial, "rb") as f:
            put("ImageFileFuzz", "initial.rcs", f.read())


def csv_seeds():
    fresh("CsvImportFuzz")
    folder = os.path.join(root, "tests/data/csv")
    for name in sorted(os.listdir(folder)):
        with open(os.path.join(folder, name), "rb") as f:
            data = f.read()
        # The first byte chooses the list: even the individual list, odd the group list.
        choice = b"\x01" if name.startswith("group") else b"\x00"
        put("CsvImportFuzz", name, choice + data)


# ---- the radio's side of a conversation

def frame(command, body):
    return bytes([0xFE, 0xFE, 0xEF, 0xEE, command]) + bytes(body) + bytes([0xFD])


def block(address, data):
    raw = [address >> 8 & 0xFF, address & 0xFF, len(data)] + list(data)
    raw.append((0x100 - sum(raw)) & 0xFF)
    return b"".join(b"%02X" % b for b in raw)


def identity():
    info = [42, 1, 0x10] + [0] * 39
    return frame(0xE1, [0x40, 0x01, 0x00, 0x21] + info)


def read_answer(size=64):
    out = b""
    for address in range(0, 0x0B74, size):
        count = min(size, 0x0B74 - address)
        out += frame(0xE4, block(address, [(address + i) * 7 & 0xFF for i in range(count)]))
    return out + frame(0xE5, b"Norv Inc.")


def answer(data, delay=1):
    return bytes([len(data) >> 8 & 0xFF, len(data) & 0xFF, delay]) + data


def clone_seeds():
    fresh("CloneDriverFuzz")
    fresh("FramerFuzz")
    # operation, options, block choice (block size = 1 + choice), then answers
    put("CloneDriverFuzz", "probe", bytes([0, 0x18, 63]) + answer(identity()))
    put("CloneDriverFuzz", "identify", bytes([1, 0x18, 63]) + answer(identity()))
    put("CloneDriverFuzz", "identify-watched", bytes([1, 0x98, 63]) + answer(identity()))
    put("CloneDriverFuzz", "read", bytes([2, 0x18, 63]) + answer(read_answer()))
    put("CloneDriverFuzz", "read-watched", bytes([2, 0x98, 63]) + answer(read_answer()))
    put("CloneDriverFuzz", "read-any", bytes([3, 0x18, 63]) + answer(read_answer(32)))
    ack = answer(b"\xF0")
    accepted = answer(frame(0xE6, [0x00]))
    put("CloneDriverFuzz", "write", bytes([4, 0x18, 63]) + answer(b"") + ack * 48 + accepted)
    put("CloneDriverFuzz", "write-ready", bytes([4, 0x1C, 63]) + answer(b"\xF0") + ack * 48 + accepted)
    put("CloneDriverFuzz", "write-refused", bytes([4, 0x18, 63]) + answer(b"") + answer(b"\xFA"))
    put("FramerFuzz", "identity", identity())
    put("FramerFuzz", "read", read_answer())
    put("FramerFuzz", "noise", b"\x00\x55\x7F" + identity() + b"\xFE" * 3 + b"\xFD")


# ---- texts: the table, sheets, arguments, settings, requests

def table_lines():
    with open(os.path.join(root, "text/BuiltinTable.txt"), encoding="utf-8") as f:
        return f.read().split("\n")


def text_seeds():
    fresh("TextTableFuzz")
    lines = table_lines()
    put("TextTableFuzz", "builtin", sj("\n".join(lines)))
    put("TextTableFuzz", "small", sj("#Start_Of_Ovl\n#GI_Sys_AppTitle\nMX-R77C\n#A\n1\n2\n#End_Of_Ovl"))


def sheets_in(lines, prefix):
    """(name, style, basic cell, cell lines) of each sheet in table lines."""
    found = []
    for i, line in enumerate(lines):
        m = re.match(r"#(%s\w*)_Style$" % prefix, line)
        if not m:
            continue
        name = m.group(1)
        body = {}
        key = None
        for other in lines[i:]:
            if other.startswith("#"):
                if not other.startswith("#" + name + "_"):
                    break
                key = other[len(name) + 2:]
                body[key] = []
            elif key:
                body[key].append(other)
        found.append((name, body.get("Style", [""]), body.get("BasicCell", [""]), body.get("Cells", [])))
    return found


def sheet_seeds():
    fresh("SheetFuzz")
    script = "".join(chr(c) for c in [0, 10, 20, 30, 2, 8, 3, 1, 65, 6, 4, 7, 9, 19, 5, 45, 0])
    sources = [(table_lines(), "GI_Sheet_")]
    for name in sorted(os.listdir(os.path.join(root, "tests/data/sheets"))):
        with open(os.path.join(root, "tests/data/sheets", name), encoding="utf-8") as f:
            sources.append((f.read().split("\n"), "T_"))
    for lines, prefix in sources:
        for name, style, basic, cells in sheets_in(lines, prefix):
            text = "\n".join([script, " ".join(style) or "", basic[0] if basic else ""] + cells)
            put("SheetFuzz", name, text.encode("cp932", errors="replace"))


def small_seeds():
    for h in ("CommandLineFuzz", "SettingsFuzz", "LinkRequestsFuzz", "CellEditFuzz"):
        fresh(h)
    for i, args in enumerate([["/c:7", "file.rcf"], ["/s:n", "/w", "a b.rcf"], ["/C:256", "/reserve", "/p:R77C"],
                              ["x/c:3", "/S:H", "c:\\radios\\x.rcf"]]):
        put("CommandLineFuzz", "args%d" % i, "\0".join(args).encode())
    put("SettingsFuzz", "good", b"")
    put("SettingsFuzz", "text-port", bytes([1, 3, 4]) + b"COM7")
    put("SettingsFuzz", "no-window", bytes([9, 1, 11, 0, 12, 2, 0x7F, 0xFF, 0xFF, 0xFF]))
    # image changes, information block, then requests: category, link (2 bytes), index, kind, text
    requests = bytes([0]) + bytes(42)
    for link in range(0, 357, 7):
        requests += bytes([0, link >> 8, link & 0xFF, 2, 0x80 | 8, 0, 4]) + b"AB12"
        requests += bytes([0, link >> 8, link & 0xFF, 3, 0x80 | 2])
    put("LinkRequestsFuzz", "walk", requests)
    edits = ["CL_DigCall_SelfName=ABC", "CT_IndvList.CL_IndvList_Name[3]=\u30c6\u30b9\u30c8",
             "CL_IndvList_MakerId[0]=300", "CL_DigCall_TxMyName=ON", "CL_DigCall_TxMyName+",
             "CT_GrpList.CL_GrpList_Name[62]-", "CL_DigCall_TxMyName@1"]
    put("CellEditFuzz", "edits", "\0".join(edits).encode())
    fresh("FleetRadiosFuzz")
    radios = ("CL_DigCall_SelfName,CL_DigCall_TxMyName,CL_IndvList_Name[3],CT_GrpList.CL_GrpList_Name[0]\r\n"
              "\u8eca\u4e21\uff11,ON,A,B\r\n,OFF,,C\r\n")
    put("FleetRadiosFuzz", "cp932.csv", sj(radios))
    put("FleetRadiosFuzz", "utf8-bom.csv", b"\xef\xbb\xbf" + radios.encode())


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "build")
    image_seeds(build)
    csv_seeds()
    clone_seeds()
    text_seeds()
    sheet_seeds()
    small_seeds()


if __name__ == "__main__":
    main()
