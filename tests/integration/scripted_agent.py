#!/usr/bin/env python3
"""A small SNMPv1 agent that answers every request the way MODE says.

Usage: scripted_agent.py MODE PORTFILE
Modes:
  empty    no error and no variables
  endless  the next identifier (the request's with ".1" added), an INTEGER,
           so a walk never reaches the end of the table
  repeat   always the identifier of the request itself, an INTEGER
Binds a free UDP port on 127.0.0.1, writes it to PORTFILE, and answers until
killed; PORTFILE.answers counts the answers sent.
"""
import socket
import sys


def read_length(data, at):
    first = data[at]
    if first < 0x80:
        return first, at + 1
    count = first & 0x7F
    return int.from_bytes(data[at + 1:at + 1 + count], "big"), at + 1 + count


def element(data, at):
    """(tag, value bytes, next position) of the BER element at `at`."""
    tag = data[at]
    length, start = read_length(data, at + 1)
    return tag, data[start:start + length], start + length


def encode(tag, body):
    if len(body) < 0x80:
        return bytes([tag, len(body)]) + body
    size = len(body).to_bytes((len(body).bit_length() + 7) // 8, "big")
    return bytes([tag, 0x80 | len(size)]) + size + body


def answer(mode, request):
    _, message, _ = element(request, 0)
    _, version, at = element(message, 0)
    _, community, at = element(message, at)
    _, pdu, _ = element(message, at)
    _, request_id, at = element(pdu, 0)
    _, _, at = element(pdu, at)  # error status
    _, _, at = element(pdu, at)  # error index
    _, bindings, _ = element(pdu, at)
    _, first, _ = element(bindings, 0)
    _, name, _ = element(first, 0)
    if mode == "empty":
        varbinds = b""
    else:
        if mode == "endless":
            name = name + b"\x01"
        varbinds = encode(0x30, encode(0x06, name) + encode(0x02, b"\x01"))
    body = encode(0x02, request_id) + encode(0x02, b"\x00") + encode(0x02, b"\x00") + encode(0x30, varbinds)
    return encode(0x30, encode(0x02, version) + encode(0x04, community) + encode(0xA2, body))


def main():
    mode, port_file = sys.argv[1], sys.argv[2]
    sock = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    sock.bind(("127.0.0.1", 0))
    with open(port_file, "w") as f:
        f.write(str(sock.getsockname()[1]))
    answers = 0
    while True:
        data, peer = sock.recvfrom(65535)
        try:
            sock.sendto(answer(mode, data), peer)
        except (IndexError, ValueError):
            continue  # not a request we understand: no answer
        answers += 1
        with open(port_file + ".answers", "w") as f:
            f.write(str(answers))


if __name__ == "__main__":
    main()
