#!/usr/bin/env python3
"""An SNMPv1 agent that answers every request with no error and no variables.

Usage: empty_response_agent.py PORTFILE
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


def answer(request):
    _, message, _ = element(request, 0)
    _, version, at = element(message, 0)
    _, community, at = element(message, at)
    _, pdu, _ = element(message, at)
    _, request_id, _ = element(pdu, 0)
    body = (encode(0x02, request_id) + encode(0x02, b"\x00") + encode(0x02, b"\x00") + encode(0x30, b""))
    return encode(0x30, encode(0x02, version) + encode(0x04, community) + encode(0xA2, body))


def main():
    sock = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    sock.bind(("127.0.0.1", 0))
    with open(sys.argv[1], "w") as f:
        f.write(str(sock.getsockname()[1]))
    answers = 0
    while True:
        data, peer = sock.recvfrom(65535)
        try:
            sock.sendto(answer(data), peer)
        except (IndexError, ValueError):
            continue  # not a request we understand: no answer
        answers += 1
        with open(sys.argv[1] + ".answers", "w") as f:
            f.write(str(answers))


if __name__ == "__main__":
    main()
