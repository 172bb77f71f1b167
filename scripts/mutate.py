#!/usr/bin/env python3
"""Mutation testing: plant one small fault at a time, rebuild, run the whole test suite, restore.

Each worker owns a copy of the tracked files under --work (never this tree) with its own sanitizer build,
configured once as CI builds it. A mutant is killed when it builds and some test fails or times out, survived
when it builds and every test passes, stillborn when it does not build (not counted in the score).

  scripts/mutate.py --list                          # list the mutants of the default folders
  scripts/mutate.py --workers 5 --out /tmp/mutout   # run them all
  scripts/mutate.py --files 'src/terms/*.cpp' --sample 0.5 --seed 1
  scripts/mutate.py --rerun /tmp/mutout/mutants.jsonl --out /tmp/mutout2   # only the survivors of that report
  scripts/mutate.py --probe /tmp/mutout/mutants.jsonl --out /tmp/probeout  # each survivor against the probe

--probe decides whether a survivor is equivalent: each probe worker (a tree p<k> under --work, a sanitizer build
configured with -DQUENLOR_PROBE=ON) builds and runs scripts/probe/probe.cpp unmutated once (the baseline; every
worker's must be the same text), then for each survivor builds the probe with it in place and runs it with a time
limit of 20 times the baseline's run, at least 60 s. Verdicts: differs (first differing line, which names the
input, and the count of differing lines), runaway (time or memory limit hit), crash (non-zero exit or a sanitizer
report), equivalent (no difference on any of the probe's lines), stillborn (the probe did not build), stale
(its line is gone). It writes DIR/probe.jsonl, DIR/probe.tsv and DIR/probe-summary.txt (counts per verdict and
folder, the equivalent ones).
"""
import argparse, glob, json, os, queue, random, re, shutil, signal, subprocess, sys, threading, time, zlib

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DEFAULT_FILES = ['src/arithmetic/*.cpp', 'src/arithmetic/*.h', 'src/terms/*.cpp', 'src/grid/*.cpp',
                 'src/commands/*.cpp', 'src/protocol/*.cpp']
CMAKE_ARGS = ['-G', 'Ninja', '-DCMAKE_BUILD_TYPE=Debug', '-DQUENLOR_SANITIZE=ON', '-DQUENLOR_BENCH=OFF']

# ---------------------------------------------------------------------------------------------------------------
# Mutant generation: line based, on the code of a line with comments and string/char literals blanked out.

DECL = re.compile(r'^(?:(?:const|constexpr|static|inline|mutable|volatile|unsigned|signed)\s+)*'
                  r'[A-Za-z_][\w:]*(?:<.*>)?[\s&*]+[A-Za-z_]\w*\s*(?:[=\{;\(\[,]|$)')
NO_DELETE = re.compile(r'^(return\b(?!\s*;)|(?:const\s+)?auto\b|case\b|default\b|namespace\b|template\b|'
                       r'typedef\b|using\b|struct\b|class\b|enum\b|friend\b|public\b|private\b|protected\b|[{}]|Q_)')
REPORTS = re.compile(r'\b(return|throw)\b|overflow|Fehler|[Mm]eld|message\(|zeige|Box')


def blank_code(lines):
    """Per line: the text with comments and literals replaced by spaces (same length), and whether to skip it."""
    out, in_block = [], False
    for line in lines:
        chars, i, n = list(line), 0, len(line)
        while i < n:
            if in_block:
                end = line.find('*/', i)
                stop = n if end < 0 else end + 2
                chars[i:stop] = ' ' * (stop - i)
                in_block, i = end < 0, stop
            elif line.startswith('//', i):
                chars[i:] = ' ' * (n - i)
                break
            elif line.startswith('/*', i):
                in_block = True
            elif line[i] in '"\'':
                # a digit separator (1'000) is not a literal
                if line[i] == "'" and i > 0 and line[i - 1].isalnum() and i + 1 < n and line[i + 1].isalnum():
                    i += 1
                    continue
                q, j = line[i], i + 1
                while j < n and line[j] != q:
                    j += 2 if line[j] == '\\' else 1
                stop = min(j + 1, n)
                chars[i + 1:stop - 1] = ' ' * max(0, stop - i - 2)
                i = stop
            else:
                i += 1
        code = ''.join(chars)
        s = code.strip()
        skip = not s or s.startswith('#') or 'static_assert' in s
        out.append((code, skip))
    return out


