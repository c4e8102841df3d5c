#!/usr/bin/env python3
"""Adds a context map and startup macros to a WinHelp file made by halibut.

halibut writes an empty |CTXOMAP, so a program's HELP_CONTEXT calls find no
topic. This tool maps numeric context ids to topics (named by the end of
their titles), appends startup macros to |SYSTEM and writes the help file
again with a fresh one-page directory.

    winhelp_context.py IN.hlp OUT.hlp --map 0x20002="Getting started"
                       [--macro "SetHelpOnFile(`plotra.hlp')"]

The functions are also used by the tests that check the built file.
"""
import argparse
import struct
import sys

HELP_MAGIC = 0x00035F3F
BTREE_MAGIC = 0x293B
BTREE_HEADER = struct.Struct('<HHH16sHHHhHHI')   # 38 bytes
FILE_HEADER = struct.Struct('<IIB')              # reserved, used, flags
DIR_PAGE_SIZE = 1024
SYSTEM_MACRO = 4


class HelpFormatError(Exception):
    pass


def read_btree_leaves(data):
    """Yields (page bytes, entry count) of every leaf page of a B+ tree, in order."""
    (magic, _flags, page_size, _structure, _zero, _splits, root, _neg,
     _pages, levels, _entries) = BTREE_HEADER.unpack_from(data, 0)
    if magic != BTREE_MAGIC:
        raise HelpFormatError('not a B+ tree')
    pages = BTREE_HEADER.size
    page = root
    for _ in range(levels - 1):   # the leftmost child of each index page
        page = struct.unpack_from('<H', data, pages + page * page_size + 4)[0]
    while page != 0xFFFF:
        start = pages + page * page_size
        count = struct.unpack_from('<H', data, start + 2)[0]
        yield data[start + 8:start + page_size], count
        page = struct.unpack_from('<H', data, start + 6)[0]


def c_string(data, pos):
    end = data.index(b'\0', pos)
    return data[pos:end], end + 1


def read_internal_files(blob):
    """Returns the internal files as a list of (name, contents, flags), in directory order."""
    magic, dir_start = struct.unpack_from('<Ii', blob, 0)
    if magic != HELP_MAGIC:
        raise HelpFormatError('not a WinHelp file')
    _reserved, used, _flags = FILE_HEADER.unpack_from(blob, dir_start)
    directory = blob[dir_start + FILE_HEADER.size:dir_start + FILE_HEADER.size + used]
    files = []
    for page, count in read_btree_leaves(directory):
        pos = 0
        for _ in range(count):
            name, pos = c_string(page, pos)
            offset = struct.unpack_from('<I', page, pos)[0]
            pos += 4
            _reserved, size, flags = FILE_HEADER.unpack_from(blob, offset)
            body = blob[offset + FILE_HEADER.size:offset + FILE_HEADER.size + size]
            if len(body) != size:
                raise HelpFormatError('internal file %s is cut short' % name.decode())
            files.append((name.decode('latin-1'), body, flags))
    return files


def topic_titles(ttlbtree):
    """Maps topic offset to title, from |TTLBTREE."""
    titles = {}
    for page, count in read_btree_leaves(ttlbtree):
        pos = 0
        for _ in range(count):
            offset = struct.unpack_from('<I', page, pos)[0]
            title, pos = c_string(page, pos + 4)
            titles[offset] = title.decode('latin-1')
    return titles


def context_offsets(context):
    """Maps context hash to topic offset, from |CONTEXT."""
    offsets = {}
    for page, count in read_btree_leaves(context):
        for i in range(count):
            value, offset = struct.unpack_from('<iI', page, i * 8)
            offsets[value] = offset
    return offsets


def context_hash(name):
    """The help engine's hash of a topic's context string (signed 32 bits)."""
    value = 0
    for ch in name:
        if 'A' <= ch.upper() <= 'Z':
            code = ord(ch.upper()) - ord('A') + 17
        elif '1' <= ch <= '9':
            code = ord(ch) - ord('0')
        else:
            code = {'0': 10, '.': 12, '_': 13}.get(ch, 0)
        if code:
            value = (value * 43 + code) & 0xFFFFFFFF
    return value - (1 << 32) if value & 0x80000000 else value


