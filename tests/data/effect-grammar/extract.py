#!/usr/bin/env python3
"""Writes grammar.json beside this script: what the games themselves say about
"/effect".

  - java: for Java Edition 1.13, 1.16 and 26.1, the "effect" node of that
    version's command tree (minecraft-data/data/pc/<v>/commands.json) and the
    ids of the version's effects (effects.json), from the npm package
    minecraft-data;
  - bedrock: the effect ids that Bedrock Edition's /effect takes, from the
    page of the command in the public repository of the game's creator
    documentation, at the revision BEDROCK_COMMIT;
  - old: the numbers of the effects in Java Edition 1.12, the last version
    whose command took numbers (minecraft-data).

Ids are the game's: the package writes them as "MiningFatigue", the game as
"mining_fatigue", and one by its English name ("BadLuck", the game's
"unluck"); each Java id is checked against the version's language file.

usage: extract.py [PACKAGE_DIR] [--bedrock-page FILE]
Without PACKAGE_DIR, fetches minecraft-data@VERSION with `npm pack` into a
temporary folder and reads it there. Without FILE, reads the Bedrock page
at BEDROCK_COMMIT from GitHub.
"""
import json
import re
import subprocess
import sys
import tempfile
import urllib.request
from pathlib import Path

VERSION = '3.119.0'
JAVA = ['1.13', '1.16', '26.1']
OLD = '1.12.2'
BEDROCK_REPO = 'MicrosoftDocs/minecraft-creator'
BEDROCK_PAGE = 'creator/Commands/commands/effect.md'
BEDROCK_COMMIT = '37cb42b9637fdf060a165f1b4b2da4925a94c712'
# Where the package's name is not the game's id.
RENAMED = {'bad_luck': 'unluck'}


def game_id(name):
    snake = re.sub(r'(?<!^)(?=[A-Z])', '_', name).lower()
    return RENAMED.get(snake, snake)


def read(data, kind, version, what):
    folder = json.loads((data / 'dataPaths.json').read_text())[kind][version][what]
    return json.loads((data / folder / f'{what}.json').read_text())


def java_ids(data, version):
    ids = [game_id(e['name']) for e in read(data, 'pc', version, 'effects')]
    language = read(data, 'pc', version, 'language')
    unknown = [i for i in ids if f'effect.minecraft.{i}' not in language]
    assert not unknown, f'{version}: not in the language file: {unknown}'
    return ids


def bedrock_ids(page):
    """The values of the Effect enum: the "- `id`" lines under "#### Values"."""
    values = page.split('#### Values', 1)[1]
    return re.findall(r'^- `([a-z_]+)`', values, flags=re.M)


def extract(package, page):
    data = package / 'minecraft-data' / 'data'
    java = []
    for version in JAVA:
        tree = read(data, 'pc', version, 'commands')['root']['children']
        (node,) = [n for n in tree if n['name'] == 'effect']
        java.append({'version': version, 'effect': node, 'effects': java_ids(data, version)})
    usage = re.findall(r'^`(/effect [^`]*)`', page, flags=re.M)
    return {
        'source': f'minecraft-data {json.loads((package / "package.json").read_text())["version"]}',
        'java': java,
        'bedrock': {'version': f'docs {BEDROCK_COMMIT[:7]}',
                    'source': f'{BEDROCK_REPO} {BEDROCK_PAGE} at {BEDROCK_COMMIT}',
                    'usage': usage,
                    'effects': bedrock_ids(page)},
        'old': {'version': OLD,
                'effects': {game_id(e['name']): e['id'] for e in read(data, 'pc', OLD, 'effects')}},
    }


def bedrock_page(args):
    if '--bedrock-page' in args:
        return Path(args[args.index('--bedrock-page') + 1]).read_text()
    url = f'https://raw.githubusercontent.com/{BEDROCK_REPO}/{BEDROCK_COMMIT}/{BEDROCK_PAGE}'
    with urllib.request.urlopen(url, timeout=60) as answer:
        return answer.read().decode()


def main():
    args = sys.argv[1:]
    page = bedrock_page(args)
    if '--bedrock-page' in args:
        at = args.index('--bedrock-page')
        del args[at:at + 2]
    if args:
        grammar = extract(Path(args[0]), page)
    else:
        with tempfile.TemporaryDirectory() as temp:
            subprocess.run(['npm', 'pack', '--silent', f'minecraft-data@{VERSION}'], cwd=temp,
                           check=True, stdout=subprocess.DEVNULL)
            (tarball,) = Path(temp).glob('*.tgz')
            subprocess.run(['tar', 'xzf', tarball.name], cwd=temp, check=True)
            grammar = extract(Path(temp) / 'package', page)
    out = Path(__file__).resolve().parent / 'grammar.json'
    out.write_text(json.dumps(grammar, indent=1, ensure_ascii=False) + '\n')
    print(f'wrote {out}')


if __name__ == '__main__':
    main()
