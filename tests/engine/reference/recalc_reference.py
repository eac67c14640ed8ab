#!/usr/bin/env python3
"""An independent computation of the loan results for the scenarios in
recalculate_test.cpp. Python floats are doubles; f32() rounds a result to a
float as the program stores it. Prints the expected floats as hex literals."""
import struct


def f32(x):
    return struct.unpack('<f', struct.pack('<f', x))[0]


def sample_tables():
    escrow = {i: (f32(i * 25000.0), f32(300.0 + i * 12.5)) for i in range(1, 121)}
    title = {i: (f32(i * 20000.0), f32(450.0 + i * 17.25)) for i in range(1, 121)}
    orig = [(f32(0.01), 0.0, 100000.0), (f32(0.0075), 100000.0, 500000.0),
            (f32(0.005), 500000.0, 2000000.0), (0.0, 0.0, 0.0), (0.0, 0.0, 0.0)]
    pmi = {
        'convPrem': [f32(x) for x in (0.0025, 0.005, 0.0075, 0.01)],
        'armPrem': [f32(x) for x in (0.003, 0.006, 0.009, 0.012)],
        'convMon': [f32(x) for x in (0.0032, 0.0052, 0.0078, 0.0096)],
        'armMon': [f32(x) for x in (0.0038, 0.0061, 0.0089, 0.0112)],
    }
    est = dict(cost=[f32(x) for x in (450, 35, 85, 595, 125, 95, 40.5)], days=15, pmiMonths=2,
               premMonths=12, insImpMonths=3, taxMonths=4, deposit=f32(350))
    guide = dict(jumbo=f32(766550), first90=f32(0.28), second90=f32(0.36), firstA=f32(0.25),
                 secondA=f32(0.33))
    return escrow, title, orig, pmi, est, guide


def fee(table, amount, top):
    for i in range(1, 120):
        if amount >= f32(table[i][0] + 1.0) and amount <= table[i + 1][0]:
            return table[i][1]
    if amount >= f32(table[120][0] + 1.0) and amount <= top:
        return table[120][1]
    return 0.0


def band(ltv):
    if 0.8001 <= ltv <= 0.8501: return 1
    if 0.8501 < ltv <= 0.9001: return 2
    if 0.9001 < ltv <= 0.95: return 3
    if 0.95 < ltv <= 100000: return 4
    return 0


def recalc(price, down, rate, years, arm, va, taxes, ins, dues, earnest):
    escrow, title, orig, pmi, est, g = sample_tables()
    price, down, rate = f32(price), f32(down), f32(rate)
    taxes, ins, dues, earnest = f32(taxes), f32(ins), f32(dues), f32(earnest)
    r = {}
    r['downPaymentAmount'] = dpa = f32(price * down)
    r['loanAmount'] = loan = f32(price - dpa)
    r['ltv'] = ltv = f32((price - dpa) / price)
    r['interimInterest'] = f32(loan * rate * est['days'] / 360)
    r['escrowFee'] = fee(escrow, price, f32(1e8))
    r['titleFee'] = fee(title, loan, f32(1e9))
    prem_rate = mon_rate = prem = mon = imp = 0.0
    if ltv > f32(0.8001):
        b = band(ltv)
        if b:
            prem_rate = pmi['armPrem' if arm else 'convPrem'][b - 1]
            mon_rate = pmi['armMon' if arm else 'convMon'][b - 1]
        prem = f32(prem_rate * loan)
        mon = f32(mon_rate * loan / 12)
        if va:
            prem = mon = 0.0
        imp = f32(mon * est['pmiMonths'])
    r.update(pmiPremiumRate=prem_rate, pmiMonthlyRate=mon_rate, pmiPremium=prem, monthlyPmi=mon,
             pmiImpounds=imp)
    r['taxImpounds'] = f32(taxes / 12 * est['taxMonths'])
    r['insuranceImpounds'] = f32(ins * est['insImpMonths'])
    r['insurancePremium'] = f32(ins * est['premMonths'])
    orate = 0.0
    for rr, lo, hi in orig:
        if lo <= loan <= hi:
            orate = rr
            break
    r['originationRate'] = orate
    r['originationFee'] = f32(orate * loan)
    items = 0.0
    for c in est['cost']:
        items += c
    r['itemizedCosts'] = f32(items)
    r['totalClosingCosts'] = f32(r['itemizedCosts'] + r['titleFee'] + r['escrowFee'] + r['originationFee'])
    r['totalPrepaidEscrows'] = f32(r['interimInterest'] + r['taxImpounds'] + r['insuranceImpounds'] +
                                   r['insurancePremium'] + prem + imp)
    r['estimateDueAtClosing'] = f32((price + r['totalPrepaidEscrows'] + r['totalClosingCosts']) -
                                    (est['deposit'] + earnest + loan))
    r['totalDueAtClosing'] = f32(r['estimateDueAtClosing'] + earnest + est['deposit'])
    mr, n = rate / 12, years * 12
    growth = (1 + mr) ** n
    r['monthlyPrincipalInterest'] = f32(loan * mr * growth / (growth - 1))
    r['totalMonthlyPayment'] = f32(r['monthlyPrincipalInterest'] + ins + taxes / 12 + dues + mon)
    above = ltv > f32(0.9001)
    r['firstRatioLimit'] = g['firstA'] if above else g['first90']
    r['secondRatioLimit'] = g['secondA'] if above else g['second90']
    r['minMonthlyIncome'] = f32(r['totalMonthlyPayment'] / r['firstRatioLimit'])
    return r


FIELDS = ['downPaymentAmount', 'loanAmount', 'ltv', 'interimInterest', 'escrowFee', 'titleFee',
          'pmiPremiumRate', 'pmiMonthlyRate', 'pmiPremium', 'monthlyPmi', 'pmiImpounds',
          'taxImpounds', 'insuranceImpounds', 'insurancePremium', 'originationRate',
          'originationFee', 'itemizedCosts', 'totalClosingCosts', 'totalPrepaidEscrows',
          'estimateDueAtClosing', 'totalDueAtClosing', 'monthlyPrincipalInterest',
          'totalMonthlyPayment', 'firstRatioLimit', 'secondRatioLimit', 'minMonthlyIncome']

SCENARIOS = [
    # price, down, rate, years, arm, va, taxes, insurance, dues, earnest
    ('conventional 10% down', 285000, 0.1, 0.0675, 30, False, False, 4200, 95, 40, 5000),
    ('arm 5% down', 412345.67, 0.05, 0.0599, 30, True, False, 6100.5, 130.25, 0, 10000),
    ('va 3% down', 199999, 0.03, 0.06125, 15, False, True, 2400, 70, 25, 1000),
    ('jumbo 25% down', 1250000, 0.25, 0.07125, 20, False, False, 15000, 310, 150, 50000),
]

if __name__ == '__main__':
    for name, *args in SCENARIOS:
        r = recalc(*args)
        print(f'// {name}\n{{{", ".join("0x" + struct.pack(">f", r[f]).hex() + "u" for f in FIELDS)}}},')
