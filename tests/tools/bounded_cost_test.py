"""Documents that cost what they draw, not what their file claims: each
DVI file of tests/fuzz/seeds/document (files a fuzzer made to take time
and memory, with absurd magnifications and sizes) goes through moxrender
as the previewer opens it, and must end within a bound on its processor
time and peak memory: ten times what the program needs for them, a safety
property of the program rather than a speed goal.

    bounded_cost_test.py MOXRENDER REPOSITORY"""

import os
import resource
import subprocess
import sys

# Ten times the most any of them takes in the sanitizer build of the tests
# (0.08 s and 25 MB for slow-open.dvi).
MAX_SECONDS = 0.8
MAX_MEGABYTES = 250


def main():
    moxrender, repository = sys.argv[1], sys.argv[2]
    fixtures = os.path.join(repository, "tests", "fixtures")
    folder = os.path.join(repository, "tests", "fuzz", "seeds", "document")
    failures = []
    for name in sorted(n for n in os.listdir(folder) if n.endswith(".dvi")):
        before = resource.getrusage(resource.RUSAGE_CHILDREN)
        result = subprocess.run([moxrender, "--null", f"-P{fixtures}/pk/dpi$d",
                                 f"-I{fixtures}/hzfonts", os.path.join(folder, name)],
                                capture_output=True, text=True, timeout=60)
        after = resource.getrusage(resource.RUSAGE_CHILDREN)
        seconds = (after.ru_utime + after.ru_stime) - (before.ru_utime + before.ru_stime)
        megabytes = after.ru_maxrss / 1024  # the largest child so far
        print(f"{name}: exit {result.returncode}, {seconds:.2f} s, {megabytes:.0f} MB; "
              f"{result.stderr.strip().splitlines()[-1] if result.stderr.strip() else ''}")
        if seconds > MAX_SECONDS or megabytes > MAX_MEGABYTES:
            failures.append(name)
    if failures:
        sys.exit(f"over the bounds ({MAX_SECONDS} s, {MAX_MEGABYTES} MB): {', '.join(failures)}")


if __name__ == "__main__":
    main()
