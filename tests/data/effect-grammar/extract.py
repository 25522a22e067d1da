#!/usr/bin/env python3
"""Writes grammar.json beside this script: what the game itself says about
"/effect", as the npm package minecraft-data carries it.

  - java: for Java Edition 1.13, 1.16 and the latest version the package has
    a command tree for, the "effect" node of that tree (minecraft-data/data/pc/<v>/commands.json)
    and the names of the version's effects (effects.json);
  - bedrock: the names of the effects of the latest Bedrock Edition version,
    from the effects.json the package gives for it;
  - old: the numbers of the effects in Java Edition 1.12, the last version
    whose command took numbers.

Names are the game's ids: the package writes them as "MiningFatigue", the
game as "mining_fatigue".

usage: extract.py [PACKAGE_DIR]
Without PACKAGE_DIR, fetches minecraft-data@VERSION with `npm pack` into a
temporary folder and reads it there.
"""
import json
import re
import subprocess
import sys
import tempfile
from pathlib import Path

VERSION = '3.119.0'
JAVA = ['1.13', '1.16']  # and the latest
OLD = '1.12.2'


def game_id(name):
    return re.sub(r'(?<!^)(?=[A-Z])', '_', name).lower()


def read(data, kind, version, what):
    folder = json.loads((data / 'dataPaths.json').read_text())[kind][version][what]
    return json.loads((data / folder / f'{what}.json').read_text())


def extract(package):
    data = package / 'minecraft-data' / 'data'
    paths = json.loads((data / 'dataPaths.json').read_text())
    latest = [v for v, p in paths['pc'].items() if 'commands' in p][-1]
    java = []
    for version in JAVA + [latest]:
        tree = read(data, 'pc', version, 'commands')['root']['children']
        (node,) = [n for n in tree if n['name'] == 'effect']
        java.append({'version': version, 'effect': node,
                     'effects': [game_id(e['name']) for e in read(data, 'pc', version, 'effects')]})
    bedrock = list(paths['bedrock'])[-1]
    return {
        'source': f'minecraft-data {json.loads((package / "package.json").read_text())["version"]}',
        'java': java,
        'bedrock': {'version': bedrock,
                    'effects': [game_id(e['name']) for e in read(data, 'bedrock', bedrock, 'effects')]},
        'old': {'version': OLD,
                'effects': {game_id(e['name']): e['id'] for e in read(data, 'pc', OLD, 'effects')}},
    }


def main():
    if len(sys.argv) > 1:
        grammar = extract(Path(sys.argv[1]))
    else:
        with tempfile.TemporaryDirectory() as temp:
            subprocess.run(['npm', 'pack', '--silent', f'minecraft-data@{VERSION}'], cwd=temp,
                           check=True, stdout=subprocess.DEVNULL)
            (tarball,) = Path(temp).glob('*.tgz')
            subprocess.run(['tar', 'xzf', tarball.name], cwd=temp, check=True)
            grammar = extract(Path(temp) / 'package')
    out = Path(__file__).resolve().parent / 'grammar.json'
    out.write_text(json.dumps(grammar, indent=1, ensure_ascii=False) + '\n')
    print(f'wrote {out}')


if __name__ == '__main__':
    main()
