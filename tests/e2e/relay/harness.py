"""What the relay's end-to-end tests share: a folder with the default data
set, the real server, relays and the tools run as child processes (always
killed at the end), free ports, a PNG reader for the expected pictures, and a
small WebSocket spectator.

The programs are found in the folder named by OCRE_BIN (bin/ of the build
folder). The server uses the machine-wide UDP port 5550, so these tests hold
CTest's lock on that port."""

import json
import os
import re
import select
import shutil
import signal
import socket
import struct
import subprocess
import sys
import tempfile
import threading
import time
import unittest
import zlib

import websocket

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', '..', 'support', 'browser'))
import chromium  # noqa: E402,F401  (re-exported for the tests)

BIN = os.environ.get('OCRE_BIN', '')
START_TIMEOUT_S = 20
SERVER_BANNER = b'***************SERVEUR ZEL*****************'
LISTENING = re.compile(rb'listening on http://([0-9.]+):(\d+)/')

# The default world: actor 1 of every pass is the dragon that client 1111's
# commands steer; it starts standing at x 50 and walks 30 pixels a step.
DRAGON = 1
STEERING_CLIENT = 1111
VIEW_WIDTH, VIEW_HEIGHT = 640, 480


def program(name):
    return os.path.join(BIN, name)


def free_port(kind=socket.SOCK_STREAM):
    with socket.socket(socket.AF_INET, kind) as s:
        s.bind(('127.0.0.1', 0))
        return s.getsockname()[1]


class Process:
    """A child process whose output goes to files of the test folder."""

    def __init__(self, args, cwd, name, env=None):
        self.name = name
        self.out_path = os.path.join(cwd, name + '.out')
        self.err_path = os.path.join(cwd, name + '.err')
        full_env = dict(os.environ, SDL_VIDEODRIVER='dummy')
        full_env.pop('DISPLAY', None)
        full_env.update(env or {})
        with open(self.out_path, 'wb') as out, open(self.err_path, 'wb') as err:
            self.popen = subprocess.Popen(args, cwd=cwd, stdin=subprocess.DEVNULL, stdout=out, stderr=err,
                                          env=full_env)

    def out(self):
        with open(self.out_path, 'rb') as f:
            return f.read()

    def err(self):
        with open(self.err_path, 'rb') as f:
            return f.read()

    def wait_output(self, pattern, timeout=START_TIMEOUT_S):
        """The first match of a bytes regex in standard output; None on timeout or exit."""
        deadline = time.monotonic() + timeout
        while True:
            found = re.search(pattern, self.out())
            if found or time.monotonic() >= deadline:
                return found
            if self.popen.poll() is not None:
                return re.search(pattern, self.out())
            time.sleep(0.05)

    def rss_kb(self):
        with open('/proc/%d/status' % self.popen.pid) as f:
            return int(re.search(r'VmRSS:\s+(\d+)', f.read()).group(1))

    def running(self):
        return self.popen.poll() is None

    def stop(self, sig=signal.SIGKILL, timeout=15):
        """Ends it with sig (killing it after timeout); its exit status."""
        if self.popen.poll() is None:
            self.popen.send_signal(sig)
            try:
                self.popen.wait(timeout)
            except subprocess.TimeoutExpired:
                self.popen.kill()
                self.popen.wait()
        return self.popen.returncode


class RelayTestCase(unittest.TestCase):
    """A fresh folder with the default data set; every process started
    through it is killed when the test ends."""

    def setUp(self):
        self.folder = tempfile.mkdtemp(prefix='ocre-relay-e2e-')
        self.addCleanup(shutil.rmtree, self.folder, ignore_errors=True)
        self.processes = []
        self.addCleanup(self._stop_all)
        self.data = os.path.join(self.folder, 'data')
        built = subprocess.run([program('ocre-data'), 'build', self.data], stdout=subprocess.DEVNULL,
                               stderr=subprocess.PIPE, timeout=120)
        self.assertEqual(built.returncode, 0, built.stderr)

    def _stop_all(self):
        for process in reversed(self.processes):
            process.stop()

    def start(self, args, name, cwd=None, env=None):
        process = Process(args, cwd or self.folder, name, env)
        self.processes.append(process)
        return process

    def start_server(self):
        server = self.start([program('ocre-server'), '127.0.0.1'], 'server', cwd=self.data)
        self.assertTrue(server.wait_output(re.escape(SERVER_BANNER)), 'the server did not start: %r' % server.out())
        return server

    def start_relay(self, *options, http_port=0, udp_port=None, name='relay'):
        """A relay on 127.0.0.1 serving the data set; its HTTP port once it listens."""
        args = [program('ocre-relay'), '--data', self.data, '--server', '127.0.0.1', '--http-port', str(http_port),
                '--udp-port', str(udp_port or free_port(socket.SOCK_DGRAM)), *options]
        relay = self.start(args, name)
        found = relay.wait_output(LISTENING)
        self.assertIsNotNone(found, 'the relay did not listen: %r %r' % (relay.out(), relay.err()))
        relay.port = int(found.group(2))
        return relay

    def bot_send(self, *words, repeat=1, every_ms=0):
        done = subprocess.run([program('ocre-bot'), 'send', '--host', '127.0.0.1', '--repeat', str(repeat),
                               '--every', str(every_ms), *words], stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                              timeout=60)
        self.assertEqual(done.returncode, 0, done.stderr)

    def map_picture(self):
        """The map of the data set alone, drawn by ocre-data render from its tiles and map."""
        folder = os.path.join(self.folder, 'map-only')
        os.makedirs(folder, exist_ok=True)
        for name in ('test2.tle', 'test2.map'):
            shutil.copy(os.path.join(self.data, name), folder)
        out = os.path.join(self.folder, 'map.png')
        # Without the sheep's path file it draws the map alone (and says so).
        done = subprocess.run([program('ocre-data'), 'render', folder, out], stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL, timeout=60)
        self.assertEqual(done.returncode, 0)
        return read_png(out)


