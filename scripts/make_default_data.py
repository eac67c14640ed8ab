#!/usr/bin/env python3
"""Writes the data files a new installation starts from (resources/data/).

The values are the program's defaults: current United States figures for a
first-time buyer. Run it again after changing a value; the data tests check
that every file is in the exact format the program writes. GOVLOANS.DAT is
not written here: it holds the program's built-in government loan tables as the
program writes them (GovernmentFileText), and a data test checks the two agree."""
import os

OUT = os.path.join(os.path.dirname(__file__), '..', 'resources', 'data')


def num(x):
    """A number as the program writes it: plain digits, no leading zero before the point."""
    if float(x).is_integer():
        return str(int(x))
    text = ('%.7g' % x)
    assert 'e' not in text, x
    if '.' in text:
        text = text.rstrip('0').rstrip('.')
    if text.startswith('0.'):
        text = text[1:]
    elif text.startswith('-0.'):
        text = '-' + text[2:]
    return text


def q(text):
    return '"' + text + '"'


def write(name, records):
    with open(os.path.join(OUT, name), 'w', newline='') as f:
        for record in records:
            f.write(','.join(record) + '\r\n')


def fee_thresholds():
    """120 rising thresholds: $25,000 steps to $1M, $50,000 steps to $3M, $100,000 steps to $6.9M."""
    rows = [i * 25000 for i in range(40)]
    rows += [1000000 + i * 50000 for i in range(40)]
    rows += [3000000 + i * 100000 for i in range(40)]
    return rows


def fee_table(base, per_thousand):
    """A row's fee covers amounts up to the next row's threshold; round to $5."""
    thresholds = fee_thresholds()
    tops = thresholds[1:] + [thresholds[-1] + 100000]
    fees = [5 * round((base + per_thousand * top / 1000) / 5) for top in tops]
    return [[num(f)] for f in fees] + [[num(t)] for t in thresholds]


def main():
    os.makedirs(OUT, exist_ok=True)
    # Loan data: a $425,000 home, 10 % down, 6.5 %, 30-year fixed.
    write('MAIN.DAT', [[num(.1), num(425000), num(.065), num(5000), num(0), num(4675), num(145),
                        '30', q('30 Year / Fixed Conventional'), '0', '', '', '0', q('1-2027')]])
    names = ['Appraisal Fee', 'Credit Report', 'Tax Related Service Fee', 'Processing Fee',
             'Courier / Flood Report', 'Recording Fee', 'Miscellaneous Costs']
    # Amount 5 goes with name 7 (miscellaneous) and amount 7 with name 5 (courier / flood).
    amounts = [650, 65, 85, 495, 250, 125, 45]
    write('ESTIMATE.DAT', [[num(a) for a in amounts] + ['15', '2', '12', '3', '3', num(500)] +
                           [q(n) for n in names]])
    write('PMI.DAT', [[num(x) for x in (.003, .004, .0055, .0075,      # premium, conventional
                                        .0035, .0048, .0065, .009,     # premium, ARM
                                        .003, .0045, .0062, .0085,     # monthly, conventional
                                        .0036, .0054, .0074, .01)]])   # monthly, ARM
    write('ESCROW.DAT', fee_table(450, 1.5))
    write('TITLE.DAT', fee_table(500, 3.5))
    write('FANMAE.DAT', [[num(832750), num(.28), num(.36), num(.28), num(.36)]])
    bands = [(0, 200000), (200000, 400000), (400000, 832750), (832750, 2000000), (2000000, 100000000)]
    write('LOANORIG.DAT', [[num(x)] for lo, hi in bands for x in (.01, lo, hi)])
    year = [num(0)] * 25 + [num(.0001), q('YYYY'), q('YYYY'), q('YYYY'), num(0), num(0), num(0), num(0)]
    write('INCOME.DAT', [year, year, year])
    debts = []
    for _ in range(31):
        debts += [[q('')], [num(0)]]
    write('DEBT.DAT', debts + [[num(0)]])
    write('COMPS.DAT', [[q('Mortgage comparisons'), '0']])
    with open(os.path.join(OUT, 'DV.INI'), 'w', newline='') as f:
        f.write('[General]\r\nShow Quick Start Information=YES\r\n')


if __name__ == '__main__':
    main()
