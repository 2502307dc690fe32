#!/usr/bin/env python3
"""A small SNMPv1 agent that answers every request the way MODE says.

Usage: scripted_agent.py MODE PORTFILE
Modes:
  empty    no error and no variables
  endless  the next identifier (the request's with its last number raised
           by one, or "1"s added up to 19 numbers), an INTEGER, so a walk
           never reaches the end of the table
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


def decode_oid(body):
    arcs, value = [], 0
    for byte in body:
        value = (value << 7) | (byte & 0x7F)
        if not byte & 0x80:
            arcs.append(value)
            value = 0
    first = min(arcs[0] // 40, 2)
    return [first, arcs[0] - 40 * first] + arcs[1:]


def encode_oid(arcs):
    body = b""
    for arc in [arcs[0] * 40 + arcs[1]] + arcs[2:]:
        chunk = [arc & 0x7F]
        arc >>= 7
        while arc:
            chunk.insert(0, 0x80 | (arc & 0x7F))
            arc >>= 7
        body += bytes(chunk)
    return body


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
            arcs = decode_oid(name)
            if len(arcs) < 19:  # into the table: root.column.1.row
                arcs += [1] * (19 - len(arcs))
            else:
                arcs[-1] += 1
            name = encode_oid(arcs)
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
