#!/usr/bin/env python3
"""Makes dist/DATA/Lib.RUS, the Russian word library: common nouns in the
nominative singular, in capitals, Windows-1251, Ё written as Е.

Source: the Russian hunspell dictionary (Debian package hunspell-ru,
/usr/share/hunspell/ru_RU.dic and ru_RU.aff).  A dictionary entry carries
flags; each flag names a set of suffix rules that make the entry's other
forms.  The noun paradigms are the flags I, H (first declension, -А/-Я),
K, J (second declension), N, F (third declension and some others),
O, G and E (irregular stems that mix nouns with other words).

Rules, in order (each drop is counted and printed):
  1. the entry is written in lower-case Cyrillic letters only (capitalised
     entries are names of people and places; hyphenated entries are compounds);
  2. it carries a noun flag;
  3. the forms those flags make are not an adjective paradigm (-ОГО, -ОМУ, -УЮ);
  4. the forms prove a nominative singular: a word in -А/-Я has its accusative
     in -У/-Ю, a word in -О/-Е/-Ё its genitive in -А/-Я, a word in -Й its
     genitive in -Я, any other word a singular form in -У/-Ю (dative of
     masculine nouns, -ЬЮ of the third declension).  Plural entries such as
     ВЁСЛА or СТУЛЬЯ and listed case forms such as ГОРБУШЕЙ fail here;
  5. it has a vowel (ВУЗ-like abbreviations written without one are dropped)
     and is not in rus_exclude.txt (abbreviations, vulgar and offensive words);
  6. after Ё becomes Е it has 2..20 letters.
Then the words of rus_extra.txt are added: nouns whose forms the dictionary
lists as separate entries (ВЕТЕР, ПУТЬ, ВРЕМЯ), indeclinable nouns (КОФЕ,
МЕТРО), plural-only nouns (НОЖНИЦЫ, САНИ) and nouns that decline like
adjectives (СТОЛОВАЯ).  Each of them must be a word of the dictionary too.
The result is checked against rus_present.txt and rus_absent.txt.

Run: python3 tools/libraries/make_rus.py   (no arguments; deterministic)
"""

import os
import re
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import common  # noqa: E402

DIC = '/usr/share/hunspell/ru_RU.dic'
AFF = '/usr/share/hunspell/ru_RU.aff'
OUTPUT = os.path.join(common.REPO, 'dist', 'DATA', 'Lib.RUS')

NOUN_FLAGS = set('IHKJNFOGE')
ADJECTIVE_ENDINGS = ('ый', 'ий', 'ой', 'ая', 'яя', 'ое', 'ее', 'ые', 'ие')
ADJECTIVE_CASES = ('ого', 'его', 'ому', 'ему', 'ую', 'юю')
LOWER_CYRILLIC = re.compile('[а-яё]+')
VOWELS = set('аеёиоуыэюя')
CAPITALS = 'АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ'  # Windows-1251 codes 192..223

HEADER = [
    'Vorda 2000 word library: Russian common nouns in the nominative singular.',
    'Made by tools/libraries/make_rus.py from the Russian hunspell dictionary',
    '(Debian package hunspell-ru: ru_RU.dic, ru_RU.aff),',
    'Copyright (c) 1997-2008 Alexander I. Lebedev, used under its BSD-style licence;',
    'the licence text and disclaimer are in tools/README.md.',
    'MODIFIED VERSION: this is not the original dictionary. Nouns were selected by',
    'rule, written in capitals with YO as YE, and a short list of our own was added.',
]


def read_affixes():
    """flag -> list of (text to strip, text to add, condition on the word's end)"""
    common.require_file(AFF, 'hunspell-ru')
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
    common.require_file(DIC, 'hunspell-ru')
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


def proves_nominative_singular(word, forms):
    stem, last = word[:-1], word[-1]
    if last in 'ая':
        return stem + 'у' in forms or stem + 'ю' in forms
    if last in 'оеё':
        return stem + 'а' in forms or stem + 'я' in forms
    if last == 'й' and stem + 'я' not in forms:
        return False  # an instrumental such as ГОРБУШЕЙ, listed with only its -ЕЮ variant
    return any(f.endswith(('у', 'ю')) for f in forms)


def is_adjective_paradigm(word, forms):
    return word.endswith(ADJECTIVE_ENDINGS) and any(word[:-2] + c in forms for c in ADJECTIVE_CASES)


def to_library(word):
    return word.replace('ё', 'е').upper()


def main():
    rules = read_affixes()
    entries = read_entries()
    exclude = {to_library(w) for w in common.read_word_list('rus_exclude.txt')}
    extra = common.read_word_list('rus_extra.txt')
    present = [to_library(w) for w in common.read_word_list('rus_present.txt')]
    absent = [to_library(w) for w in common.read_word_list('rus_absent.txt')]

    dropped = {}

    def drop(reason):
        dropped[reason] = dropped.get(reason, 0) + 1

    dictionary_words = set()  # every word the dictionary knows, in library spelling
    words = set()
    for word, flags in entries:
        forms = make_forms(rules, word, flags)
        dictionary_words.add(to_library(word))
        dictionary_words.update(to_library(f) for f in forms)
        if not LOWER_CYRILLIC.fullmatch(word):
            drop('names, compounds and capitalised entries')
            continue
        noun_flags = [f for f in flags if f in NOUN_FLAGS]
        if not noun_flags:
            drop('entries without a noun paradigm')
            continue
        forms = make_forms(rules, word, noun_flags)
        if is_adjective_paradigm(word, forms):
            drop('adjective paradigms')
            continue
        if not proves_nominative_singular(word, forms):
            drop('plurals and other forms that are not a nominative singular')
            continue
        if not VOWELS.intersection(word):
            drop('abbreviations')
            continue
        library_word = to_library(word)
        if library_word in exclude:
            drop('hand-made exclusion list')
            continue
        if not common.MIN_LEN <= len(library_word) <= common.MAX_LEN:
            drop('too short or too long')
            continue
        words.add(library_word)

    unknown = []
    for word in extra:
        library_word = to_library(word)
        if library_word not in dictionary_words:
            unknown.append(word)
        if library_word in exclude:
            raise common.GeneratorError(f'rus_extra.txt and rus_exclude.txt both name {word}')
        words.add(library_word)
    if unknown:
        raise common.GeneratorError('rus_extra.txt names words the dictionary does not know: '
                                    + ', '.join(unknown))

    words = sorted(words, key=lambda w: w.encode('cp1251'))
    common.check_words(words, set(CAPITALS), 'Russian')
    common.check_review_lists(words, present, absent, 'Russian')
    line_count, digest = common.write_library(OUTPUT, HEADER, words, 'cp1251')
    for reason in sorted(dropped):
        print(f'  dropped {dropped[reason]:6} {reason}')
    print(f'  added   {len(extra):6} words of rus_extra.txt')
    common.report(OUTPUT, words, line_count, digest)


if __name__ == '__main__':
    try:
        main()
    except (common.GeneratorError, OSError) as e:
        common.fail(str(e))