class Picture:
    def __init__(self, width, height, rgb):
        self.width, self.height, self.rgb = width, height, rgb

    def pixel(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.rgb[i:i + 3])


def read_png(path):
    """An 8-bit RGB or RGBA, non-interlaced PNG as a Picture (RGB)."""
    with open(path, 'rb') as f:
        data = f.read()
    if data[:8] != b'\x89PNG\r\n\x1a\n':
        raise ValueError('%s is not a PNG file' % path)
    pos, chunks, header = 8, [], None
    while pos + 8 <= len(data):
        length, kind = struct.unpack('>I4s', data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b'IHDR':
            header = struct.unpack('>IIBBBBB', body)
        elif kind == b'IDAT':
            chunks.append(body)
        pos += 12 + length
    width, height, depth, colour, _, _, interlace = header
    if depth != 8 or colour not in (2, 6) or interlace:
        raise ValueError('%s: only 8-bit RGB(A) pictures are read' % path)
    channels = 3 if colour == 2 else 4
    raw = zlib.decompress(b''.join(chunks))
    stride = width * channels
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        row = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            left = row[i - channels] if i >= channels else 0
            up = previous[i]
            upper_left = previous[i - channels] if i >= channels else 0
            if kind == 1:
                row[i] = (row[i] + left) & 255
            elif kind == 2:
                row[i] = (row[i] + up) & 255
            elif kind == 3:
                row[i] = (row[i] + (left + up) // 2) & 255
            elif kind == 4:
                p = left + up - upper_left
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - upper_left)
                row[i] = (row[i] + (left if pa <= pb and pa <= pc else up if pb <= pc else upper_left)) & 255
        rows.append(bytes(row))
        previous = row
    rgb = b''.join(rows)
    if channels == 4:
        rgb = bytes(b for i, b in enumerate(rgb) if i % 4 != 3)
    return Picture(width, height, rgb)


def follow_camera(map_width, map_height, x, y, previous=(0, 0)):
    """The camera centred on (x, y) by the server's edge rule: an axis whose
    origin would show outside the map keeps its previous origin."""
    def axis(origin, size, view, old):
        return origin if size >= view and 0 <= origin <= size - view else old
    return (axis(x - VIEW_WIDTH // 2, map_width, VIEW_WIDTH, previous[0]),
            axis(y - VIEW_HEIGHT // 2, map_height, VIEW_HEIGHT, previous[1]))


def page_url(relay, query='scale=1&hud=0'):
    return 'http://127.0.0.1:%d/?%s' % (relay.port, query)


def passes_after(page, count, timeout):
    """Waits until the page has received count more passes than now; true if it did."""
    start = page.evaluate('window.ocreStatus ? window.ocreStatus.passes : 0')
    return bool(page.wait_for('window.ocreStatus && window.ocreStatus.passes >= %d' % (start + count), timeout))


def http_exchange(port, request, timeout=10, limit=1 << 16):
    """Sends raw bytes to the relay's HTTP port and returns what comes back:
    one whole response (headers and Content-Length body), or what arrived
    before the relay closed, limit bytes were read, or timeout passed."""
    with socket.create_connection(('127.0.0.1', port), timeout=timeout) as s:
        try:
            s.sendall(request)
        except (BrokenPipeError, ConnectionResetError):
            pass
        answer = b''
        deadline = time.monotonic() + timeout
        while len(answer) < limit and time.monotonic() < deadline and not whole_response(answer):
            ready, _, _ = select.select([s], [], [], max(0.0, deadline - time.monotonic()))
            if not ready:
                break
            try:
                chunk = s.recv(65536)
            except ConnectionResetError:
                break
            if not chunk:
                break
            answer += chunk
        return answer


def whole_response(answer):
    end = answer.find(b'\r\n\r\n')
    if end < 0:
        return False
    length = re.search(rb'(?im)^content-length:\s*(\d+)', answer[:end])
    if status_code(answer) == 101 or not length:
        return True
    return len(answer) >= end + 4 + int(length.group(1))


def status_code(answer):
    found = re.match(rb'HTTP/1\.[01] (\d{3})', answer)
    return int(found.group(1)) if found else None


def picture_check(test, page, picture):
    """Checks the page's canvas against the map picture: the camera the
    server's rule gives for the dragon's position, the map under it, and
    something else than the map where the dragon stands. Returns the status
    the check was made with."""
    # Two reads of the state around the read of the pixels: the dragon and
    # the camera must stand still in between (the sheep walk on; the map
    # check leaves room for them).
    before = page.evaluate('JSON.stringify(window.ocreStatus)')
    pixels = page.canvas_pixels('canvas#world', 0, 0, VIEW_WIDTH, VIEW_HEIGHT)
    after = page.evaluate('JSON.stringify(window.ocreStatus)')
    status, later = json.loads(before), json.loads(after)
    dragon = [a for a in status['actors'] if a[0] == DRAGON][0]
    test.assertEqual(dragon, [a for a in later['actors'] if a[0] == DRAGON][0], 'the dragon moved meanwhile')
    test.assertEqual(status['camera'], later['camera'])
    # The page starts at (0, 0) and the tests walk the dragon only right
    # from its start, so an axis the rule refuses is still at 0.
    camera = follow_camera(picture.width, picture.height, dragon[1], dragon[2])
    test.assertEqual(tuple(status['camera']), camera)
    cx, cy = camera
    same = 0
    for y in range(VIEW_HEIGHT):
        row = picture.rgb[3 * ((cy + y) * picture.width + cx):3 * ((cy + y) * picture.width + cx + VIEW_WIDTH)]
        shown = pixels[4 * VIEW_WIDTH * y:4 * VIEW_WIDTH * (y + 1)]
        same += sum(1 for x in range(VIEW_WIDTH) if shown[4 * x:4 * x + 3] == row[3 * x:3 * x + 3])
    # Six actors cover a few thousand pixels; all the rest is the map.
    test.assertGreater(same, 0.9 * VIEW_WIDTH * VIEW_HEIGHT, 'the canvas does not show the map under the camera')
    differ = 0
    for y in range(max(0, dragon[2] - cy - 16), min(VIEW_HEIGHT, dragon[2] - cy + 48)):
        for x in range(max(0, dragon[1] - cx - 16), min(VIEW_WIDTH, dragon[1] - cx + 48)):
            if pixels[4 * (y * VIEW_WIDTH + x):4 * (y * VIEW_WIDTH + x) + 3] != picture.rgb[
                    3 * ((cy + y) * picture.width + cx + x):3 * ((cy + y) * picture.width + cx + x) + 3]:
                differ += 1
    test.assertGreater(differ, 100, 'nothing but the map where the dragon stands')
    return status


def open_live(port):
    return websocket.create_connection('ws://127.0.0.1:%d/live' % port, timeout=10, suppress_origin=True)


class Spectator:
    """A WebSocket spectator on a thread of its own: counts the frames of the
    live stream and keeps the latest, until stopped."""

    def __init__(self, port):
        self.socket = open_live(port)
        self.frames, self.latest, self.ended = 0, None, None
        self._stop = False
        self._thread = threading.Thread(target=self._read, daemon=True)
        self._thread.start()

    def _read(self):
        while not self._stop:
            try:
                opcode, data = self.socket.recv_data()
            except websocket.WebSocketTimeoutException:
                continue
            except Exception as error:  # closed by either side
                self.ended = error
                return
            if opcode == websocket.ABNF.OPCODE_BINARY:
                self.frames += 1
                self.latest = decode_frame(data)
            elif opcode == websocket.ABNF.OPCODE_CLOSE:
                self.ended = 'closed'
                return

    def frames_within(self, seconds):
        start = self.frames
        time.sleep(seconds)
        return self.frames - start

    def close(self):
        self._stop = True
        try:
            self.socket.close()
        except Exception:
            pass
        self._thread.join(15)


def decode_frame(data):
    """(sequence, camera, actors) of a live frame; actors as [index, x, y, animation]."""
    version, count, _, sequence, cx, cy = struct.unpack_from('<BBHIii', data)
    if version != 1 or len(data) != 16 + 16 * count:
        raise ValueError('malformed live frame of %d bytes' % len(data))
    actors = [list(struct.unpack_from('<iiii', data, 16 + 16 * i)) for i in range(count)]
    return sequence, (cx, cy), actors