def context_map(body):
    """The (id, topic offset) pairs of |CTXOMAP."""
    count = struct.unpack_from('<H', body, 0)[0]
    return [struct.unpack_from('<iI', body, 2 + 8 * i) for i in range(count)]


def system_macros(body):
    """The startup macros of |SYSTEM (records of type 4)."""
    macros = []
    pos = 12
    while pos + 4 <= len(body):
        kind, size = struct.unpack_from('<HH', body, pos)
        if kind == SYSTEM_MACRO:
            macros.append(body[pos + 4:pos + 4 + size].rstrip(b'\0').decode('latin-1'))
        pos += 4 + size
    return macros


def find_topic(titles, wanted):
    matches = [offset for offset, title in titles.items() if title.endswith(wanted)]
    if len(matches) != 1:
        raise HelpFormatError('%d topics end in "%s"' % (len(matches), wanted))
    return matches[0]


def build_context_map(entries):
    body = struct.pack('<H', len(entries))
    for map_id, offset in sorted(entries):
        body += struct.pack('<iI', map_id, offset)
    return body


def add_macros(system, macros):
    for macro in macros:
        text = macro.encode('latin-1') + b'\0'
        system += struct.pack('<HH', SYSTEM_MACRO, len(text)) + text
    return system


def directory_file(entries):
    """A one-leaf directory B+ tree over (name, offset) pairs, sorted as the engine searches."""
    leaf = b''.join(name.encode('latin-1') + b'\0' + struct.pack('<I', offset)
                    for name, offset in sorted(entries, key=lambda e: e[0].encode('latin-1')))
    if len(leaf) + 8 > DIR_PAGE_SIZE:
        raise HelpFormatError('too many internal files for one directory page')
    unused = DIR_PAGE_SIZE - 8 - len(leaf)
    page = struct.pack('<HHhh', unused, len(entries), -1, -1) + leaf + b'\0' * unused
    header = BTREE_HEADER.pack(BTREE_MAGIC, 0x0402, DIR_PAGE_SIZE, b'z4', 0, 0, 0, -1, 1, 1, len(entries))
    return header + page


def write_help_file(files):
    out = bytearray(16)
    entries = []
    for name, body, flags in files:
        entries.append((name, len(out)))
        out += FILE_HEADER.pack(len(body) + FILE_HEADER.size, len(body), flags) + body
    directory = directory_file(entries)
    dir_start = len(out)
    out += FILE_HEADER.pack(len(directory) + FILE_HEADER.size, len(directory), 4) + directory
    struct.pack_into('<IiiI', out, 0, HELP_MAGIC, dir_start, -1, len(out))
    return bytes(out)


def patch(blob, mapping, macros):
    files = read_internal_files(blob)
    names = [name for name, _, _ in files]
    for needed in ('|TTLBTREE', '|SYSTEM'):
        if needed not in names:
            raise HelpFormatError('no %s in the help file' % needed)
    titles = topic_titles(files[names.index('|TTLBTREE')][1])
    entries = [(map_id, find_topic(titles, title)) for map_id, title in mapping]
    patched = []
    for name, body, flags in files:
        if name == '|SYSTEM':
            body = add_macros(body, macros)
        elif name == '|CTXOMAP':
            body = build_context_map(entries)
        patched.append((name, body, flags))
    if '|CTXOMAP' not in names:
        patched.append(('|CTXOMAP', build_context_map(entries), 0))
    return write_help_file(patched)


def parse_mapping(text):
    key, sep, title = text.partition('=')
    if not sep or not title:
        raise argparse.ArgumentTypeError('expected ID="topic title"')
    return int(key, 0), title


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument('input')
    parser.add_argument('output')
    parser.add_argument('--map', type=parse_mapping, action='append', default=[])
    parser.add_argument('--macro', action='append', default=[])
    args = parser.parse_args(argv)
    with open(args.input, 'rb') as f:
        blob = f.read()
    try:
        result = patch(blob, args.map, args.macro)
    except (HelpFormatError, struct.error, ValueError) as error:
        print('%s: %s' % (args.input, error), file=sys.stderr)
        return 1
    with open(args.output, 'wb') as f:
        f.write(result)
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
