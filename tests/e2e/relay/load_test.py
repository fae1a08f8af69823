"""200 WebSocket spectators and one that reads nothing: every reader gets the
server's pace, the stalled one neither slows them nor makes the relay's
memory grow, and the relay drops it."""

import os
import re
import subprocess
import threading
import time
import unittest

import harness

SPECTATORS = 200
# Long enough for the stalled one to fill its pipe and then be idle 10 s.
SECONDS = 20
# What the relay may grow by while it holds the stalled spectator; a queue
# for it would grow without end, a single pending frame not at all.
RSS_GROWTH_LIMIT_KB = 4096
# Instrumented builds run several times slower and keep freed memory in
# quarantine: there the relay can keep neither the server's pace for 200
# spectators on a loaded machine nor a steady size, and only the rest is
# judged.
PLAIN_BUILD = not os.environ.get('OCRE_SANITIZE')


class RelayLoadTest(harness.RelayTestCase):
    def test_a_stalled_spectator_neither_slows_the_others_nor_grows_the_relay_and_is_dropped(self):
        self.start_server()
        relay = self.start_relay()
        samples = []
        done = threading.Event()

        def sample_memory():
            while not done.wait(0.5):
                if relay.running():
                    samples.append((time.monotonic(), relay.rss_kb()))

        sampler = threading.Thread(target=sample_memory)
        sampler.start()
        try:
            start = time.monotonic()
            # A client of the server's own beside the relay: the pace the
            # server keeps on this machine, which no relay can beat.
            direct = subprocess.Popen([harness.program('ocre-bot'), 'load', '--host', '127.0.0.1', '--clients', '1',
                                       '--seconds', str(SECONDS), '--login', 'direct'], stdout=subprocess.PIPE,
                                      stderr=subprocess.DEVNULL)
            self.addCleanup(lambda: (direct.kill(), direct.wait()))
            crowd = subprocess.run([harness.program('ocre-spectators'), '--url', 'ws://127.0.0.1:%d/live' % relay.port,
                                    '--spectators', str(SPECTATORS), '--stalled', '1', '--seconds', str(SECONDS),
                                    '--least-rate', '39' if PLAIN_BUILD else '0'],
                                   stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=SECONDS + 60)
        finally:
            done.set()
            sampler.join()
        server_pace = float(direct.communicate(timeout=60)[0].decode().split('\n')[1].split()[5])
        summary = crowd.stdout.decode()
        print(summary.strip(), '(the server\'s own client: %.1f passes/s)' % server_pace)
        # Exit 0: everyone connected, nobody fed a malformed frame or below
        # 39 passes a second (or one less than the relay's pace if that is
        # lower), and the stalled one dropped.
        self.assertEqual(crowd.returncode, 0, summary + crowd.stderr.decode())
        # And the relay loses nothing of what the server sends.
        relay_pace = float(re.search(r'relay passes/s ([0-9.]+)', summary).group(1))
        if PLAIN_BUILD:
            self.assertGreaterEqual(relay_pace, min(39, server_pace - 1), summary)
        counts = re.search(r'relay count most (-?\d+) at end (-?\d+)', summary)
        self.assertEqual(int(counts.group(1)), SPECTATORS + 1, summary)
        self.assertEqual(int(counts.group(2)), SPECTATORS, summary)
        settled = [kb for t, kb in samples if t >= start + 5]
        self.assertGreater(len(settled), 10)
        print('relay VmRSS from 5 s on: %d kB, at most %d kB' % (settled[0], max(settled)))
        if PLAIN_BUILD:
            self.assertLess(max(settled) - settled[0], RSS_GROWTH_LIMIT_KB, samples)
        self.assertTrue(relay.running(), relay.err())


if __name__ == '__main__':
    unittest.main()
