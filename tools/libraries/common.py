"""Shared helpers for the word library generators.

Both generators end the same way: a sorted list of capitalised words is
checked against the two review lists of its language and written as a
library file (comment header, CR LF line ends, 8-bit code page).  Any
violation stops the generator with a non-zero exit code and a message that
names the offending words, so a bad list can never be written silently.
"""

import hashlib
import os
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.dirname(os.path.dirname(HERE))

MIN_LEN = 2
MAX_LEN = 20
MAX_LINES = 65535          # the loader counts words in 16 bits
MIN_FIVE_LETTER = 2500     # every game starts from a random five-letter word


class GeneratorError(Exception):
    """A source file is missing or the result breaks a rule of the library."""


def fail(message):
    print('error: ' + message, file=sys.stderr)
    sys.exit(1)


def require_file(path, package):
    if not os.path.isfile(path):
        raise GeneratorError(f'{path} not found: install the Debian package "{package}"')
    return path


def read_word_list(name, encoding='utf-8'):
    """Reads one of our plain data files: one entry per line, '#' starts a comment."""
    path = os.path.join(HERE, name)
    words = []
    seen = set()
    with open(path, encoding=encoding) as f:
        for number, line in enumerate(f, 1):
            line = line.split('#', 1)[0].strip()
            if not line:
                continue
            if line in seen:
                raise GeneratorError(f'{name}:{number}: "{line}" is listed twice')
            seen.add(line)
            words.append(line)
    return words


def check_review_lists(words, present, absent, language):
    """The review lists are promises about the output; break one and we stop."""
    have = set(words)
    missing = sorted(w for w in present if w not in have)
    intruders = sorted(w for w in absent if w in have)
    problems = []
    if missing:
        problems.append(f'{language}: everyday nouns missing from the library: ' + ', '.join(missing))
    if intruders:
        problems.append(f'{language}: words that must not be in the library: ' + ', '.join(intruders))
    if problems:
        raise GeneratorError('\n'.join(problems))


def check_words(words, alphabet, language, order=None):
    """order: the sort key of the library's order, a word's own code points when None."""
    bad = [w for w in words if not (MIN_LEN <= len(w) <= MAX_LEN) or any(c not in alphabet for c in w)]
    if bad:
        raise GeneratorError(f'{language}: malformed words: ' + ', '.join(bad[:20]))
    if words != sorted(set(words), key=order):
        raise GeneratorError(f'{language}: words are not sorted and unique')
    five = sum(1 for w in words if len(w) == 5)
    if five < MIN_FIVE_LETTER:
        raise GeneratorError(f'{language}: only {five} five-letter words, {MIN_FIVE_LETTER} needed')


def write_library(path, header, words, encoding):
    """Writes header comments and words with CR LF, replacing the file atomically."""
    lines = ['; ' + h if h else ';' for h in header] + list(words)
    if len(lines) > MAX_LINES:
        raise GeneratorError(f'{path}: {len(lines)} lines, at most {MAX_LINES} allowed')
    for h in header:
        if any(not (32 <= ord(c) < 127) for c in h):
            raise GeneratorError('header lines must be plain ASCII: ' + h)
    data = ''.join(line + '\r\n' for line in lines).encode(encoding)
    folder = os.path.dirname(path)
    os.makedirs(folder, exist_ok=True)
    fd, tmp = tempfile.mkstemp(dir=folder, prefix='.lib-')
    try:
        with os.fdopen(fd, 'wb') as f:
            f.write(data)
        os.chmod(tmp, 0o644)
        os.replace(tmp, path)
    except BaseException:
        if os.path.exists(tmp):
            os.unlink(tmp)
        raise
    return len(lines), hashlib.sha256(data).hexdigest()


def report(path, words, line_count, digest):
    by_length = {}
    for w in words:
        by_length[len(w)] = by_length.get(len(w), 0) + 1
    print(f'{os.path.relpath(path, REPO)}: {line_count} lines, {len(words)} words, sha256 {digest}')
    print('  by length: ' + ' '.join(f'{n}:{by_length[n]}' for n in sorted(by_length)))
