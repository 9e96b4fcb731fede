#!/usr/bin/env python3
"""Makes dist/DATA/Lib.ENG, the English word library: common nouns in the singular.

Sources (Debian packages):
  wordnet-base     nouns, their senses and glosses, the plural exceptions
  wamerican-large  spelling lists; a noun is kept only when one of them
  wbritish-large   spells it in lower case, which drops proper nouns
  scowl            the abbreviation lists

Rules, in order (each drop is counted and printed):
  1. the WordNet lemma is one word of 2..20 letters a-z, spelled in lower case
     by a spelling list;
  2. at least one sense is a common noun: not an instance (a named person,
     place or thing) and not written only with a capital (element symbols
     such as He, names of peoples);
  3. not an abbreviation (SCOWL's lists, or a word without a vowel such as
     KG) and not in eng_exclude.txt
     (function words, vulgar and offensive words, a few stray entries);
  4. not offensive by WordNet's own gloss for half or more of its senses;
  5. not a plural of another kept noun, unless it ends in -ics (PHYSICS) or
     eng_keep.txt names it as a noun in its own right (NEWS, GLASSES);
  6. not an -ING form whose noun senses are all acts, events or processes;
  7. not a word that is really an adjective or adverb: an adjective whose
     noun senses only name people collectively (THE NEEDY), or a word whose
     noun senses WordNet's tagged corpus never met while it met the word as
     an adjective or adverb more than once, or as often as not by the count
     of senses.
eng_keep.txt lists the few real nouns that rules 5..7 would wrongly drop.
The result is checked against eng_present.txt and eng_absent.txt.

Run: python3 tools/libraries/make_eng.py   (no arguments; deterministic)
"""

import glob
import os
import re
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import common  # noqa: E402

WORDNET = '/usr/share/wordnet/'
SPELLING = [('/usr/share/dict/american-english-large', 'wamerican-large'),
            ('/usr/share/dict/british-english-large', 'wbritish-large')]
SCOWL = '/usr/share/dict/scowl/'
OUTPUT = os.path.join(common.REPO, 'dist', 'DATA', 'Lib.ENG')

LEX_ACT, LEX_EVENT, LEX_PROCESS = 4, 11, 22
GERUND_ONLY_FILES = {LEX_ACT, LEX_EVENT, LEX_PROCESS}
OFFENSIVE_GLOSS = re.compile(
    r'ethnic slur|offensive (?:term|name|slang|British slang)|\(offensive|obscene (?:term|word)s?'
    r'|vulgar slang|insulting term|disparaging term|derogatory term|\(slang\) offensive', re.I)
PLURAL_RULES = [('s', ''), ('ses', 's'), ('xes', 'x'), ('zes', 'z'), ('ches', 'ch'),
                ('shes', 'sh'), ('men', 'man'), ('ies', 'y')]
VOWEL = re.compile('[aeiouy]')
VOWELLESS_WORDS = {'cwm', 'crwth'}  # Welsh loans; every other word without a vowel is a symbol
COLLECTIVE_GLOSS = re.compile(r'collectively|^people who|^those who|^(?:the )?people ')
LEMMA = re.compile(r'[a-z]{%d,%d}' % (common.MIN_LEN, common.MAX_LEN))

HEADER = [
    'Vorda 2000 word library: English common nouns in the singular.',
    'Made by tools/libraries/make_eng.py from WordNet 3.0 (Debian package wordnet-base),',
    'filtered with the SCOWL spelling and abbreviation lists (wamerican-large, wbritish-large, scowl).',
    'WordNet 3.0 Copyright 2006 by Princeton University. All rights reserved.',
    'SCOWL word lists Copyright 2000-2011 by Kevin Atkinson.',
    'Both are used under their permissive licences; the notices are in tools/README.md.',
]


def read_data(pos):
    """synset offset -> (lexicographer file number, words as written, pointer symbols, gloss)"""
    path = common.require_file(WORDNET + 'data.' + pos, 'wordnet-base')
    synsets = {}
    with open(path, encoding='latin-1') as f:
        for line in f:
            if line.startswith('  '):
                continue  # licence text at the top of the file
            head, _, gloss = line.partition(' | ')
            p = head.split()
            count = int(p[3], 16)
            words = [p[4 + 2 * i] for i in range(count)]
            at = 4 + 2 * count
            pointers = [p[at + 1 + 4 * k] for k in range(int(p[at]))]
            synsets[p[0]] = (int(p[1]), words, pointers, gloss.strip())
    return synsets


def read_index(pos):
    """lemma -> (synset offsets, number of senses seen in the tagged corpus)"""
    path = common.require_file(WORDNET + 'index.' + pos, 'wordnet-base')
    index = {}
    with open(path, encoding='latin-1') as f:
        for line in f:
            if line.startswith('  '):
                continue
            p = line.split()
            pointer_count = int(p[3])
            index[p[0]] = (p[6 + pointer_count:], int(p[5 + pointer_count]))
    return index


def read_exceptions(name):
    path = common.require_file(WORDNET + name, 'wordnet-base')
    exceptions = {}
    with open(path, encoding='latin-1') as f:
        for line in f:
            p = line.split()
            exceptions.setdefault(p[0], []).extend(p[1:])
    return exceptions


def read_lines(path, package):
    common.require_file(path, package)
    with open(path, encoding='latin-1') as f:
        return {line.strip() for line in f}


