"""Waiting on what a program does, never for a fixed time: a condition polled, or its
output read until the awaited text comes; each with a deadline."""

import os
import select
import time


def wait_for(predicate, timeout=30):
    """Polls `predicate` until it gives a true value, which it returns; None after `timeout` s."""
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        value = predicate()
        if value:
            return value
        time.sleep(0.2)
    return None


def read_until(fd, output, done, timeout=60):
    """Reads from descriptor `fd` onto `output` until done(output), the end of the output
    or `timeout` seconds; returns what it has then."""
    end = time.monotonic() + timeout
    while not done(output):
        left = end - time.monotonic()
        if left <= 0:
            break
        ready, _, _ = select.select([fd], [], [], left)
        if ready:
            try:
                chunk = os.read(fd, 65536)
            except OSError:  # a terminal whose other side has gone
                break
            if not chunk:
                break
            output += chunk
    return output