def comparison_flips(code):
    flips = {'==': '!=', '!=': '==', '<=': '<', '>=': '>', '<': '<=', '>': '>='}
    for m in re.finditer(r'(?<=\s)(==|!=|<=|>=|<|>)(?=\s)', code):
        if m.group(1) in '<>' and re.search(r'\btemplate\s*$', code[:m.start()]):
            continue
        yield m.start(), m.end(), flips[m.group(1)]


def constants(code):
    for m in re.finditer(r'(?<![\w.\'])(\d+)([uUlL]*)(?![\w.\'])', code):
        if m.group(1).startswith('0') and len(m.group(1)) > 1:
            continue  # octal
        v = int(m.group(1))
        yield m.start(1), m.end(1), str(v + 1)
        if v == 1:
            yield m.start(1), m.end(1), '0'


def matching_paren(code, i):
    depth = 0
    for j in range(i, len(code)):
        depth += {'(': 1, ')': -1}.get(code[j], 0)
        if depth == 0:
            return j
    return -1


def generate(path, lines):
    """All mutants of one file as dicts; `line` counts from 1."""
    info, mutants, seen = blank_code(lines), [], set()
    depth, prev_end = 0, ';'

    def add(no, op, start, end, repl):
        orig = lines[no]
        mut = orig[:start] + repl + orig[end:]
        if mut != orig and (no, mut) not in seen:
            seen.add((no, mut))
            mutants.append({'file': path, 'line': no + 1, 'op': op, 'orig': orig, 'mut': mut})

    for no, (code, skip) in enumerate(info):
        s = code.strip()
        starts_statement = depth == 0 and (prev_end[-1:] in (';', '{', '}', ')', ':') or prev_end.endswith('else'))
        if s:
            depth += code.count('(') - code.count(')')
        if skip:
            if s:
                prev_end = s
            continue
        lead = len(code) - len(code.lstrip())
        # overflow checks forced to "fits"
        for m in re.finditer(r'\breturn (false|true);', code):
            add(no, 'fits', m.start(1), m.end(1), 'true' if m.group(1) == 'false' else 'false')
        for m in re.finditer(r'(?:[\w.>-]*)\boverflow = true;', code):
            add(no, 'fits', m.start(), m.end(), ';')
        for m in re.finditer(r'\bif \(', code):
            close = matching_paren(code, m.end() - 1)
            if close < 0 or code[m.end():close].strip() == 'false':
                continue
            body = code[close + 1:]
            if not body.strip() or body.strip() == '{':
                body = ' '.join(c for c, _ in info[no + 1:no + 4])
            if REPORTS.search(body):
                add(no, 'fits', m.end(), close, 'false')
        # deleted statement
        if starts_statement and s.endswith(';') and code.count('(') == code.count(')') \
                and code.count('{') == code.count('}') and not NO_DELETE.match(s) and not DECL.match(s):
            add(no, 'delete', lead, len(code.rstrip()), ';')
        for start, end, repl in comparison_flips(code):
            add(no, 'compare', start, end, repl)
        for m in re.finditer(r'(?<=\s)(&&|\|\|)(?=\s)', code):
            add(no, 'logic', m.start(), m.end(), '||' if m.group(1) == '&&' else '&&')
        for start, end, repl in constants(code):
            add(no, 'constant', start, end, repl)
        if s:
            prev_end = s
    return mutants


def collect(files, root):
    paths = []
    for pattern in files:
        for p in sorted(glob.glob(os.path.join(root, pattern))):
            rel = os.path.relpath(p, root)
            if rel not in paths:
                paths.append(rel)
    result = []
    for rel in paths:
        with open(os.path.join(root, rel), encoding='utf-8', newline='') as f:
            result.extend(generate(rel, f.read().split('\n')))
    return result


