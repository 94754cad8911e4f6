#!/usr/bin/env python3
"""Writes the benchmark inputs: synthetic device INI files and a large CLI map.

    bench/generate_bench_inputs.py OUTPUT_DIR

device-0.1mb.ini, device-1mb.ini, device-10mb.ini  parameters, sections, comments, tables of 5 to 40 columns
long-rows.ini                                      a table of 20,000 columns with a few full rows
wide-format.ini                                    a FORMAT line of 200,000 columns and 2,000 short rows
ip-profile.ini                                     one IpProfile row of 60,000 columns, for the conversion
convert-map.txt, convert.ini                       a large map and an INI that uses it (plus unmapped names)
"""
import os
import random
import sys

WORDS = ['Media', 'Realm', 'Proxy', 'Group', 'Route', 'Coder', 'Profile', 'Trunk', 'Sip', 'Port',
         'Address', 'Mode', 'Timer', 'Policy', 'Rule', 'Tag', 'Name', 'Host', 'User', 'Limit']


def value(rng):
    kind = rng.randrange(6)
    if kind == 0:
        return str(rng.randrange(-1, 70000))
    if kind == 1:
        return '%d.%d.%d.%d' % (rng.randrange(256), rng.randrange(256), rng.randrange(256), rng.randrange(256))
    if kind == 2:
        return '"%s%s-%d"' % (rng.choice(WORDS), rng.choice(WORDS), rng.randrange(1000))
    if kind == 3:
        return ''
    if kind == 4:
        return "'%s %s'" % (rng.choice(WORDS), rng.choice(WORDS))
    return str(rng.randrange(2))


def device_ini(target_bytes, seed):
    rng = random.Random(seed)
    out = [';Board: Quorvex generated device\r\n', ';Serial Number: 00000000\r\n', ';Slot 1 : FXS\r\n', '\r\n']
    size = sum(len(line) for line in out)
    block = 0
    while size < target_bytes:
        block += 1
        chunk = []
        chunk.append('\r\n[%s Params %d]\r\n\r\n' % (rng.choice(WORDS), block))
        for i in range(rng.randrange(10, 60)):
            if rng.randrange(8) == 0:
                chunk.append(';%s %s note %d\r\n' % (rng.choice(WORDS), rng.choice(WORDS), i))
            chunk.append('%s%s%d_%d = %s\r\n' % (rng.choice(WORDS), rng.choice(WORDS), block, i, value(rng)))
        name = '%s%sTable%d' % (rng.choice(WORDS), rng.choice(WORDS), block)
        columns = ['%s_%s%d' % (name, rng.choice(WORDS), c) for c in range(rng.randrange(5, 41))]
        chunk.append('\r\n[ %s ]\r\n\r\n' % name)
        chunk.append('FORMAT Index = %s;\r\n' % ', '.join(columns))
        for row in range(rng.randrange(5, 80)):
            chunk.append('%s %d = %s;\r\n' % (name, row, ', '.join(value(rng) for _ in columns)))
        chunk.append('\r\n[ \\%s ]\r\n\r\n' % name)
        text = ''.join(chunk)
        out.append(text)
        size += len(text)
    return ''.join(out)


def long_rows(seed):
    rng = random.Random(seed)
    columns = ['WideTable_Column%d' % c for c in range(20000)]
    lines = ['[ WideTable ]', 'FORMAT Index = %s;' % ', '.join(columns)]
    for row in range(4):
        lines.append('WideTable %d = %s;' % (row, ', '.join(value(rng) for _ in columns)))
    lines.append('[ \\WideTable ]')
    return '\r\n'.join(lines) + '\r\n'


def wide_format():
    columns = ['Wide_Column%d' % c for c in range(200000)]
    lines = ['[ WideFormat ]', 'FORMAT Index = %s;' % ', '.join(columns)]
    lines += ['WideFormat %d = %d, "name %d", 1;' % (row, row, row) for row in range(2000)]
    lines.append('[ \\WideFormat ]')
    return '\r\n'.join(lines) + '\r\n'


def ip_profile(seed):
    rng = random.Random(seed)
    columns = ['IpProfile_ProfileName'] + ['IpProfile_Extra%d' % c for c in range(59999)]
    values = ['"Profile"'] + [value(rng) for _ in range(59999)]
    lines = ['[ IpProfile ]', 'FORMAT IpProfile_Index = %s;' % ', '.join(columns),
             'IpProfile 0 = %s;' % ', '.join(values), '[ \\IpProfile ]']
    return '\n'.join(lines) + '\n'


def convert_inputs(seed):
    rng = random.Random(seed)
    areas = ['network', 'system', 'troubleshoot', 'voip']
    map_lines = ['Baseline: 9.99A.000.000']
    ini_lines = []
    for p in range(3000):
        path = 'configure %s/%s-settings-%d/param-%d' % (areas[p % 4], rng.choice(WORDS).lower(), p % 37, p)
        map_lines.append('%s -> BenchParam%d' % (path, p))
        if p % 3 == 0:
            map_lines.append('  Values: disable/0,enable/1')
        map_lines.append('  Default: 0')
        map_lines.append('  Help: generated parameter')
        ini_lines.append('BenchParam%d = %s' % (p, value(rng)))
    for p in range(300):
        ini_lines.append('UnmappedParam%d = %s' % (p, value(rng)))
    for t in range(160):
        name = 'BenchTable%d' % t
        command = 'bench-table-%d' % t
        map_lines.append('configure %s/%s -> {%s}' % (areas[t % 4], command, name))
        columns = ['%s_Col%d' % (name, c) for c in range(rng.randrange(5, 41))]
        for c, column in enumerate(columns):
            map_lines.append('configure %s/%s/col-%d -> %s' % (areas[t % 4], command, c, column))
            map_lines.append('  Default: ""')
            map_lines.append('  Help: generated column')
        ini_lines.append('')
        ini_lines.append('[ %s ]' % name)
        ini_lines.append('FORMAT Index = %s;' % ', '.join(columns))
        for row in range(rng.randrange(10, 120)):
            ini_lines.append('%s %d = %s;' % (name, row, ', '.join(value(rng) for _ in columns)))
        ini_lines.append('[ \\%s ]' % name)
    return '\n'.join(map_lines) + '\n', '\n'.join(ini_lines) + '\n'


def write(directory, name, text):
    with open(os.path.join(directory, name), 'w', encoding='utf-8', newline='') as out:
        out.write(text)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    directory = sys.argv[1]
    os.makedirs(directory, exist_ok=True)
    write(directory, 'device-0.1mb.ini', device_ini(100 * 1000, 1))
    write(directory, 'device-1mb.ini', device_ini(1000 * 1000, 2))
    write(directory, 'device-10mb.ini', device_ini(10 * 1000 * 1000, 3))
    write(directory, 'long-rows.ini', long_rows(4))
    write(directory, 'wide-format.ini', wide_format())
    write(directory, 'ip-profile.ini', ip_profile(6))
    map_text, ini_text = convert_inputs(5)
    write(directory, 'convert-map.txt', map_text)
    write(directory, 'convert.ini', ini_text)


if __name__ == '__main__':
    main()
