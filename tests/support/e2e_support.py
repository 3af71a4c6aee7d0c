"""What every end-to-end test of the real program needs: a tally of checks, a
polling wait, and the program in a process of its own. Python 3 standard library only."""
import subprocess
import time

failures = []
passes = []


def check(condition, what):
    """Prints and counts one check; returns whether it held."""
    print(("ok    " if condition else "FAIL  ") + what, flush=True)
    (passes if condition else failures).append(what)
    return bool(condition)


def eventually(condition, timeout=5.0, interval=0.05):
    """Polls `condition` until it gives a true value (returned) or `timeout` passes."""
    end = time.time() + timeout
    while True:
        value = condition()
        if value or time.time() >= end:
            return value
        time.sleep(interval)


class RunningProgram:
    """A program started in its own process, with its output discarded."""

    def __init__(self, command, cwd, env):
        self.process = subprocess.Popen(command, cwd=cwd, env=env,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)

    def wait_exit(self, timeout=10.0):
        """The exit status, or None when the program is still running after `timeout`."""
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            return None

    def alive(self):
        return self.process.poll() is None

    def stop(self):
        if self.alive():
            self.process.kill()
            self.process.wait()
