"""A small driver of a headless Chromium over its DevTools protocol, for tests.

Launches Debian's chromium with a throw-away profile, opens pages at a given
viewport, waits for their load event, evaluates JavaScript, reads canvas
pixels and types keys. The browser is always killed when the driver is
closed (use it as a context manager), so a failing test leaves nothing
running.

Only Debian's /usr/bin/python3 with python3-websocket is needed.
"""

import base64
import itertools
import json
import os
import shutil
import signal
import subprocess
import tempfile
import time

import websocket

CHROMIUM = '/usr/bin/chromium'
LAUNCH_TIMEOUT_S = 30
COMMAND_TIMEOUT_S = 30

# Keys the tests press, as the protocol wants them described.
KEYS = {
    'ArrowLeft': 37, 'ArrowUp': 38, 'ArrowRight': 39, 'ArrowDown': 40,
    'Space': 32, 'Enter': 13, 'Escape': 27,
}


class BrowserError(Exception):
    pass


class Chromium:
    """One headless browser; pages are opened with open_page."""

    def __init__(self, extra_args=()):
        self._profile = tempfile.mkdtemp(prefix='ocre-chromium-')
        self._process = None
        self._socket = None
        self._ids = itertools.count(1)
        self._events = []
        args = [CHROMIUM, '--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
                '--disable-background-networking', '--disable-component-update', '--disable-sync',
                '--disable-background-timer-throttling', '--disable-renderer-backgrounding',
                '--disable-backgrounding-occluded-windows', '--remote-debugging-port=0',
                '--user-data-dir=' + self._profile, *extra_args, 'about:blank']
        try:
            # Its own process group, so that killing it takes every helper
            # process with it.
            self._process = subprocess.Popen(args, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                             stderr=subprocess.DEVNULL, start_new_session=True)
            self._socket = websocket.create_connection(self._browser_endpoint(), timeout=COMMAND_TIMEOUT_S,
                                                       suppress_origin=True)
        except BaseException:
            self.close()
            raise

    def _browser_endpoint(self):
        port_file = os.path.join(self._profile, 'DevToolsActivePort')
        deadline = time.monotonic() + LAUNCH_TIMEOUT_S
        while time.monotonic() < deadline:
            if self._process.poll() is not None:
                raise BrowserError('chromium ended at start with status %d' % self._process.returncode)
            try:
                with open(port_file) as f:
                    lines = f.read().split('\n')
                if len(lines) >= 2 and lines[0].strip() and lines[1].strip():
                    return 'ws://127.0.0.1:%s%s' % (lines[0].strip(), lines[1].strip())
            except FileNotFoundError:
                pass
            time.sleep(0.05)
        raise BrowserError('chromium did not write %s within %d s' % (port_file, LAUNCH_TIMEOUT_S))

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    def close(self):
        if self._socket is not None:
            try:
                self._socket.close()
            except Exception:
                pass
            self._socket = None
        if self._process is not None:
            if self._process.poll() is None:
                try:
                    os.killpg(self._process.pid, signal.SIGKILL)
                except ProcessLookupError:
                    pass
            self._process.wait()
            # Its helpers die with it; wait until the group is gone so that
            # nothing of this browser outlives the test.
            deadline = time.monotonic() + LAUNCH_TIMEOUT_S
            while time.monotonic() < deadline:
                try:
                    os.killpg(self._process.pid, 0)
                except ProcessLookupError:
                    break
                time.sleep(0.02)
            self._process = None
        shutil.rmtree(self._profile, ignore_errors=True)

    def send(self, method, params=None, session=None, timeout=COMMAND_TIMEOUT_S):
        """Sends one command and returns its result; events met meanwhile are kept."""
        message = {'id': next(self._ids), 'method': method, 'params': params or {}}
        if session:
            message['sessionId'] = session
        self._socket.send(json.dumps(message))
        deadline = time.monotonic() + timeout
        while True:
            reply = self._receive(deadline, method)
            if reply.get('id') == message['id']:
                if 'error' in reply:
                    raise BrowserError('%s: %s' % (method, reply['error'].get('message')))
                return reply.get('result', {})
            if 'method' in reply:
                self._events.append(reply)

    def wait_event(self, method, session=None, timeout=COMMAND_TIMEOUT_S):
        """The next event named method (of the given page), kept or arriving within timeout."""
        def matches(event):
            return event.get('method') == method and (session is None or event.get('sessionId') == session)
        for i, event in enumerate(self._events):
            if matches(event):
                return self._events.pop(i)
        deadline = time.monotonic() + timeout
        while True:
            event = self._receive(deadline, method)
            if matches(event):
                return event
            if 'method' in event:
                self._events.append(event)

    def _receive(self, deadline, waiting_for):
        left = deadline - time.monotonic()
        if left <= 0:
            raise BrowserError('no answer to %s in time' % waiting_for)
        self._socket.settimeout(left)
        try:
            return json.loads(self._socket.recv())
        except websocket.WebSocketTimeoutException:
            raise BrowserError('no answer to %s in time' % waiting_for)

    def open_page(self, url, width=640, height=480):
        """A new tab of the given viewport showing url, after its load event."""
        target = self.send('Target.createTarget', {'url': 'about:blank'})['targetId']
        session = self.send('Target.attachToTarget', {'targetId': target, 'flatten': True})['sessionId']
        page = Page(self, session)
        self.send('Page.enable', session=session)
        self.send('Emulation.setDeviceMetricsOverride',
                  {'width': width, 'height': height, 'deviceScaleFactor': 1, 'mobile': False}, session=session)
        page.navigate(url)
        return page


