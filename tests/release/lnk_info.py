#!/usr/bin/env python3
"""Prints the target and the working folder of a Windows shortcut (.lnk).

    lnk_info.py <file.lnk>  ->  target=<path>  and  workdir=<path>  lines

Reads the Shell Link binary format: header, optional ID list, optional link
info (local base path), then the counted strings in their fixed order.
"""
import struct
import sys

HAS_ID_LIST, HAS_LINK_INFO, HAS_NAME, HAS_RELATIVE_PATH = 0x1, 0x2, 0x4, 0x8
HAS_WORKING_DIR, HAS_ARGUMENTS, HAS_ICON_LOCATION, IS_UNICODE = 0x10, 0x20, 0x40, 0x80


def c_string(data, offset, unicode):
    if unicode:
        end = offset
        while data[end:end + 2] != b"\0\0":
            end += 2
        return data[offset:end].decode("utf-16-le")
    end = data.index(b"\0", offset)
    return data[offset:end].decode("cp932")


def main(path):
    data = open(path, "rb").read()
    header_size, = struct.unpack_from("<I", data, 0)
    if header_size != 0x4C:
        sys.exit(f"{path}: not a shell link")
    flags, = struct.unpack_from("<I", data, 0x14)
    pos = header_size
    if flags & HAS_ID_LIST:
        size, = struct.unpack_from("<H", data, pos)
        pos += 2 + size
    target = ""
    if flags & HAS_LINK_INFO:
        # LinkInfoSize, LinkInfoHeaderSize, LinkInfoFlags, VolumeIDOffset, LocalBasePathOffset, ...
        info_size, info_header, info_flags = struct.unpack_from("<III", data, pos)
        base_offset, = struct.unpack_from("<I", data, pos + 16)
        if not info_flags & 1:  # no VolumeIDAndLocalBasePath
            pass
        elif info_header >= 0x24:
            unicode_offset, = struct.unpack_from("<I", data, pos + 28)
            target = c_string(data, pos + unicode_offset, True)
        elif base_offset:
            target = c_string(data, pos + base_offset, False)
        pos += info_size
    unicode = bool(flags & IS_UNICODE)
    strings = {}
    for flag, name in ((HAS_NAME, "name"), (HAS_RELATIVE_PATH, "relative"), (HAS_WORKING_DIR, "workdir"),
                       (HAS_ARGUMENTS, "arguments"), (HAS_ICON_LOCATION, "icon")):
        if flags & flag:
            count, = struct.unpack_from("<H", data, pos)
            pos += 2
            size = count * 2 if unicode else count
            raw = data[pos:pos + size]
            strings[name] = (raw.decode("utf-16-le") if unicode else raw.decode("cp932")).rstrip("\0")
            pos += size
    print(f"target={target.rstrip(chr(0))}")
    print(f"workdir={strings.get('workdir', '')}")


if __name__ == "__main__":
    main(sys.argv[1])
