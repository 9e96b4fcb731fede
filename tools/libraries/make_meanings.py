#!/usr/bin/env python3
"""Makes dist/DATA/Meanings.ENG: a short definition of each word of the English library.

Source: WordNet 3.0 (Debian package wordnet-base), the same nouns make_eng.py chose
the library from.  A word's definition is the gloss of its first common-noun sense
(index.noun lists the senses commonest first; instances such as a named person and
senses written only with a capital are passed over, as make_eng.py passes them),
without the quoted examples, at most MAX_GLOSS characters (cut at a word with
"..." when longer).  Lines are WORD, a TAB and the gloss, in the library's order.

Run: python3 tools/libraries/make_meanings.py   (no arguments; deterministic)
"""

import os
import re
import sys
import unicodedata

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import common  # noqa: E402
import make_eng  # noqa: E402

OUTPUT = os.path.join(common.REPO, 'dist', 'DATA', 'Meanings.ENG')
MAX_GLOSS = 200
HEADER = [
    'Vorda 2000 meanings of the English library (Lib.ENG): WORD, a TAB, a short definition.',
    'Made by tools/libraries/make_meanings.py from WordNet 3.0 (Debian package wordnet-base):',
    'the gloss of each word\'s first common-noun sense, without its examples.',
    'WordNet 3.0 Copyright 2006 by Princeton University. All rights reserved.',
    'Used under the WordNet licence; the notice and disclaimer are in tools/README.md.',
]


def definition(gloss):
    """The gloss without its quoted examples, in plain ASCII, at most MAX_GLOSS characters."""
    text = gloss
    for quote in re.finditer(r'(?:^|[;:,]?\s+)"', gloss):
        before = gloss[:quote.start()]
        if before.count('(') == before.count(')'):  # a quotation inside brackets is the definition's
            text = before
            break
    text = re.sub(r'\s+', ' ', text).strip().rstrip(';:,').strip()
    text = unicodedata.normalize('NFKD', text).encode('ascii', 'ignore').decode('ascii')
    if len(text) > MAX_GLOSS:
        text = text[:MAX_GLOSS - 3].rsplit(' ', 1)[0].rstrip(';:,') + '...'
    return text


def first_common_sense(lemma, nouns, index):
    for offset in index[lemma][0]:
        _, words, pointers, gloss = nouns[offset]
        if '@i' in pointers and '@' not in pointers:
            continue  # an instance: a particular person, place or event
        written = [w for w in words if re.sub(r'\(.*\)$', '', w).lower() == lemma]
        if written and all(w[0].isupper() for w in written):
            continue
        return gloss
    return None


def main():
    nouns = make_eng.read_data('noun')
    index = make_eng.read_index('noun')
    with open(os.path.join(common.REPO, 'dist', 'DATA', 'Lib.ENG'), 'rb') as f:
        library = [w for w in f.read().decode('ascii').split('\r\n')[:-1] if not w.startswith(';')]
    lines = []
    missing = []
    for word in library:
        gloss = first_common_sense(word.lower(), nouns, index) if word.lower() in index else None
        text = definition(gloss) if gloss else ''
        if not text:
            missing.append(word)
            continue
        lines.append(word + '\t' + text)
    line_count, digest = common.write_library(OUTPUT, HEADER, lines, 'cp1251')
    print(f'{os.path.relpath(OUTPUT, common.REPO)}: {line_count} lines, {len(lines)} meanings '
          f'of {len(library)} words, sha256 {digest}')
    if missing:
        print(f'  no meaning for {len(missing)}: ' + ' '.join(missing[:20]))


if __name__ == '__main__':
    try:
        main()
    except (common.GeneratorError, OSError) as e:
        common.fail(str(e))