def sample(mutants, share, seed):
    """The same share of every file, chosen with a seed per file so that a run is repeatable."""
    by_file = {}
    for m in mutants:
        by_file.setdefault(m['file'], []).append(m)
    chosen = []
    for path, ms in by_file.items():
        rng = random.Random(seed * 1_000_003 + zlib.crc32(path.encode()))
        k = max(1, round(share * len(ms))) if share > 0 else 0
        keep = set(rng.sample(range(len(ms)), min(k, len(ms))))
        chosen.extend(m for i, m in enumerate(ms) if i in keep)
    return chosen

# ---------------------------------------------------------------------------------------------------------------
# Workers


# A test process beyond this is taken to run away: a mutant that makes a power grow without bound would fill the
# machine's memory long before the test time limit (the whole suite stays below 2 GB per process).
TEST_RSS_LIMIT_MB = 4000


def test_env(tree):
    env = dict(os.environ, QT_QPA_PLATFORM='offscreen',
               ASAN_OPTIONS=f'detect_leaks=1:abort_on_error=1:hard_rss_limit_mb={TEST_RSS_LIMIT_MB}',
               LSAN_OPTIONS=f'suppressions={tree}/tests/support/lsan.supp:print_suppressions=0',
               UBSAN_OPTIONS='halt_on_error=1:abort_on_error=1:print_stacktrace=1')
    return env


