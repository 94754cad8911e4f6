#!/usr/bin/env python3
"""Writes the CLI mapping resources from the one master list, so the per-version files cannot drift.

    scripts/gen_cli_maps.py           rewrites resources/cli/cli*.txt
    scripts/gen_cli_maps.py --check   fails when a committed file differs from what the list gives

Master list lines (resources/cli/master.txt), blank lines and lines starting with "#" ignored:
    version <file suffix> <order> <baseline build>    a mapping file; suffix "-" is the default cli.txt
    level <path>                                       parameters that follow live under <path>
    table <path> {<IniTable>} [since=V] [until=V] : <help>
    param|col <command> <IniName> [values=w/0,...] [default=D] [since=V] [until=V] : <help>
"col" lines belong to the last table; since/until limit a record to a range of versions (inclusive).
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
CLI_DIR = os.path.join(HERE, '..', 'resources', 'cli')


def fail(number, message):
    sys.exit('master.txt:%d: %s' % (number, message))


def parse_attributes(words, number):
    attributes = {}
    for word in words:
        key, sep, value = word.partition('=')
        if not sep or key not in ('values', 'default', 'since', 'until'):
            fail(number, 'unknown attribute %r' % word)
        attributes[key] = value
    return attributes


def read_master(path):
    versions = []  # (suffix, order, baseline)
    records = []  # dicts: kind, path, ini, attributes, help, table
    level = None
    table = None
    with open(path, encoding='utf-8') as master:
        for number, line in enumerate(master, 1):
            line = line.rstrip('\n')
            if not line.strip() or line.startswith('#'):
                continue
            head, sep, help_text = line.partition(' : ')
            words = head.split()
            kind = words[0]
            if kind == 'version':
                versions.append((words[1], float(words[2]), words[3]))
            elif kind == 'level':
                level = head[len('level '):].strip()
                table = None
            elif kind == 'table':
                if not sep or not help_text.strip():
                    fail(number, 'a table needs its help text')
                body = head[len('table '):]
                brace = body.index(' {')
                close = body.index('}', brace)
                table_path = body[:brace]
                attributes = parse_attributes(body[close + 1:].split(), number)
                table = {'kind': 'table', 'path': table_path, 'ini': body[brace + 2:close],
                         'attributes': attributes, 'help': help_text.strip(), 'table': None}
                records.append(table)
                level = None
            elif kind in ('param', 'col'):
                if not sep or not help_text.strip():
                    fail(number, 'a record needs its help text')
                if len(words) < 3:
                    fail(number, 'command and INI name expected')
                attributes = parse_attributes(words[3:], number)
                if kind == 'col':
                    if table is None:
                        fail(number, 'a column outside a table')
                    path = table['path'] + '/' + words[1]
                    owner = table
                else:
                    if level is None:
                        fail(number, 'a parameter needs a level')
                    path = level + '/' + words[1]
                    owner = None
                records.append({'kind': kind, 'path': path, 'ini': words[2], 'attributes': attributes,
                                'help': help_text.strip(), 'table': owner})
            else:
                fail(number, 'unknown line kind %r' % kind)
    return versions, records


def in_range(attributes, order):
    since = attributes.get('since')
    until = attributes.get('until')
    return (since is None or order >= float(since)) and (until is None or order <= float(until))


def render(records, order, baseline):
    lines = ['Baseline: ' + baseline]
    open_table = None
    for record in records:
        attributes = record['attributes']
        if not in_range(attributes, order):
            continue
        if record['table'] is not None and not in_range(record['table']['attributes'], order):
            continue
        # The reader files an entry under the open table when its parent segment is the table's
        # command: a parameter must not look like a column, and a column must follow its table.
        parent = record['path'].split('/')[-2] if '/' in record['path'] else None
        if record['kind'] == 'table':
            open_table = record
        elif record['kind'] == 'col':
            if open_table is not record['table']:
                sys.exit('column %s is not under its table' % record['ini'])
        else:
            if open_table is not None and parent == open_table['path'].split('/')[-1]:
                sys.exit('parameter %s would be read as a column of %s' % (record['ini'], open_table['ini']))
            open_table = None
        if record['kind'] == 'table':
            lines.append('%s -> {%s}' % (record['path'], record['ini']))
        else:
            lines.append('%s -> %s' % (record['path'], record['ini']))
            if 'values' in attributes:
                lines.append('  Values: ' + attributes['values'])
            if 'default' in attributes:
                lines.append('  Default: ' + attributes['default'])
        lines.append('  Help: ' + record['help'])
    return '\n'.join(lines) + '\n'


def main():
    check = '--check' in sys.argv[1:]
    versions, records = read_master(os.path.join(CLI_DIR, 'master.txt'))
    stale = []
    for suffix, order, baseline in versions:
        name = 'cli.txt' if suffix == '-' else 'cli-%s.txt' % suffix
        text = render(records, order, baseline)
        target = os.path.join(CLI_DIR, name)
        if check:
            with open(target, encoding='utf-8') as existing:
                if existing.read() != text:
                    stale.append(name)
        else:
            with open(target, 'w', encoding='utf-8', newline='\n') as out:
                out.write(text)
    if stale:
        sys.exit('out of date, run scripts/gen_cli_maps.py: ' + ', '.join(stale))


if __name__ == '__main__':
    main()