def lower_case_abbreviations():
    """SCOWL abbreviations written wholly in lower case (kg, doz); 'Ore' or 'Can' are
    capitalised abbreviations and say nothing about the nouns ore and can."""
    files = sorted(glob.glob(SCOWL + '*abbreviations*'))
    if not files:
        raise common.GeneratorError(SCOWL + ' has no abbreviation lists: install the Debian package "scowl"')
    found = set()
    for path in files:
        found |= {w for w in read_lines(path, 'scowl') if LEMMA.fullmatch(w)}
    return found


def main():
    nouns = read_data('noun')
    noun_index = read_index('noun')
    other_index = {pos: read_index(pos) for pos in ('adj', 'adv', 'verb')}
    noun_exc = read_exceptions('noun.exc')
    spelling = set()
    for path, package in SPELLING:
        spelling |= read_lines(path, package)
    abbreviations = lower_case_abbreviations()
    exclude = set(w.lower() for w in common.read_word_list('eng_exclude.txt'))
    keep_anyway = set(w.lower() for w in common.read_word_list('eng_keep.txt'))
    present = common.read_word_list('eng_present.txt')
    absent = common.read_word_list('eng_absent.txt')

    dropped = {}

    def drop(reason):
        dropped[reason] = dropped.get(reason, 0) + 1

    # Rules 1..4.
    common_nouns = {}
    for lemma in sorted(noun_index):
        if not LEMMA.fullmatch(lemma) or lemma not in spelling:
            continue
        offsets, tagged = noun_index[lemma]
        senses = []
        for offset in offsets:
            lex, words, pointers, gloss = nouns[offset]
            if '@i' in pointers and '@' not in pointers:
                continue  # an instance: a particular person, place or event
            written = [w for w in words if re.sub(r'\(.*\)$', '', w).lower() == lemma]
            if written and all(w[0].isupper() for w in written):
                continue  # only ever written with a capital here
            senses.append(offset)
        if not senses:
            drop('proper nouns and symbols')
            continue
        if lemma in abbreviations or (not VOWEL.search(lemma) and lemma not in VOWELLESS_WORDS):
            drop('abbreviations')
            continue
        if lemma in exclude:
            drop('hand-made exclusion list')
            continue
        offensive = sum(1 for o in senses if OFFENSIVE_GLOSS.search(nouns[o][3]))
        if 2 * offensive >= len(senses):
            drop('offensive by gloss')
            continue
        common_nouns[lemma] = (senses, tagged)

    def plural_bases(lemma):
        bases = set(noun_exc.get(lemma, []))
        for suffix, replacement in PLURAL_RULES:
            if lemma.endswith(suffix):
                bases.add(lemma[:len(lemma) - len(suffix)] + replacement)
        bases.discard(lemma)
        return [b for b in bases if b in common_nouns]

    verb_exc = read_exceptions('verb.exc')

    def verb_of_ing(lemma):
        if not lemma.endswith('ing'):
            return None
        stem = lemma[:-3]
        candidates = [stem, stem + 'e']
        if len(stem) > 2 and stem[-1] == stem[-2]:
            candidates.append(stem[:-1])
        for c in candidates:
            if c in other_index['verb']:
                return c
        return verb_exc.get(lemma, [None])[0]

    words = []
    unused_keep = set(keep_anyway)
    for lemma, (senses, tagged) in common_nouns.items():
        if lemma in keep_anyway:
            unused_keep.discard(lemma)
            words.append(lemma)
            continue
        # Rule 5.
        if plural_bases(lemma) and not lemma.endswith('ics'):
            drop('plurals of other nouns')
            continue
        # Rule 6.
        if verb_of_ing(lemma) and all(nouns[o][0] in GERUND_ONLY_FILES for o in senses):
            drop('-ing forms naming only acts')
            continue
        # Rule 7.
        if lemma in other_index['adj'] and all(COLLECTIVE_GLOSS.search(nouns[o][3]) for o in senses):
            drop('adjectives and adverbs')  # "the needy", "the wounded"
            continue
        adj_senses = len(other_index['adj'].get(lemma, ((), 0))[0]) + len(other_index['adv'].get(lemma, ((), 0))[0])
        adj_tagged = max(other_index['adj'].get(lemma, ((), 0))[1], other_index['adv'].get(lemma, ((), 0))[1])
        if tagged == 0 and adj_tagged >= 1 and (adj_tagged >= 2 or len(senses) <= adj_senses):
            drop('adjectives and adverbs')
            continue
        words.append(lemma)

    if unused_keep:
        raise common.GeneratorError('eng_keep.txt names words that are not common nouns in WordNet: '
                                    + ', '.join(sorted(unused_keep)))
    words = sorted(w.upper() for w in words)
    common.check_words(words, set('ABCDEFGHIJKLMNOPQRSTUVWXYZ'), 'English')
    common.check_review_lists(words, [w.upper() for w in present], [w.upper() for w in absent], 'English')
    line_count, digest = common.write_library(OUTPUT, HEADER, words, 'ascii')
    for reason in sorted(dropped):
        print(f'  dropped {dropped[reason]:6} {reason}')
    common.report(OUTPUT, words, line_count, digest)


if __name__ == '__main__':
    try:
        main()
    except (common.GeneratorError, OSError) as e:
        common.fail(str(e))