class Worker:
    def __init__(self, k, args):
        self.k, self.args = k, args
        self.tree = os.path.join(args.work, f'w{k}')
        self.build = os.path.join(self.tree, 'build')
        self.env = test_env(self.tree)
        self.proc = None

    def run(self, cmd, timeout, cwd=None):
        self.proc = subprocess.Popen(cmd, cwd=cwd or self.build, env=self.env, stdout=subprocess.PIPE,
                                     stderr=subprocess.STDOUT, text=True, errors='replace', start_new_session=True)
        try:
            out, _ = self.proc.communicate(timeout=timeout)
            return self.proc.returncode, out
        except subprocess.TimeoutExpired:
            os.killpg(self.proc.pid, signal.SIGKILL)
            out, _ = self.proc.communicate()
            return None, out
        finally:
            self.proc = None

    def kill(self):
        p = self.proc
        if p is not None:
            try:
                os.killpg(p.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass

    def setup(self, tracked):
        """Copies the tracked files where their bytes differ (also undoing a mutant an earlier run left), builds."""
        self.copy_tracked(tracked)
        if not os.path.exists(os.path.join(self.build, 'build.ninja')):
            rc, out = self.run(['cmake', '-S', self.tree, '-B', self.build] + CMAKE_ARGS, 600, cwd=self.tree)
            if rc != 0:
                return f'worker {self.k}: configure failed\n{out[-3000:]}'
        rc, out = self.run(['ninja', '-j', str(self.args.jobs)], 3600)
        if rc != 0:
            return f'worker {self.k}: the unmutated tree does not build\n{out[-3000:]}'
        rc, out = self.run(self.ctest(), 900)
        if rc != 0:
            return f'worker {self.k}: the unmutated tree fails its tests\n{out[-3000:]}'
        return None

    def copy_tracked(self, tracked):
        for rel in tracked:
            src, dst = os.path.join(ROOT, rel), os.path.join(self.tree, rel)
            if os.path.islink(src) or not os.path.isfile(src):
                continue
            with open(src, 'rb') as f:
                data = f.read()
            if os.path.exists(dst):
                with open(dst, 'rb') as f:
                    if f.read() == data:
                        continue
            os.makedirs(os.path.dirname(dst), exist_ok=True)
            shutil.copy2(src, dst)
            os.utime(dst)

    def ctest(self):
        # The subproject test checks the build set-up, not behaviour, and builds a library of its own.
        return ['ctest', '-j2', '--timeout', str(self.args.test_timeout), '--stop-on-failure', '-E', '^CMake\\.']

    def mutated_text(self, m):
        """The file of the mutant with it in place, and the file as it was; None when its line is gone."""
        path = os.path.join(self.tree, m['file'])
        with open(path, 'rb') as f:
            original = f.read()
        lines = original.decode('utf-8').split('\n')
        # A rerun on a newer tree: the line may have moved; take the nearest line with the same text.
        near = [i for i in range(len(lines)) if lines[i] == m['orig']]
        if not near:
            return None
        lines[min(near, key=lambda i: abs(i + 1 - m['line']))] = m['mut']
        return path, '\n'.join(lines).encode('utf-8'), original

    @staticmethod
    def restore(path, original):
        with open(path, 'wb') as f:
            f.write(original)
        os.utime(path)  # newer than the mutant's objects, so the next build rebuilds them

    def mutate(self, m):
        placed = self.mutated_text(m)
        if placed is None:
            return 'stale', '', 0.0
        path, text, original = placed
        t0 = time.time()
        try:
            with open(path, 'wb') as f:
                f.write(text)
            rc, out = self.run(['ninja', '-j', str(self.args.jobs)], 1800)
            if rc != 0:
                return 'stillborn', '', time.time() - t0
            rc, out = self.run(self.ctest(), 1800)
            if rc is None:
                return 'killed', 'timeout (whole suite)', time.time() - t0
            if rc == 0:
                return 'survived', '', time.time() - t0
            failed = re.findall(r'^\s*\d+ - (\S+) \((\w+)', out, re.M)
            return 'killed', ' '.join(f'{n}({why})' for n, why in failed[:3]), time.time() - t0
        finally:
            self.restore(path, original)

# ---------------------------------------------------------------------------------------------------------------
# The probe: a survivor compared with the unmutated program on the probe's inputs (scripts/probe/probe.cpp)

PROBE_TARGET = 'quenlor_probe'
SANITIZER_REPORT = re.compile(r'ERROR: (?:Address|Leak|Undefined)Sanitizer|runtime error:|Sanitizer:DEADLYSIGNAL')
RSS_LIMIT_MB = 3000  # a computation that runs away in memory, not only in time


def first_difference(base, mut):
    """(index of the first line that differs or is missing, number of lines that differ), or None."""
    differing = sum(a != b for a, b in zip(base, mut)) + abs(len(base) - len(mut))
    if differing == 0:
        return None
    i = next((i for i, (a, b) in enumerate(zip(base, mut)) if a != b), min(len(base), len(mut)))
    return i, differing


def excerpt(a, b, width=220):
    """The part of a around the first character where it departs from b."""
    p = 0
    while p < min(len(a), len(b)) and a[p] == b[p]:
        p += 1
    start = max(0, p - 60)
    return ('...' if start else '') + a[start:start + width] + ('...' if start + width < len(a) else '')


def input_of(line, width=400):
    """name | input of a probe line: it names the input."""
    parts = line.split(' | ')
    text = ' | '.join(parts[:2])
    return text if len(text) <= width else text[:width] + '...'


class ProbeWorker(Worker):
    """A worker tree of its own (p<k>, beside the test workers' w<k>) with a sanitizer build of the probe."""

    def __init__(self, k, args):
        super().__init__(k, args)
        self.tree = os.path.join(args.work, f'p{k}')
        self.build = os.path.join(self.tree, 'build')
        self.env = test_env(self.tree)  # the suppressions of this tree
        self.env['ASAN_OPTIONS'] += f':hard_rss_limit_mb={RSS_LIMIT_MB}'
        self.baseline = None  # (lines, seconds)

    def setup(self, tracked):
        self.copy_tracked(tracked)
        cache = os.path.join(self.build, 'CMakeCache.txt')
        configured = False
        if os.path.exists(os.path.join(self.build, 'build.ninja')) and os.path.exists(cache):
            with open(cache, errors='replace') as f:
                configured = 'QUENLOR_PROBE:BOOL=ON' in f.read()
        if not configured:
            rc, out = self.run(['cmake', '-S', self.tree, '-B', self.build] + CMAKE_ARGS + ['-DQUENLOR_PROBE=ON'], 600,
                               cwd=self.tree)
            if rc != 0:
                return f'worker {self.k}: configure failed\n{out[-3000:]}'
        rc, out = self.run(['ninja', '-j', str(self.args.jobs), PROBE_TARGET], 3600)
        if rc != 0:
            return f'worker {self.k}: the unmutated probe does not build\n{out[-3000:]}'
        rc, secs, lines, err = self.probe(900)
        if rc != 0 or SANITIZER_REPORT.search(err):
            return f'worker {self.k}: the unmutated probe fails (exit {rc})\n{err[-3000:]}'
        self.baseline = (lines, secs)
        return None

    def probe(self, timeout):
        """Runs the probe: exit code (None on timeout), seconds, stdout lines, stderr."""
        out_path, err_path = os.path.join(self.tree, 'probe.out'), os.path.join(self.tree, 'probe.err')
        t0 = time.time()
        with open(out_path, 'wb') as out, open(err_path, 'wb') as err:
            self.proc = subprocess.Popen([os.path.join(self.build, 'scripts', 'probe', PROBE_TARGET)], cwd=self.build,
                                         env=self.env, stdout=out, stderr=err, start_new_session=True)
            try:
                rc = self.proc.wait(timeout=timeout)
            except subprocess.TimeoutExpired:
                os.killpg(self.proc.pid, signal.SIGKILL)
                self.proc.wait()
                rc = None
            finally:
                self.proc = None
        secs = time.time() - t0
        with open(out_path, 'rb') as f:
            lines = f.read().decode('utf-8', 'replace').split('\n')
        if lines and lines[-1] == '':
            lines.pop()
        with open(err_path, 'rb') as f:
            err = f.read().decode('utf-8', 'replace')
        return rc, secs, lines, err

    def judge(self, m):
        """verdict, detail, inputs compared, seconds."""
        placed = self.mutated_text(m)
        if placed is None:
            return 'stale', 'the line is not in the tree', 0, 0.0
        path, text, original = placed
        base, base_secs = self.baseline
        limit = max(60.0, 20 * base_secs)
        t0 = time.time()
        try:
            with open(path, 'wb') as f:
                f.write(text)
            rc, out = self.run(['ninja', '-j', str(self.args.jobs), PROBE_TARGET], 1800)
            if rc != 0:
                return 'stillborn', '', 0, time.time() - t0
            rc, _, lines, err = self.probe(limit)
        finally:
            self.restore(path, original)
        secs = time.time() - t0
        diff = first_difference(base, lines)
        where = ''
        if diff:
            i, n = diff
            if i < len(lines) and i < len(base):
                where = (f'{n} of {len(base)} lines differ, the first at line {i + 1}: {input_of(base[i])}; '
                         f'baseline: {excerpt(base[i], lines[i])}; mutated: {excerpt(lines[i], base[i])}')
            elif i < len(base):
                where = f'{len(lines)} of {len(base)} lines printed; the next input: {input_of(base[i])}'
            else:
                where = f'{len(lines) - len(base)} lines more than the baseline: {input_of(lines[i])}'
        if not where:
            where = f'all {len(base)} lines the same'
        if rc is None:
            return 'runaway', f'no end within {limit:.0f}s; {where}', len(base), secs
        if 'rss limit exhausted' in err:
            return 'runaway', f'more than {RSS_LIMIT_MB} MB of memory; {where}', len(base), secs
        report = SANITIZER_REPORT.search(err)
        if rc != 0 or report:
            first = next((x.strip() for x in err.splitlines() if SANITIZER_REPORT.search(x)), f'exit code {rc}')
            return 'crash', f'{first[:300]}; {where}', len(base), secs
        if diff:
            return 'differs', where, len(base), secs
        return 'equivalent', f'no difference on {len(base)} inputs', len(base), secs


VERDICTS = ['differs', 'runaway', 'crash', 'equivalent', 'stillborn', 'stale', 'error']


def summarize_probe(results, files_order):
    folders = {}
    for r in results:
        t = folders.setdefault(os.path.dirname(r['file']), dict.fromkeys(VERDICTS, 0))
        t[r['verdict']] += 1
    head = f"{'':<24} " + ' '.join(f'{v:>10}' for v in VERDICTS)
    out = ['per folder', head]
    for k in dict.fromkeys(os.path.dirname(f) for f in files_order):
        if k in folders:
            out.append(f'{k:<24} ' + ' '.join(f'{folders[k][v]:>10}' for v in VERDICTS))
    total = {v: sum(t[v] for t in folders.values()) for v in VERDICTS}
    out.append(f"{'all':<24} " + ' '.join(f'{total[v]:>10}' for v in VERDICTS))
    equivalent = [r for r in results if r['verdict'] == 'equivalent']
    if equivalent:
        out += ['', 'equivalent (no difference on the probe\'s inputs)']
        out += [f"  {r['file']}:{r['line']} {r['op']}: {r['mut'].strip()}  ({r['inputs']} inputs)" for r in equivalent]
    return '\n'.join(out) + '\n'


def probe_main(args):
    with open(args.probe) as f:
        mutants = [json.loads(x) for x in f if x.strip()]
    mutants = [{k: m[k] for k in ('file', 'line', 'op', 'orig', 'mut')} for m in mutants if m['status'] == 'survived']
    files_order = list(dict.fromkeys(m['file'] for m in mutants))
    os.makedirs(args.out, exist_ok=True)
    report, table = os.path.join(args.out, 'probe.jsonl'), os.path.join(args.out, 'probe.tsv')
    summary = os.path.join(args.out, 'probe-summary.txt')
    open(report, 'w').close()
    with open(table, 'w') as f:
        f.write('file\tline\toperator\tverdict\tinputs\toriginal\tmutated\tdetail\n')
    tracked = subprocess.run(['git', 'ls-files'], cwd=ROOT, capture_output=True, text=True, check=True).stdout.split()
    workers = [ProbeWorker(k, args) for k in range(max(1, min(args.workers, len(mutants))))]
    print(f'{len(mutants)} survivors to probe, {len(workers)} workers; building the probe ...', flush=True)
    t_setup = time.time()
    setup_all(workers, tracked)
    # Every worker's baseline must be the same text: the probe is deterministic, or it proves nothing.
    base = workers[0].baseline[0]
    for w in workers[1:]:
        diff = first_difference(base, w.baseline[0])
        if diff:
            sys.exit(f'the unmutated probe printed different text in workers 0 and {w.k}, '
                     f'first at line {diff[0] + 1}: {input_of(base[diff[0]]) if diff[0] < len(base) else ""}')
    print(f'workers ready after {time.time() - t_setup:.0f}s; the probe prints {len(base)} lines in '
          f'{max(w.baseline[1] for w in workers):.1f}s', flush=True)

    todo = queue.Queue()
    for m in mutants:
        todo.put(m)
    results, lock, stop = [], threading.Lock(), threading.Event()

    def work(w):
        while not stop.is_set():
            try:
                m = todo.get_nowait()
            except queue.Empty:
                return
            try:
                verdict, detail, inputs, secs = w.judge(m)
            except Exception as e:
                verdict, detail, inputs, secs = 'error', repr(e), 0, 0.0
            if stop.is_set():
                return
            r = dict(m, verdict=verdict, detail=detail, inputs=inputs, seconds=round(secs, 1), worker=w.k)
            with lock:
                results.append(r)
                with open(report, 'a') as f:
                    f.write(json.dumps(r, ensure_ascii=False) + '\n')
                with open(table, 'a') as f:
                    f.write('\t'.join([m['file'], str(m['line']), m['op'], verdict, str(inputs), m['orig'].strip(),
                                       m['mut'].strip(), detail.replace('\t', ' ').replace('\n', ' ')]) + '\n')
                print(f"[{len(results)}/{len(mutants)}] {verdict:<10} {m['file']}:{m['line']} {m['op']}: "
                      f"{m['mut'].strip()[:70]}  ({secs:.0f}s)", flush=True)

    threads = [threading.Thread(target=work, args=(w,)) for w in workers]
    run_until_done(threads, workers, stop)
    text = summarize_probe(results, files_order)
    with open(summary, 'w') as f:
        f.write(text)
    print(text)


def setup_all(workers, tracked):
    """Sets every worker up side by side; stops the tool with their messages when one fails."""
    errors = []
    setups = [threading.Thread(target=lambda w=w: errors.append(w.setup(tracked))) for w in workers]
    for t in setups:
        t.start()
    for t in setups:
        t.join()
    if any(errors):
        sys.exit('\n'.join(e for e in errors if e))


def run_until_done(threads, workers, stop):
    """Starts the worker threads and waits for them; Ctrl-C stops every worker, and each restores its file."""
    for t in threads:
        t.start()
    try:
        while any(t.is_alive() for t in threads):
            time.sleep(0.5)
    except KeyboardInterrupt:
        stop.set()
        for w in workers:
            w.kill()
        for t in threads:
            t.join()  # each restores its file on the way out
        print('interrupted; every file restored', file=sys.stderr)


# ---------------------------------------------------------------------------------------------------------------
# Report


def summarize(results, files_order):
    rows, folders = {}, {}
    for r in results:
        for key, table in ((r['file'], rows), (os.path.dirname(r['file']), folders)):
            t = table.setdefault(key, {'mutants': 0, 'stillborn': 0, 'killed': 0, 'survived': 0})
            t['mutants'] += 1
            if r['status'] in t:
                t[r['status']] += 1

    def fmt(name, t):
        counted = t['killed'] + t['survived']
        score = f"{100.0 * t['killed'] / counted:5.1f}%" if counted else '    -'
        return f"{name:<36} {t['mutants']:>7} {t['stillborn']:>9} {t['killed']:>6} {t['survived']:>8}  {score}"

    head = f"{'':<36} {'mutants':>7} {'stillborn':>9} {'killed':>6} {'survived':>8}  score"
    order = {f: i for i, f in enumerate(files_order)}
    out = ['per folder', head]
    out += [fmt(k, folders[k]) for k in dict.fromkeys(os.path.dirname(f) for f in files_order) if k in folders]
    total = {k: sum(t[k] for t in folders.values()) for k in ('mutants', 'stillborn', 'killed', 'survived')}
    out += [fmt('all', total), '', 'per file', head]
    out += [fmt(k, rows[k]) for k in sorted(rows, key=lambda f: order.get(f, 0))]
    return '\n'.join(out) + '\n'


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument('--files', nargs='+', default=DEFAULT_FILES, help='globs relative to the repository, in order')
    ap.add_argument('--seed', type=int, default=1)
    ap.add_argument('--workers', type=int, default=4)
    ap.add_argument('--jobs', type=int, default=2, help='ninja -j of each worker')
    ap.add_argument('--sample', type=float, default=1.0, help='share of the mutants of every file to run')
    ap.add_argument('--limit', type=int, help='at most this many mutants, the same share of every file')
    ap.add_argument('--out', default='mut-out')
    ap.add_argument('--work', default='/tmp/mutwork', help='where the workers keep their trees and builds')
    ap.add_argument('--test-timeout', type=int, default=60)
    ap.add_argument('--list', action='store_true', help='only list the mutants')
    ap.add_argument('--rerun', metavar='REPORT', help='run only the survivors of this mutants.jsonl')
    ap.add_argument('--skip', metavar='REPORT', nargs='+', default=[],
                    help='leave out the mutants these mutants.jsonl files have run already')
    ap.add_argument('--probe', metavar='REPORT',
                    help='compare each survivor of this mutants.jsonl with the unmutated program on the probe')
    args = ap.parse_args()

    if args.probe:
        probe_main(args)
        return

    if args.rerun:
        with open(args.rerun) as f:
            mutants = [json.loads(x) for x in f if x.strip()]
        mutants = [{k: m[k] for k in ('file', 'line', 'op', 'orig', 'mut')} for m in mutants
                   if m['status'] == 'survived']
    else:
        mutants = collect(args.files, ROOT)
        share = args.sample
        if args.limit is not None and mutants:
            share = min(share, args.limit / len(mutants))
        done = set()
        for report in args.skip:
            with open(report) as f:
                done |= {(d['file'], d['orig'], d['mut']) for d in map(json.loads, filter(str.strip, f))}
        if done:
            mutants = [m for m in mutants if (m['file'], m['orig'], m['mut']) not in done]
        if share < 1.0:
            mutants = sample(mutants, share, args.seed)
    files_order = list(dict.fromkeys(m['file'] for m in mutants))
    if args.list:
        for m in mutants:
            print(f"{m['file']}:{m['line']}\t{m['op']}\t{m['orig'].strip()}\t=>\t{m['mut'].strip()}")
        counts = {f: sum(m['file'] == f for m in mutants) for f in files_order}
        print(f'# {len(mutants)} mutants: ' + ', '.join(f'{f} {n}' for f, n in counts.items()), file=sys.stderr)
        return

    os.makedirs(args.out, exist_ok=True)
    report = os.path.join(args.out, 'mutants.jsonl')
    survivors = os.path.join(args.out, 'survivors.tsv')
    open(report, 'w').close()
    with open(survivors, 'w') as f:
        f.write('file\tline\toperator\toriginal\tmutated\n')
    tracked = subprocess.run(['git', 'ls-files'], cwd=ROOT, capture_output=True, text=True, check=True).stdout.split()
    workers = [Worker(k, args) for k in range(args.workers)]
    print(f'{len(mutants)} mutants, {args.workers} workers; setting up the workers ...', flush=True)
    t_setup = time.time()
    setup_all(workers, tracked)
    print(f'workers ready after {time.time() - t_setup:.0f}s', flush=True)

    todo = queue.Queue()
    for i, m in enumerate(mutants):
        todo.put((i, m))
    left = {f: sum(m['file'] == f for m in mutants) for f in files_order}
    results, lock, stop = [], threading.Lock(), threading.Event()
    started = time.time()

    def write_status():
        done = [f for f in files_order if left[f] == 0]
        busy = [f'{f} ({left[f]} left)' for f in files_order if left[f] > 0]
        with open(os.path.join(args.out, 'STATUS'), 'w') as f:
            f.write(f'{len(results)} of {len(mutants)} mutants done after {(time.time() - started) / 60:.1f} min\n')
            f.write('finished files:\n' + ''.join(f'  {x}\n' for x in done))
            f.write('not finished yet:\n' + ''.join(f'  {x}\n' for x in busy) if busy else 'the run is complete\n')

    def work(w):
        while not stop.is_set():
            try:
                i, m = todo.get_nowait()
            except queue.Empty:
                return
            try:
                status, detail, secs = w.mutate(m)
            except Exception as e:  # recorded, so that the file still counts as finished
                status, detail, secs = 'error', repr(e), 0.0
            if stop.is_set():
                return
            r = dict(m, status=status, detail=detail, seconds=round(secs, 1), worker=w.k)
            with lock:
                results.append(r)
                with open(report, 'a') as f:
                    f.write(json.dumps(r, ensure_ascii=False) + '\n')
                if status == 'survived':
                    with open(survivors, 'a') as f:
                        f.write('\t'.join([m['file'], str(m['line']), m['op'], m['orig'].strip(),
                                           m['mut'].strip()]) + '\n')
                left[m['file']] -= 1
                if left[m['file']] == 0:
                    with open(os.path.join(args.out, 'summary.txt'), 'w') as f:
                        f.write(summarize(results, files_order))
                write_status()
                print(f"[{len(results)}/{len(mutants)}] {status:<9} {m['file']}:{m['line']} {m['op']}: "
                      f"{m['mut'].strip()[:70]}  ({secs:.0f}s)", flush=True)

    threads = [threading.Thread(target=work, args=(w,)) for w in workers]
    with lock:
        write_status()
    run_until_done(threads, workers, stop)
    text = summarize(results, files_order)
    with open(os.path.join(args.out, 'summary.txt'), 'w') as f:
        f.write(text)
    print(text)


if __name__ == '__main__':
    def _terminate(*_):
        raise KeyboardInterrupt
    signal.signal(signal.SIGTERM, _terminate)
    main()
