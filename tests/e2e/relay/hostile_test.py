"""Hostile input at a relay (without --steer) while a spectator watches:
paths that climb out with '..', a megabyte of header, broken upgrades,
random bytes on a WebSocket, forged steering messages, oversized and binary
messages, garbage datagrams at its UDP port. Each is refused or ignored, the
dragon never moves, and the spectator is served throughout."""

import random
import socket
import time
import unittest

import websocket

import harness
from harness import DRAGON, http_exchange, open_live, status_code

CLOSE_TIMEOUT_S = 5


def upgrade(path, key='dGhlIHNhbXBsZSBub25jZQ==', version='13', method='GET', extra=''):
    request = '%s %s HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: Upgrade\r\nUpgrade: websocket\r\n' % (method, path)
    if key is not None:
        request += 'Sec-WebSocket-Key: %s\r\n' % key
    if version is not None:
        request += 'Sec-WebSocket-Version: %s\r\n' % version
    return (request + extra + '\r\n').encode()


class RelayHostileInputTest(harness.RelayTestCase):
    def assert_closed_by_relay(self, ws, what):
        """The relay ends the connection within CLOSE_TIMEOUT_S, whatever it sends before."""
        ws.settimeout(CLOSE_TIMEOUT_S)
        deadline = time.monotonic() + CLOSE_TIMEOUT_S
        while time.monotonic() < deadline:
            try:
                opcode, _ = ws.recv_data()
            except (websocket.WebSocketException, OSError):
                return
            if opcode == websocket.ABNF.OPCODE_CLOSE:
                return
        self.fail('the relay kept the connection after ' + what)

    def test_hostile_input_leaves_the_relay_serving_the_others(self):
        self.start_server()
        udp_port = harness.free_port(socket.SOCK_DGRAM)
        relay = self.start_relay(udp_port=udp_port)
        watcher = harness.Spectator(relay.port)
        self.addCleanup(watcher.close)
        self.assertGreater(watcher.frames_within(1.0), 20)
        dragon_before = [a for a in watcher.latest[2] if a[0] == DRAGON][0]

        # Paths that climb out of what the relay serves.
        for path in ('/../../../../etc/passwd', '/sheet/../index.json', '/%2e%2e/%2e%2e/etc/passwd',
                     '/sheet/..%2f..%2fetc/passwd', '/..', '/sheet/-1.png', '/sheet/99999999999999999999.png'):
            answer = http_exchange(relay.port, ('GET %s HTTP/1.1\r\nHost: x\r\n\r\n' % path).encode())
            self.assertIn(status_code(answer), (400, 404), path)
            self.assertNotIn(b'root:', answer)
        # A megabyte of header, and a megabyte of body with a request.
        answer = http_exchange(relay.port, b'GET / HTTP/1.1\r\nHost: x\r\nX-Big: ' + b'a' * (1 << 20) + b'\r\n\r\n')
        self.assertNotEqual(status_code(answer), 200)
        answer = http_exchange(relay.port, b'POST / HTTP/1.1\r\nHost: x\r\nContent-Length: %d\r\n\r\n' % (1 << 20)
                               + b'b' * (1 << 20))
        self.assertNotEqual(status_code(answer), 200)
        # Upgrades that are not WebSocket handshakes, or not to the stream.
        for request in (upgrade('/live', key=None), upgrade('/live', version='12'), upgrade('/live', version=None),
                        upgrade('/live', method='POST'), upgrade('/'), upgrade('/index.json'),
                        b'GET /live HTTP/1.1\r\nUpgrade: websocket\r\n\r\n',
                        b'\x16\x03\x01\x02\x00\x01\x00\x01\xfc\x03\x03' + bytes(64), b'\r\n\r\n\r\n',
                        b'GET /live HTTP/9.9\r\n\r\n', b'GET ' + b'/' * 100000 + b' HTTP/1.1\r\n\r\n'):
            self.assertNotEqual(status_code(http_exchange(relay.port, request, timeout=5)), 101, request[:60])

        # Random bytes after a good handshake.
        ws = open_live(relay.port)
        rng = random.Random(5551)
        ws.sock.sendall(bytes(rng.getrandbits(8) for _ in range(4096)))
        self.assert_closed_by_relay(ws, 'random bytes')
        ws.close()
        # A message over 64 bytes, and a binary one, close their connection.
        for send in (lambda w: w.send('down ' + 'go_right' * 10), lambda w: w.send_binary(b'steer')):
            ws = open_live(relay.port)
            send(ws)
            self.assert_closed_by_relay(ws, 'an oversized or binary message')
            ws.close()
        # Forged steering: the relay has no --steer, so nothing reaches the
        # server, however much a browser asks.
        ws = open_live(relay.port)
        ws.send('steer')
        deadline = time.monotonic() + 1.5
        while time.monotonic() < deadline:
            for word in ('down go_right', 'down go_down', 'down go_escape', 'steer', 'down go_jump'):
                ws.send(word)
            time.sleep(0.01)
        ws.send('up go_right')
        ws.close()

        # Garbage at the relay's UDP port: random bytes, oversized and empty
        # datagrams, server texts cut short or with fields out of range.
        garbage = [b'', bytes(65000), b'from SERVEUR to CLIENT', b'from SERVEUR to CLIENT 0 sprite (1,2',
                   b'from SERVEUR to CLIENT 0 sprite (99999999999999999999,1,2,3)',
                   b'from SERVEUR to CLIENT 0 affiche (' + b'9' * 200 + b',0,0,0)',
                   # A refusal forged from the server's address, once admitted.
                   b'from SERVEUR to CLIENT connection_refused too much connections'.ljust(100, b'\0')]
        garbage += [bytes(rng.getrandbits(8) for _ in range(rng.randrange(1, 200))) for _ in range(2000)]
        with socket.socket(socket.AF_INET, socket.SOCK_DGRAM) as udp:
            for datagram in garbage:
                udp.sendto(datagram, ('127.0.0.1', udp_port))

        self.assertTrue(relay.running(), relay.err())
        self.assertGreater(watcher.frames_within(1.0), 30, 'the spectator is no longer served')
        self.assertIsNone(watcher.ended)
        dragon_after = [a for a in watcher.latest[2] if a[0] == DRAGON][0]
        self.assertEqual(dragon_after[1:3], dragon_before[1:3], 'forged steering moved the dragon')
        # And new spectators still get in.
        late = harness.Spectator(relay.port)
        self.addCleanup(late.close)
        self.assertGreater(late.frames_within(1.0), 30)


if __name__ == '__main__':
    unittest.main()