class Page:
    def __init__(self, browser, session):
        self._browser = browser
        self._session = session

    def navigate(self, url):
        self._browser._events = [e for e in self._browser._events
                                 if not (e.get('method') == 'Page.loadEventFired'
                                         and e.get('sessionId') == self._session)]
        result = self._browser.send('Page.navigate', {'url': url}, session=self._session)
        if result.get('errorText'):
            raise BrowserError('cannot open %s: %s' % (url, result['errorText']))
        self._browser.wait_event('Page.loadEventFired', session=self._session)

    def evaluate(self, expression):
        """The value of a JavaScript expression (promises awaited), as JSON data."""
        result = self._browser.send('Runtime.evaluate', {'expression': expression, 'returnByValue': True,
                                                         'awaitPromise': True}, session=self._session)
        if 'exceptionDetails' in result:
            details = result['exceptionDetails']
            text = details.get('exception', {}).get('description') or details.get('text')
            raise BrowserError('script failed: %s' % text)
        return result['result'].get('value')

    def wait_for(self, expression, timeout):
        """Polls a JavaScript expression until it is truthy; its last value (falsy on timeout)."""
        deadline = time.monotonic() + timeout
        while True:
            value = self.evaluate(expression)
            if value or time.monotonic() >= deadline:
                return value
            time.sleep(0.05)

    def canvas_pixels(self, selector, x, y, width, height):
        """The RGBA bytes of a rectangle of a canvas, row by row."""
        script = '''(() => {
            const canvas = document.querySelector(%s);
            if (!canvas) return null;
            const data = canvas.getContext('2d').getImageData(%d, %d, %d, %d).data;
            let text = '';
            for (let i = 0; i < data.length; i += 0x8000)
                text += String.fromCharCode.apply(null, data.subarray(i, i + 0x8000));
            return btoa(text);
        })()''' % (json.dumps(selector), x, y, width, height)
        encoded = self.evaluate(script)
        if encoded is None:
            raise BrowserError('no element %s' % selector)
        return base64.b64decode(encoded)

    def key(self, name, down):
        """Presses (down) or lets go of a key named as in KEYS."""
        code = KEYS[name]
        key = ' ' if name == 'Space' else name
        self._browser.send('Input.dispatchKeyEvent', {
            'type': 'keyDown' if down else 'keyUp', 'key': key, 'code': name,
            'windowsVirtualKeyCode': code, 'nativeVirtualKeyCode': code}, session=self._session)
