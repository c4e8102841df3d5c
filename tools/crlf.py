#!/usr/bin/env python3
"""Copies a text file with every line ended by CR LF: crlf.py IN OUT"""
import sys

with open(sys.argv[1], 'rb') as f:
    lines = f.read().replace(b'\r\n', b'\n').split(b'\n')
if lines and lines[-1] == b'':
    lines.pop()
with open(sys.argv[2], 'wb') as f:
    f.write(b''.join(line + b'\r\n' for line in lines))
