"""Reads a 32-bit PE image (or its debug file) through objdump, for check-dll, symbolize and
check-symbols: headers, exports, imports, sections and the .gnu_debuglink section."""
import os
import re
import subprocess

OBJDUMP = os.environ.get("OBJDUMP", "i686-w64-mingw32-objdump")


def objdump(*args):
    result = subprocess.run([OBJDUMP, *args], capture_output=True, text=True)
    if result.returncode != 0:
        raise RuntimeError(f"{OBJDUMP} {' '.join(args)} failed: {result.stderr.strip()}")
    return result.stdout


def private_headers(path):
    return objdump("-p", path)


def image_base(headers):
    return int(re.search(r"^ImageBase\s+([0-9a-fA-F]+)", headers, re.M).group(1), 16)


def parse_exports(headers):
    """Returns (directory name, ordinal base, {name: ordinal}, {ordinal: rva})."""
    match = re.search(r"^Name\s+[0-9a-fA-F]+\s+(\S+)", headers, re.M)
    name = match.group(1) if match else None
    base_match = re.search(r"^Ordinal Base\s+(\d+)", headers, re.M)
    base = int(base_match.group(1)) if base_match else 1
    rvas = {}
    table = headers.split("Export Address Table --", 1)
    if len(table) == 2:
        for line in table[1].splitlines():
            found = re.match(r"\s+\[\s*\d+\]\s+\+base\[\s*(\d+)\]\s+([0-9a-fA-F]+)\s+Export RVA", line)
            if found:
                rvas[int(found.group(1))] = int(found.group(2), 16)
            elif rvas and line.strip().startswith("["):
                break
    names = {}
    pointer_table = headers.split("[Ordinal/Name Pointer] Table", 1)
    if len(pointer_table) == 2:
        for line in pointer_table[1].splitlines()[1:]:
            # "[   0] name" (index from the ordinal base) or "[   0] +base[   1] name"
            found = re.match(r"\s+\[\s*(\d+)\](?:\s+\+base\[\s*(\d+)\])?\s+(\S+)$", line)
            if not found:
                break
            ordinal = int(found.group(2)) if found.group(2) else int(found.group(1)) + base
            names[found.group(3)] = ordinal
    return name, base, names, rvas


def export_rva(headers, export):
    """The address of an export relative to the image base, or None."""
    _, _, names, rvas = parse_exports(headers)
    return rvas.get(names.get(export))


def parse_imports(headers):
    """{DLL name in lower case: [imported function names]}; ordinal imports as '#N'."""
    imports = {}
    table = headers.split("The Import Tables", 1)
    if len(table) != 2:
        return imports
    dll = None
    for line in table[1].split("The Export Tables", 1)[0].splitlines():
        named = re.match(r"\s*DLL Name:\s*(\S+)", line)
        if named:
            dll = named.group(1).lower()
            imports.setdefault(dll, [])
            continue
        # "\t<vma>\t  <hint>  <name>" by name, "\t<vma>\t <ordinal>  <none> <none>" by ordinal
        member = re.match(r"\t[0-9a-fA-F]+\t\s*(\d+)\s+(\S+)", line)
        if member and dll is not None:
            by_name = member.group(2) != "<none>"
            imports[dll].append(member.group(2) if by_name else f"#{member.group(1)}")
    return imports


def sections(path):
    """{section name: (address relative to the image base, size)}."""
    headers = objdump("-h", path)
    base = image_base(private_headers(path))
    found = {}
    for line in headers.splitlines():
        row = re.match(r"^\s*\d+\s+(\S+)\s+([0-9a-f]+)\s+([0-9a-f]+)\s", line)
        if row:
            found[row.group(1)] = (int(row.group(3), 16) - base, int(row.group(2), 16))
    return found


def section_bytes(path, section):
    """(first address, bytes) of a section from objdump -s."""
    dump = objdump("-s", "-j", section, path)
    start = None
    data = bytearray()
    for line in dump.splitlines():
        found = re.match(r"^\s([0-9a-f]+)\s((?:[0-9a-f]{2,8}\s){1,4})", line)
        if not found:
            continue
        address = int(found.group(1), 16)
        if start is None:
            start = address
        chunk = bytes.fromhex("".join(found.group(2).split()))
        data[address - start:address - start + len(chunk)] = chunk
    return start, bytes(data)


def debuglink(path):
    """(file name, CRC-32) that the image's .gnu_debuglink section names, or None."""
    if ".gnu_debuglink" not in sections(path):
        return None
    _, data = section_bytes(path, ".gnu_debuglink")
    name = data.split(b"\0", 1)[0].decode()
    crc_at = (len(name) + 1 + 3) & ~3
    return name, int.from_bytes(data[crc_at:crc_at + 4], "little")
